#include "gui/tool_windows/tool_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "app/main_commands.h"
#include "app/tool_windows/window_place.h"
#include "gui/guard.h"
#include "gui/key_table.h"

namespace pax {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

ToolWindow::ToolWindow(tWindowPlace& place, std::string_view caption, MainCommands& commands, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_place(place), m_commands(commands) {
    setWindowTitle(Utf8(caption));
}

void ToolWindow::Open() {
    Refresh();
    if (!isVisible()) SetPosition(m_place.Left, m_place.Top);
    show();
    raise();
    activateWindow();
}

void ToolWindow::SetPosition(int left, int top) {
    tScreenArea area;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        area = {r.left(), r.top(), r.width(), r.height()};
    }
    const QSize size = frameGeometry().size().expandedTo(sizeHint());
    const tWindowPlace place = KeepOnScreen({left, top}, size.width(), size.height(), area);
    move(place.Left, place.Top);
    m_place = place;
}

void ToolWindow::StorePlace() {
    if (!isVisible()) return;
    m_place = {x(), y()};
}

void ToolWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    StorePlace();
}

void ToolWindow::hideEvent(QHideEvent* event) {
    StorePlace();
    QWidget::hideEvent(event);
}

}  // namespace pax

namespace pax {

void ToolWindow::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool function = key >= Qt::Key_F1 && key <= Qt::Key_F12;
    if (key == Qt::Key_Escape && !m_escapeToMain) {
        hide();
        return;
    }
    if (!function && key != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int vk = VirtualKeyOf(key, event->modifiers());
    const TShiftState shift = ShiftStateOf(event->modifiers());
    Guard("ToolWindow.FormKeyDown", [&] { m_commands.KeyDown(vk, shift); });
}

void ToolWindow::keyReleaseEvent(QKeyEvent* event) {
    const int vk = VirtualKeyOf(event->key(), event->modifiers());
    const TShiftState shift = ShiftStateOf(event->modifiers());
    if (vk != 0) Guard("ToolWindow.FormKeyUp", [&] { m_commands.KeyUp(vk, shift); });
    QWidget::keyReleaseEvent(event);
}

}  // namespace pax
