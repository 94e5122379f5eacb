#pragma once
// ToolWindow: a modeless tool window beside the main window that keeps its place in its
// section of the configuration. It is put back on the stored place (kept on the screen)
// whenever it is shown, and stores where it is when it is moved or hidden.

#include <QWidget>

#include <string_view>

#include "system/settings.h"

namespace pax {

class MainCommands;

class ToolWindow : public QWidget {
public:
    // place is the window's entry in tConfigValues, which outlives the window; the function
    // keys go to commands, as from the picture.
    ToolWindow(tWindowPlace& place, std::string_view caption, MainCommands& commands, QWidget* parent);

    // Shows the window at its place (and raises it when it is already shown).
    void Open();
    // SetPosition: there, kept on the screen, and stored.
    void SetPosition(int left, int top);

protected:
    // The widgets from the settings, before the window is shown.
    virtual void Refresh() {}
    void moveEvent(QMoveEvent* event) override;
    // F1 .. F12 go to the main window's commands; Esc hides the window, or goes there too
    // when escapeToMain is set.
    void keyPressEvent(QKeyEvent* event) override;
    // Releases go there too, so that its record of the keys held stays true.
    void keyReleaseEvent(QKeyEvent* event) override;
    bool m_escapeToMain = false;
    void hideEvent(QHideEvent* event) override;

    tWindowPlace& m_place;
    MainCommands& m_commands;

private:
    void StorePlace();
};

// Qt's text of a UTF-8 string view.
QString Utf8(std::string_view text);

}  // namespace pax
