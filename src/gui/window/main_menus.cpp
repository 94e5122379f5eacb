#include "gui/window/main_menus.h"

#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include <map>
#include <string>

#include "app/main_state.h"
#include "app/window/window_commands.h"
#include "gui/guard.h"
#include "gui/main_window.h"
#include "gui/picture_view.h"
#include "gui/window/animated_cursor.h"
#include "gui/window/qt_window_shell.h"
#include "system/user_folders.h"

namespace pax {

namespace {

constexpr MenuId MainMenuOrder[] = {MenuId::File, MenuId::Edit, MenuId::Eye, MenuId::Background,
                                    MenuId::Options, MenuId::Window, MenuId::Help};
// The menus that come before "Animate"; the others follow it.
constexpr int MenusBeforeAnimate = 2;
constexpr int DragSlack = 3;   // pixels a right click may move and still open the popup
const char* const HintTagProperty = "paxHintTag";

QString Utf8Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The standard icons of the style for the tool buttons.
QStyle::StandardPixmap IconOf(CommandId command) {
    using C = CommandId;
    static const std::map<C, QStyle::StandardPixmap> icons{
        {C::OpenPicture, QStyle::SP_DialogOpenButton},   {C::SaveJpeg, QStyle::SP_DialogSaveButton},
        {C::Print, QStyle::SP_FileIcon},                  {C::PrintSetup, QStyle::SP_FileDialogDetailedView},
        {C::CopyPicture, QStyle::SP_FileLinkIcon},        {C::BackgroundErase, QStyle::SP_DialogResetButton},
        {C::EyeModeHint, QStyle::SP_DesktopIcon},         {C::BackgroundColour, QStyle::SP_DriveDVDIcon},
        {C::Navigation, QStyle::SP_ArrowUp},              {C::AnimationValues, QStyle::SP_FileDialogListView},
        {C::Options, QStyle::SP_FileDialogContentsView},  {C::About, QStyle::SP_MessageBoxInformation},
        {C::SwitchToolBar, QStyle::SP_BrowserReload},     {C::FirstDemo, QStyle::SP_MediaSkipBackward},
        {C::PreviousDemo, QStyle::SP_MediaSeekBackward},  {C::PreviousFigure, QStyle::SP_ArrowLeft},
        {C::Pause, QStyle::SP_MediaPause},                {C::Run, QStyle::SP_MediaPlay},
        {C::NextFigure, QStyle::SP_ArrowRight},           {C::NextDemo, QStyle::SP_MediaSeekForward},
        {C::LastDemo, QStyle::SP_MediaSkipForward},       {C::NextInfoMode, QStyle::SP_MessageBoxQuestion},
        {C::NextSyncMode, QStyle::SP_MediaVolume},        {C::NextEyeMode, QStyle::SP_ComputerIcon},
        {C::NextFont, QStyle::SP_FileDialogInfoView},     {C::NextTexture, QStyle::SP_DirIcon},
    };
    const auto found = icons.find(command);
    return found == icons.end() ? QStyle::SP_CustomBase : found->second;
}

// The file names of a drop; empty when it carries none, or an L-system file (the editor's).
std::vector<std::string> DroppedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString file = url.toLocalFile();
        if (file.endsWith(".lsy", Qt::CaseInsensitive)) return {};
        files.push_back(file.toStdString());
    }
    return files;
}

}  // namespace

MainMenus::MainMenus(MainWindow& window, WindowCommands& commands, QtWindowShell& shell)
    : QObject(&window), m_window(window), m_commands(commands), m_shell(shell) {
    BuildMenus();
    BuildPopup();
    BuildToolBars();
    for (int n = 0; n < 2; ++n) {
        m_cursors[n] = new AnimatedCursor(this);
        m_cursors[n]->Load(DataFilePath(n == 0 ? "Cursor1.ani" : "Cursor2.ani"));
    }
    m_window.statusBar()->installEventFilter(this);
    m_window.Picture().installEventFilter(this);
    m_window.setAcceptDrops(true);
    m_window.installEventFilter(this);
}

QMenu* MainMenus::Menu(MenuId menu) const {
    const size_t i = static_cast<size_t>(menu);
    return i < m_menus.size() ? m_menus[i] : nullptr;
}

void MainMenus::RunCommand(CommandId command, int tag) {
    Guard("MainMenus", [&] { m_commands.Run(command, tag); });
}

QAction* MainMenus::AddItem(QMenu* menu, const MenuItem& item) {
    if (item.Command == CommandId::None) return menu->addSeparator();
    QAction* action = menu->addAction(Utf8Text(item.Caption));
    if (item.Key != 0) {
        action->setShortcut(QKeySequence(Utf8Text(ShortcutText(item.Key, item.Shift))));
        // Shown, but the key table takes the key.
        action->setShortcutContext(Qt::WidgetShortcut);
    }
    action->setCheckable(item.Checkable);
    const CommandId command = item.Command;
    const int tag = item.Tag;
    connect(action, &QAction::triggered, this, [this, command, tag] { RunCommand(command, tag); });
    m_entries.push_back({action, &item});
    return action;
}

void MainMenus::AddItems(QMenu* menu, MenuId id) {
    std::map<std::string_view, QMenu*> submenus;
    for (const MenuItem& item : MenuItems()) {
        if (item.Menu != id) continue;
        QMenu* target = menu;
        if (!item.Submenu.empty()) {
            QMenu*& sub = submenus[item.Submenu];
            if (!sub) sub = menu->addMenu(Utf8Text(item.Submenu));
            target = sub;
        }
        AddItem(target, item);
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateChecks(menu); });
    for (auto& [name, sub] : submenus) {
        QMenu* s = sub;
        connect(s, &QMenu::aboutToShow, this, [this, s] { UpdateChecks(s); });
    }
}

void MainMenus::UpdateChecks(QMenu* menu) {
    for (const Entry& e : m_entries)
        if (e.Item->Checkable && e.Action->parent() == menu)
            e.Action->setChecked(m_commands.Checked(e.Item->Command, e.Item->Tag));
}

void MainMenus::BuildMenus() {
    m_menus.assign(static_cast<size_t>(MenuId::Popup) + 1, nullptr);
    QMenuBar* bar = m_window.menuBar();
    // After the window's own menus, but "File" and "Edit" before "Animate".
    QAction* animate = nullptr;
    for (QAction* a : bar->actions())
        if (a->menu() && a->menu()->title().remove('&') == "Animate") animate = a;
    int n = 0;
    for (MenuId id : MainMenuOrder) {
        auto* menu = new QMenu(Utf8Text(MenuTitle(id)), &m_window);
        if (n++ < MenusBeforeAnimate && animate) bar->insertMenu(animate, menu);
        else bar->addMenu(menu);
        m_menus[static_cast<size_t>(id)] = menu;
        AddItems(menu, id);
    }
}

void MainMenus::BuildPopup() {
    m_popup = new QMenu(&m_window);
    m_menus[static_cast<size_t>(MenuId::Popup)] = m_popup;
    AddItems(m_popup, MenuId::Popup);
    m_popup->addSeparator();
    // The eye and background menus, as in the menu bar.
    for (MenuId id : {MenuId::Eye, MenuId::Background}) {
        QMenu* sub = m_popup->addMenu(Utf8Text(MenuTitle(id)));
        AddItems(sub, id);
    }
}

void MainMenus::BuildToolBars() {
    for (int b = 0; b < 2; ++b) {
        auto* bar = new QToolBar(b == 0 ? "ToolBar" : "Animate ToolBar", &m_window);
        bar->setMovable(false);
        bar->setIconSize(QSize(16, 16));
        bar->setProperty(HintTagProperty, 7);
        bar->installEventFilter(this);
        if (b == 1) m_window.addToolBarBreak(Qt::TopToolBarArea);
        m_window.addToolBar(Qt::TopToolBarArea, bar);
        m_toolBars[b] = bar;
    }
    QStyle* style = m_window.style();
    for (const ToolButton& button : ToolButtons()) {
        QToolBar* bar = m_toolBars[button.Bar == 1 ? 0 : 1];
        const QStyle::StandardPixmap pixmap = IconOf(button.Command);
        QAction* action = pixmap == QStyle::SP_CustomBase ? bar->addAction(Utf8Text(button.Name))
                                                          : bar->addAction(style->standardIcon(pixmap), Utf8Text(button.Name));
        const CommandId command = button.Command;
        connect(action, &QAction::triggered, this, [this, command] { RunCommand(command, 0); });
        if (QWidget* widget = bar->widgetForAction(action)) {
            widget->setProperty(HintTagProperty, button.HintTag);
            widget->installEventFilter(this);
        }
    }
    m_shell.SetToolBars(m_toolBars[0], m_toolBars[1]);
}

void MainMenus::ShowPopup(const QPoint& globalPosition) {
    UpdateChecks(m_popup);
    m_popup->popup(globalPosition);
}

bool MainMenus::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // The tool buttons' hints in the second panel.
    if (type == QEvent::Enter) {
        const QVariant tag = watched->property(HintTagProperty);
        if (tag.isValid()) m_window.ShowStatus2(m_commands.Hint(tag.toInt()), MainState::StatusTextColor);
        return false;
    }
    if (watched == m_window.statusBar()) {
        if (type == QEvent::MouseButtonPress)
            Guard("StatusBarClick", [&] { m_commands.StatusClick(m_window.StatusText(1).toStdString()); });
        else if (type == QEvent::MouseButtonDblClick)
            Guard("StatusBarDblClick", [&] { m_commands.StatusDoubleClick(); });
        return false;
    }
    if (watched == &m_window.Picture()) {
        // A right click that does not drag the eye opens the popup menu; the view still gets
        // every event.
        // Only a mouse event may be taken as one (the view gets child, paint, ... events too).
        const bool isMouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                             type == QEvent::MouseMove;
        auto* mouse = isMouse ? static_cast<QMouseEvent*>(event) : nullptr;
        if (type == QEvent::MouseButtonPress) m_cursors[mouse->button() == Qt::LeftButton ? 0 : 1]->Start(&m_window.Picture());
        if (type == QEvent::MouseButtonRelease) {
            m_cursors[0]->Stop();
            m_cursors[1]->Stop();
        }
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            m_rightPress = mouse->globalPosition().toPoint();
            m_rightMoved = false;
        } else if (type == QEvent::MouseMove && (mouse->buttons() & Qt::RightButton)) {
            if ((mouse->globalPosition().toPoint() - m_rightPress).manhattanLength() > DragSlack) m_rightMoved = true;
        } else if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::RightButton && !m_rightMoved) {
            const QPoint at = mouse->globalPosition().toPoint();
            QMetaObject::invokeMethod(this, [this, at] { ShowPopup(at); }, Qt::QueuedConnection);
        } else if (type == QEvent::ContextMenu &&
                   static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
            ShowPopup(m_window.Picture().mapToGlobal(QPoint(10, 10)));
            return true;
        }
        return false;
    }
    if (watched == &m_window && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> files = DroppedFiles(drop->mimeData());
        if (files.empty()) return false;
        drop->acceptProposedAction();
        if (type == QEvent::Drop) Guard("FileIsDropped", [&] { m_commands.FileIsDropped(files); });
        return true;
    }
    return false;
}

}  // namespace pax
