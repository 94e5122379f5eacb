#pragma once
// AboutWindow: the widgets of "About Dizuded Odirivuze Didu": the title page, the keys and
// mouse help, and the machine's and operating system's values with a "..." button for each
// that has a settings tool on this desktop.

#include "gui/tool_windows/tool_window.h"

class QGridLayout;
class QTabWidget;

namespace pax {

struct InfoLine;

class AboutWindow : public ToolWindow {
public:
    explicit AboutWindow(MainCommands& commands, QWidget* parent = nullptr);

    QTabWidget& Tabs() { return *m_tabs; }
    // The information pages read again (the screen may have changed).
    void UpdateInfo();

protected:
    void Refresh() override { UpdateInfo(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* AboutPage();
    QWidget* HelpPage(bool mouse);
    void FillInfo(QGridLayout* grid, const std::vector<InfoLine>& lines, bool extras);
    void PrintWindow();

    QTabWidget* m_tabs = nullptr;
    QGridLayout* m_hardware = nullptr;
    QGridLayout* m_system = nullptr;
    QWidget* m_picture = nullptr;
};

}  // namespace pax
