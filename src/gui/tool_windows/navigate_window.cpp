#include "gui/tool_windows/navigate_window.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/studio.h"
#include "app/tool_windows/window_place.h"
#include "gui/guard.h"
#include "gui/key_table.h"

namespace pax {

namespace {

// What each button shows: an arrow for the direction, the pad's own glyph elsewhere.
QString MotionGlyph(char key) {
    switch (key) {
    case '7': return "+";
    case '8': return QString::fromUtf8("\u2191");
    case '9': return QString::fromUtf8("\u25B2");
    case '4': return QString::fromUtf8("\u2190");
    case '5': return QString::fromUtf8("\u25CF");
    case '6': return QString::fromUtf8("\u2192");
    case '1': return "-";
    case '2': return QString::fromUtf8("\u2193");
    case '3': return QString::fromUtf8("\u25BC");
    case 'a': return QString::fromUtf8("\u21BA");
    case 'b': return "=";
    case 'c': return QString::fromUtf8("\u21BB");
    default: return QString(QChar(key));
    }
}

// The mode pictures, drawn here: an eye for Examine, a turning arrow, a cross of arrows and
// walking feet.
QPixmap ModeIcon(char mode) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 140), 2.5));
    switch (mode) {
    case 'e':
        p.drawEllipse(QRectF(3, 9, 26, 14));
        p.setBrush(QColor(30, 60, 140));
        p.drawEllipse(QRectF(12, 12, 8, 8));
        break;
    case 't':
        p.drawArc(QRectF(5, 5, 22, 22), 30 * 16, 280 * 16);
        p.drawLine(QPointF(25, 9), QPointF(27, 3));
        p.drawLine(QPointF(25, 9), QPointF(19, 8));
        break;
    case 'm':
        p.drawLine(16, 3, 16, 29);
        p.drawLine(3, 16, 29, 16);
        for (QPointF tip : {QPointF(16, 3), QPointF(16, 29), QPointF(3, 16), QPointF(29, 16)}) {
            const QPointF centre(16, 16);
            const QPointF d = (tip - centre) / 13.0;
            const QPointF n(-d.y(), d.x());
            p.drawLine(tip, tip - d * 5 + n * 4);
            p.drawLine(tip, tip - d * 5 - n * 4);
        }
        break;
    case 'w':
        p.setBrush(QColor(30, 60, 140));
        p.drawEllipse(QRectF(6, 14, 7, 12));
        p.drawEllipse(QRectF(18, 5, 7, 12));
        break;
    default: break;
    }
    return pixmap;
}

}  // namespace

NavigateWindow::NavigateWindow(Studio& studio, QWidget* parent)
    : ToolWindow(ConfigValues().NavigationWindow, NavigateForm::Caption, studio.Commands(), parent), m_form(studio) {
    setMinimumSize(NavigateForm::MinWidth, NavigateForm::MinHeight);
    auto* pad = new QGridLayout;
    pad->setSpacing(2);
    for (size_t i = 0; i < NavigateForm::MotionKeys.size(); ++i)
        pad->addWidget(MotionButton(NavigateForm::MotionKeys[i]), static_cast<int>(i / 3), static_cast<int>(i % 3));
    auto* modes = new QHBoxLayout;
    for (char mode : NavigateForm::ModeKeys) modes->addWidget(ModePicture(mode));

    m_speed = new QSlider(Qt::Horizontal, this);
    m_speed->setRange(NavigateForm::SpeedMin, NavigateForm::SpeedMax);
    m_speed->setValue(m_form.SpeedPosition());
    m_speed->setToolTip("motion speed (right click: the middle)");
    m_speed->setMouseTracking(true);
    m_speed->installEventFilter(this);
    connect(m_speed, &QSlider::valueChanged, this, [this](int p) {
        Guard("NavigateForm.gStepChange", [&] { m_form.ChangeSpeed(p); });
        ShowStatus();
    });

    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_status->setToolTip(QString(QChar(NavigateForm::StatusKey)));
    m_status->setMouseTracking(true);
    m_status->installEventFilter(this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 4);
    column->addLayout(pad);
    column->addLayout(modes);
    column->addWidget(m_speed);
    column->addWidget(m_status);
    ShowStatus();

    m_repeat.setInterval(NavigateForm::RepeatInterval);
    connect(&m_repeat, &QTimer::timeout, this, [this] { Guard("NavigateForm.RepeatTimerTimer", [&] { m_form.RepeatTick(); }); });

    // The stored place only while it lies on the screen; the designed one otherwise.
    adjustSize();
    tScreenArea area;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        area = {r.left(), r.top(), r.width(), r.height()};
    }
    m_place = NavigationStartPlace(m_place, tConfigValues{}.NavigationWindow, width(), height(), area);
}

QWidget* NavigateWindow::MotionButton(char key) {
    auto* button = new QToolButton(this);
    button->setText(MotionGlyph(key));
    button->setProperty("key", QChar(key));
    button->setMinimumSize(44, 34);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    return button;
}

QWidget* NavigateWindow::ModePicture(char mode) {
    auto* picture = new QLabel(this);
    picture->setPixmap(ModeIcon(mode));
    picture->setProperty("mode", QChar(mode));
    picture->setToolTip(QString(QChar(mode)));
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setAlignment(Qt::AlignCenter);
    picture->setMouseTracking(true);
    picture->installEventFilter(this);
    return picture;
}

void NavigateWindow::Refresh() {
    const QSignalBlocker block(m_speed);
    m_speed->setValue(m_form.SpeedPosition());
    ShowStatus();
}

void NavigateWindow::ShowStatus() { m_status->setText(QString::fromStdString(m_form.Status())); }

bool NavigateWindow::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool press = type == QEvent::MouseButtonPress;
    auto* mouse = dynamic_cast<QMouseEvent*>(event);
    const TShiftState shift = mouse ? ShiftStateOf(mouse->modifiers()) : TShiftState();
    bool handled = false;
    Guard("NavigateForm.Mouse", [&] {
        if (const QVariant key = watched->property("key"); key.isValid()) {
            const char c = static_cast<char>(key.toChar().toLatin1());
            if (press) {
                m_form.ButtonDown(c, shift);
                m_repeat.start();
            } else if (type == QEvent::MouseButtonRelease) {
                m_repeat.stop();
                m_form.ButtonUp();
            } else if (type == QEvent::MouseMove || type == QEvent::Enter) {
                m_form.ButtonHover(c);
            }
        } else if (const QVariant mode = watched->property("mode"); mode.isValid()) {
            const char c = static_cast<char>(mode.toChar().toLatin1());
            if (press) m_form.ModeClick(c, shift);
            else if (type == QEvent::MouseMove) m_form.ModeHover(c, shift);
        } else if (watched == m_status && type == QEvent::MouseMove) {
            m_form.StatusHover();
        } else if (watched == m_speed) {
            if (press && (mouse->button() != Qt::LeftButton || shift.Has(ShiftFlag::Alt))) {
                m_form.CentreSpeed();
                const QSignalBlocker block(m_speed);
                m_speed->setValue(m_form.SpeedPosition());
                handled = true;
            } else if (type == QEvent::MouseMove) {
                m_form.SpeedHover();
            }
        }
    });
    ShowStatus();
    return handled || ToolWindow::eventFilter(watched, event);
}

}  // namespace pax
