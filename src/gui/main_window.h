#pragma once
// MainWindow: the picture, the status bar's two panels, the four timers of the animation
// loop and the menus that select figures. It forwards Qt's events to the Studio (the
// picture loop, the player) and to MainCommands, and serves the Studio's callbacks.
//
// Pictures are drawn outside paintEvent: a repaint request queues one call of the loop's
// paint handler (FormPaint), which draws into the surface; paintEvent only shows the
// surface. So a message box that an error opens while drawing never runs inside a paint.

#include <QMainWindow>
#include <QElapsedTimer>
#include <QTimer>

#include <memory>
#include <string>

#include "app/main_callbacks.h"

class QLabel;
class QMenu;
class QAction;

namespace pax {

class Studio;
class PictureView;
class MainCommands;
class LongPictureWatch;

class MainWindow : public QMainWindow, public MainCallbacks {
public:
    static constexpr int RefreshInterval = 20;   // ms, until the sync mode sets its own
    static constexpr int MilliSecInterval = 10;
    static constexpr int X20Interval = 50;
    static constexpr int StatePanelWidth = 70;
    static constexpr int UnsyncedBatchMs = 4;
    // The picture is shown at most once per refresh of the screen: faster pictures are all
    // drawn and the latest one is shown. A show more would be seen by nobody, and it costs a
    // copy of the whole surface to the screen, which at the largest window sizes takes a
    // tenth of a picture's time from the loop. A screen that tells no plausible rate counts
    // as FallbackRefreshHz.
    static constexpr double FallbackRefreshHz = 60;
    static constexpr double MinRefreshHz = 20, MaxRefreshHz = 1000;
    static qint64 ShowIntervalNs(double refreshHz);

    // The studio must outlive the window; the window installs itself as its callbacks and
    // removes itself when destroyed.
    explicit MainWindow(Studio& studio, QWidget* parent = nullptr);
    ~MainWindow() override;

    PictureView& Picture() { return *m_picture; }
    MainCommands& Commands();
    QMenu* SelectFigureMenu() const { return m_selectFigureMenu; }
    QString StatusText(int panel) const;

    // The timers' work, one tick each (the tests drive them by hand).
    void RefreshTick();
    void MilliSecTick();
    void X20Tick();
    void NextDemoTick();
    // The queued paint handler: the next picture when the loop has one to spend.
    void PaintPicture();

    // --- MainCallbacks ---------------------------------------------------------------------
    void Repaint() override;
    void ShowPicture(const DrawnArea& area) override;
    bool ShowOwed() const override { return m_showOwed; }
    void ShowOwedPicture(const TBitmap32& picture) override;
    void RestartNextDemoTimer() override;
    void EnableNextDemoTimer(bool enabled) override;
    void SetNextDemoInterval(int32_t milliseconds) override;
    void SetRefreshInterval(int32_t milliseconds) override;
    void ShowStatus1(std::string_view text, TColor32 colour) override;
    void ShowStatus2(std::string_view text, TColor32 colour) override;
    void SetCaption(std::string_view text) override;
    void SetPauseHint(std::string_view text) override;
    void PlaySoundOnce(std::string_view file) override;
    void StopSound() override;
    void CloseWindow() override;
    void Sleep(int32_t milliseconds) override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void BuildStatusBar();
    void BuildAnimateMenu();
    void BuildSelectFigureMenu();
    void Place();
    void Activate();
    void StartTimers();
    void StopTimers();
    // The time between two shows on the screen the window is on now (it may have been moved).
    qint64 ShowInterval() const;
    // The show that is due now: owed to the next picture where that one can show it beside its
    // drawing (and mayOwe), else asked for.
    void ShowDuePicture(bool mayOwe);
    void SetStatusColour(TColor32 colour);
    // Work that may draw pictures, guarded and watched.
    template <class Work>
    void Drawing(const char* where, Work&& work);

    Studio& m_studio;
    // Keeps a long picture stoppable; every handler that may draw runs inside its scope.
    std::unique_ptr<LongPictureWatch> m_watch;
    PictureView* m_picture = nullptr;
    QLabel* m_status1 = nullptr;
    QLabel* m_status2 = nullptr;
    QMenu* m_selectFigureMenu = nullptr;
    QMenu* m_animateMenu = nullptr;
    QAction* m_pauseAction = nullptr;
    QTimer m_refreshTimer;
    QTimer m_milliSecTimer;
    QTimer m_x20Timer;
    QTimer m_nextDemoTimer;
    QTimer m_showTimer;
    QElapsedTimer m_sinceShown;
    uint64_t m_shownOverlays = 0;
    bool m_nextDemoEnabled = true;
    bool m_paintQueued = false;
    bool m_showOwed = false;   // to be painted beside the next picture's drawing
    bool m_paintAfterDrawing = false;
    bool m_activated = false;
    bool m_closed = false;
};

}  // namespace pax
