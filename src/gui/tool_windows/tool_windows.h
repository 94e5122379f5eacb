#pragma once
// ToolWindows: the about window, the options dialog, the navigation window and the animation
// values window, created in that order beside the main window and registered as what its
// keys and menus open.
//
//     MainWindow window(studio);
//     ToolWindows tools(studio, &window);

#include <memory>

class QWidget;

namespace pax {

class Studio;
class AboutWindow;
class OptionDialog;
class NavigateWindow;
class AnimWindow;

class ToolWindows {
public:
    // The studio must outlive the windows; parent (the main window) owns them.
    ToolWindows(Studio& studio, QWidget* parent);
    ~ToolWindows();
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;

    AboutWindow& About() { return *m_about; }
    OptionDialog& Options() { return *m_options; }
    NavigateWindow& Navigation() { return *m_navigation; }
    AnimWindow& AnimationValues() { return *m_animation; }

private:
    Studio& m_studio;
    AboutWindow* m_about = nullptr;
    OptionDialog* m_options = nullptr;
    NavigateWindow* m_navigation = nullptr;
    AnimWindow* m_animation = nullptr;
};

}  // namespace pax
