#pragma once
// MainMenus: the main window's menus, the picture's popup menu and the two tool bars, laid
// out from the menu table; every item and button runs its command in WindowCommands. The
// shortcuts are shown in the menus but taken by the key table (MainCommands), the one place
// where keys are interpreted. It also forwards the status bar's clicks, the tool buttons'
// hints and dropped files.
//
//     QtWindowShell shell(window, studio);
//     WindowCommands commands(studio, shell);
//     MainMenus menus(window, commands, shell);

#include <QObject>
#include <QPoint>

#include <vector>

#include "app/window/menu_table.h"

class QAction;
class QMenu;
class QToolBar;

namespace pax {

class MainWindow;
class AnimatedCursor;
class WindowCommands;
class QtWindowShell;

class MainMenus : public QObject {
public:
    MainMenus(MainWindow& window, WindowCommands& commands, QtWindowShell& shell);

    // The menu with the title ("File" ...), or nullptr.
    QMenu* Menu(MenuId menu) const;
    QMenu* Popup() const { return m_popup; }
    QToolBar* ToolBar(int bar) const { return m_toolBars[bar == 1 ? 0 : 1]; }
    // Every action made for a menu item, with its item.
    struct Entry {
        QAction* Action;
        const MenuItem* Item;
    };
    const std::vector<Entry>& Entries() const { return m_entries; }
    AnimatedCursor& Cursor(int n) const { return *m_cursors[n == 1 ? 0 : 1]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void BuildPopup();
    void BuildToolBars();
    void AddItems(QMenu* menu, MenuId id);
    QAction* AddItem(QMenu* menu, const MenuItem& item);
    void UpdateChecks(QMenu* menu);
    void RunCommand(CommandId command, int tag);
    void ShowPopup(const QPoint& globalPosition);

    MainWindow& m_window;
    WindowCommands& m_commands;
    QtWindowShell& m_shell;
    std::vector<QMenu*> m_menus;   // by MenuId
    QMenu* m_popup = nullptr;
    QToolBar* m_toolBars[2] = {nullptr, nullptr};
    std::vector<Entry> m_entries;
    // Cursor 1 while the left button drives the eye, cursor 2 for the other buttons.
    AnimatedCursor* m_cursors[2] = {nullptr, nullptr};
    QPoint m_rightPress;
    bool m_rightMoved = false;
};

}  // namespace pax
