#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QThread>

#include <algorithm>
#include <cmath>

#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_commands.h"
#include "app/main_state.h"
#include "app/picture_loop.h"
#include "app/studio.h"
#include "gui/guard.h"
#include "gui/key_table.h"
#include "gui/long_picture_watch.h"
#include "gui/picture_view.h"
#include "render/surface/bitmap32.h"
#include "render/sprites/sprite_display.h"
#include "render/windows/stage.h"
#include "system/presenter.h"
#include "system/settings.h"
#include "system/sound.h"
#include "system/stop_request.h"

namespace pax {

namespace {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A name as a menu caption: "&" would mark a mnemonic.
QString MenuCaption(const std::string& name) { return FromUtf8(name).replace('&', "&&"); }

}  // namespace

MainWindow::MainWindow(Studio& studio, QWidget* parent)
    : QMainWindow(parent), m_studio(studio) {
    m_watch = std::make_unique<LongPictureWatch>(
        [] {
            SoundBeep();
            RequestStop();
        },
        [this] { close(); });
    m_picture = new PictureView(studio.Picture(), studio.GetStage().Overlays(), studio.Commands(), this);
    setCentralWidget(m_picture);
    BuildStatusBar();
    BuildAnimateMenu();
    // The window follows the picture: client 480 x 360 plus the bars.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_refreshTimer.setTimerType(Qt::PreciseTimer);
    m_refreshTimer.setInterval(RefreshInterval);
    m_milliSecTimer.setTimerType(Qt::PreciseTimer);
    m_milliSecTimer.setInterval(MilliSecInterval);
    m_x20Timer.setInterval(X20Interval);
    connect(&m_refreshTimer, &QTimer::timeout, this, [this] { RefreshTick(); });
    connect(&m_milliSecTimer, &QTimer::timeout, this, [this] { MilliSecTick(); });
    connect(&m_x20Timer, &QTimer::timeout, this, [this] { X20Tick(); });
    connect(&m_nextDemoTimer, &QTimer::timeout, this, [this] { NextDemoTick(); });
    m_showTimer.setSingleShot(true);
    m_showTimer.setTimerType(Qt::PreciseTimer);
    // Due, or owed and not taken by a next picture.
    connect(&m_showTimer, &QTimer::timeout, this, [this] { ShowDuePicture(!m_showOwed); });

    // The timers take the intervals of the settings here.
    m_studio.SetCallbacks(this);
    setWindowTitle(FromUtf8(m_studio.State().CaptionText()));
    Place();
}

MainWindow::~MainWindow() {
    StopTimers();
    m_studio.SetCallbacks(nullptr);
}

void MainWindow::BuildStatusBar() {
    m_status1 = new QLabel(this);
    m_status1->setFixedWidth(StatePanelWidth);
    m_status1->setAlignment(Qt::AlignCenter);
    m_status2 = new QLabel(this);
    // Long messages (the cursor data) are cut rather than widening the window.
    m_status2->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    for (QLabel* panel : {m_status1, m_status2}) panel->setTextFormat(Qt::PlainText);
    statusBar()->addWidget(m_status1);
    statusBar()->addWidget(m_status2, 1);
    statusBar()->setSizeGripEnabled(false);
}

// The shortcuts are shown in the menu but taken by the key table, the one place keys are
// interpreted, so that every key is also recorded for the picture.
void MainWindow::BuildAnimateMenu() {
    m_animateMenu = menuBar()->addMenu("Animate");
    const auto add = [this](const char* text, auto command, QKeySequence keys = {}) {
        QAction* action = m_animateMenu->addAction(text);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, [this, text, command] { Drawing(text, [&] { command(); }); });
        return action;
    };
    DemoPlayer& player = m_studio.Player();
    PictureLoop& pictures = m_studio.Pictures();
    add("Restart", [&player] { player.Restart(); }, QKeySequence(Qt::CTRL | Qt::Key_N));
    add("First Demo ", [&player] { player.FirstDemo(); });
    add("Previous Demo <del>", [&player] { player.PreviousDemo(); });
    add("Previous Figure <back>", [&player] { player.PreviousFigure(); });
    m_animateMenu->addSeparator();
    m_pauseAction = add("Pause / Step", [&pictures] { pictures.SetPause(true); }, QKeySequence(Qt::Key_F8));
    add("Run", [&pictures] { pictures.SetPause(false); }, QKeySequence(Qt::Key_F9));
    m_animateMenu->addSeparator();
    add("Next Figure  <blanc>", [&player] { player.NextFigure(); });
    add("Next Demo  <return>", [&player] { player.NextDemo(); });
    add("Last Demo", [&player] { player.LastDemo(); });
    m_animateMenu->addSeparator();
    add("Set as 1st Figure", [&player] { player.SetFirstFigure(); }, QKeySequence(Qt::Key_F1));
}

void MainWindow::BuildSelectFigureMenu() {
    m_selectFigureMenu = new QMenu("Select Figure", this);
    const DemoCatalogue& catalogue = m_studio.Catalogue();
    for (int32_t d = 0; d < catalogue.DemoCount(); ++d) {
        const DemoRecord& demo = catalogue.Demo(d);
        QMenu* submenu = m_selectFigureMenu->addMenu(MenuCaption(demo.Name));
        for (int32_t f = 0; f < demo.FigureCount(); ++f) {
            QAction* item = submenu->addAction(MenuCaption(demo.Figures[static_cast<size_t>(f)].Name));
            connect(item, &QAction::triggered, this, [this, d, f] {
                Drawing("SelectFigureClick", [&] { m_studio.Player().SelectFigureClick(d, f); });
            });
        }
    }
    // At the front of the main menu.
    menuBar()->insertMenu(menuBar()->actions().value(0), m_selectFigureMenu);
}

// The stored place, kept so that at least half the window is on the screen.
void MainWindow::Place() {
    const QScreen* screen = QApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = sizeHint();
    const tConfigValues& v = ConfigValues();
    const int left = std::clamp(v.MainLeft, 0, std::max(0, area.width() - size.width() / 2));
    const int top = std::clamp(v.MainTop, 0, std::max(0, area.height() - size.height() / 2));
    move(area.left() + left, area.top() + top);
}

MainCommands& MainWindow::Commands() { return m_studio.Commands(); }

template <class Work>
void MainWindow::Drawing(const char* where, Work&& work) {
    const bool outermost = !m_watch->Drawing();
    m_watch->BeginPicture();
    if (outermost) m_picture->Hold(true);
    Guard(where, std::forward<Work>(work));
    m_watch->EndPicture();
    if (!outermost) return;
    m_picture->Hold(false);
    if (m_paintAfterDrawing) {
        m_paintAfterDrawing = false;
        Repaint();
    }
}

QString MainWindow::StatusText(int panel) const { return (panel == 1 ? m_status1 : m_status2)->text(); }

// --- activation and closing ---------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_activated) return;
    m_activated = true;
    // After the show has been handled: the first picture may open a box.
    QTimer::singleShot(0, this, [this] { Activate(); });
}

void MainWindow::Activate() {
    if (m_closed) return;
    Drawing("FormActivate", [this] {
        BuildSelectFigureMenu();
        m_studio.Activate();
    });
    m_picture->setFocus();
    StartTimers();
}

void MainWindow::StartTimers() {
    m_refreshTimer.start();
    m_milliSecTimer.start();
    m_x20Timer.start();
    if (m_nextDemoEnabled) m_nextDemoTimer.start();
}

void MainWindow::StopTimers() {
    for (QTimer* timer : {&m_refreshTimer, &m_milliSecTimer, &m_x20Timer, &m_nextDemoTimer, &m_showTimer}) timer->stop();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!m_closed) {
        m_closed = true;
        // A picture still being drawn ends early.
        RequestStop();
        StopTimers();
        Guard("FormClose", [this] {
            tConfigValues& v = ConfigValues();
            v.MainLeft = x();
            v.MainTop = y();
            m_studio.SaveSettings();
            PlaySoundOnce(MainState::FlashSound);
            m_studio.State().Closing = true;
        });
    }
    event->accept();
}

// --- timers and the loop --------------------------------------------------------------------------

void MainWindow::RefreshTick() {
    Guard("RefreshTimer", [this] { m_studio.Pictures().RefreshTick(); });
}

void MainWindow::MilliSecTick() { m_studio.State().MilliSecTick(); }

void MainWindow::X20Tick() {
    // A tick inside a long picture only counts the flash time down.
    const bool drawing = m_watch->Drawing();
    Drawing("x20Timer", [this, drawing] {
        m_studio.State().FlashTick();
        // The idle work of a paused loop: a picture when something asked for one.
        if (!drawing && !MessageBoxOpen()) m_studio.Pictures().RedrawWhilePaused();
    });
    // Sprite layers moved without a new picture (a paused loop) are shown all the same.
    const uint64_t overlays = m_studio.GetStage().Overlays().Version();
    if (overlays != m_shownOverlays) {
        m_shownOverlays = overlays;
        m_picture->update();
    }
}

void MainWindow::NextDemoTick() {
    // No new figure behind an open box (its start might open the next one), nor under a
    // picture still being drawn.
    if (MessageBoxOpen() || m_watch->Drawing()) return;
    Drawing("NextDemoTimer", [this] { m_studio.Pictures().NextDemoTick(); });
}

void MainWindow::PaintPicture() {
    m_paintQueued = false;
    if (m_closed) return;
    if (m_watch->Drawing()) {
        // Asked for while a long picture is drawn (or a box it opened is shown): after it.
        // Queued again at once it would spin through the nested event loop.
        m_paintAfterDrawing = true;
        return;
    }
    Drawing("FormPaint", [this] {
        MainState& state = m_studio.State();
        QElapsedTimer batch;
        batch.start();
        m_studio.Pictures().FormPaint();
        if (!state.Running()) return;
        // A synchronised loop spends one tick per picture. Without sync, light pictures
        // follow each other for up to UnsyncedBatchMs before the queued events are handled
        // (a turn of the event loop costs as much as a light picture), then the next batch.
        if (state.SyncMode() > 0) {
            state.TickCount = 0;
            return;
        }
        while (batch.elapsed() < UnsyncedBatchMs && state.Running() && state.SyncMode() == 0 && !m_closed &&
               !MessageBoxOpen())
            m_studio.Pictures().FormPaint();
        if (!MessageBoxOpen()) Repaint();
    });
}

// --- callbacks ------------------------------------------------------------------------------------

void MainWindow::Repaint() {
    if (m_paintQueued || m_closed) return;
    m_paintQueued = true;
    QMetaObject::invokeMethod(this, [this] { PaintPicture(); }, Qt::QueuedConnection);
}

qint64 MainWindow::ShowIntervalNs(double refreshHz) {
    const bool plausible = refreshHz >= MinRefreshHz && refreshHz <= MaxRefreshHz;
    return std::llround(1e9 / (plausible ? refreshHz : FallbackRefreshHz));
}

void MainWindow::ShowPicture(const DrawnArea& area) {
    m_picture->FitSurface();
    m_picture->TakePicture(area);
    const qint64 interval = ShowInterval();
    const qint64 since = m_sinceShown.isValid() ? m_sinceShown.nsecsElapsed() : interval;
    if (since >= interval) {
        m_showTimer.stop();
        ShowDuePicture(true);
    } else if (!m_showTimer.isActive()) {
        constexpr qint64 NsPerMs = 1'000'000;
        m_showTimer.start(static_cast<int>((interval - since + NsPerMs - 1) / NsPerMs));
    }
}

qint64 MainWindow::ShowInterval() const {
    const QScreen* shownOn = screen();
    return ShowIntervalNs(shownOn ? shownOn->refreshRate() : 0);
}

void MainWindow::ShowDuePicture(bool mayOwe) {
    if (mayOwe && m_studio.Pictures().ShowsOwedPictureBeside()) {
        // The next picture follows at once and paints this one while its own parts are being
        // drawn; should it not come, the timer shows this one a refresh later.
        m_showOwed = true;
        m_sinceShown.start();
        m_showTimer.start(static_cast<int>(ShowInterval() / 1'000'000));
        return;
    }
    m_showOwed = false;
    m_sinceShown.start();
    m_picture->ShowChanges();
}

void MainWindow::ShowOwedPicture(const TBitmap32& picture) {
    if (!m_showOwed) return;
    m_showOwed = false;
    m_showTimer.stop();
    m_picture->ShowChangesFrom(picture);
}

void MainWindow::RestartNextDemoTimer() {
    if (m_nextDemoEnabled && m_activated && !m_closed) m_nextDemoTimer.start();
}

void MainWindow::EnableNextDemoTimer(bool enabled) {
    m_nextDemoEnabled = enabled;
    if (!enabled)
        m_nextDemoTimer.stop();
    else
        RestartNextDemoTimer();
}

void MainWindow::SetNextDemoInterval(int32_t milliseconds) {
    const bool active = m_nextDemoTimer.isActive();
    m_nextDemoTimer.setInterval(milliseconds);
    if (active) m_nextDemoTimer.start();
}

void MainWindow::SetRefreshInterval(int32_t milliseconds) { m_refreshTimer.setInterval(std::max(1, milliseconds)); }

void MainWindow::SetStatusColour(TColor32 colour) {
    // The panels share one colour: the last call's holds for both.
    QPalette palette = statusBar()->palette();
    if (colour == MainState::StatusTextColor)
        palette.setColor(QPalette::WindowText, QApplication::palette(statusBar()).color(QPalette::WindowText));
    else
        palette.setColor(QPalette::WindowText, QColor::fromRgb(colour | 0xFF000000u));
    for (QLabel* panel : {m_status1, m_status2}) panel->setPalette(palette);
}

void MainWindow::ShowStatus1(std::string_view text, TColor32 colour) {
    SetStatusColour(colour);
    m_status1->setText(FromUtf8(text));
}

void MainWindow::ShowStatus2(std::string_view text, TColor32 colour) {
    SetStatusColour(colour);
    m_status2->setText(FromUtf8(text));
    // Errors and warnings are seen at once, even while a long picture is drawn.
    if (colour != MainState::StatusTextColor) m_status2->repaint();
}

void MainWindow::SetCaption(std::string_view text) {
    setWindowTitle(FromUtf8(text));
    // The caption changes with the figure, and so does the state text.
    m_status1->setText(FromUtf8(m_studio.Commands().StateText({})));
}

void MainWindow::SetPauseHint(std::string_view text) {
    if (m_pauseAction) m_pauseAction->setToolTip(FromUtf8(text));
}

void MainWindow::PlaySoundOnce(std::string_view file) { pax::PlaySoundOnce(std::string(file)); }

void MainWindow::StopSound() { pax::StopSound(); }

void MainWindow::CloseWindow() { close(); }

void MainWindow::Sleep(int32_t milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

// --- keys ------------------------------------------------------------------------------------------

void MainWindow::keyPressEvent(QKeyEvent* event) {
    const int key = VirtualKeyOf(event->key(), event->modifiers());
    if (key == 0) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    Drawing("FormKeyDown", [&] { m_studio.Commands().KeyDown(key, ShiftStateOf(event->modifiers())); });
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    const int key = VirtualKeyOf(event->key(), event->modifiers());
    if (key == 0 || event->isAutoRepeat()) {
        QMainWindow::keyReleaseEvent(event);
        return;
    }
    event->accept();
    Guard("FormKeyUp", [&] { m_studio.Commands().KeyUp(key, ShiftStateOf(event->modifiers())); });
}

}  // namespace pax
