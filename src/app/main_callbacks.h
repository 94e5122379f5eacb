#pragma once
// MainCallbacks: what the main window's logic asks of the widgets around it. The desktop
// program implements it with its timers, status bar, sound and dialogs; headless (command
// line, tests) every operation does nothing.

#include <cstdint>
#include <string_view>

#include "app/drawn_area.h"
#include "foundation/color32.h"

namespace pax {

class TBitmap32;

class MainCallbacks {
public:
    virtual ~MainCallbacks() = default;

    // The picture should be painted now (the paint handler then runs the next picture).
    virtual void Repaint() {}
    // The finished picture is to be shown on the screen; area: where it has something.
    virtual void ShowPicture(const DrawnArea& area) { (void)area; }
    // Whether the show of the picture finished last is still owed. The next picture drawn
    // behind then hands that picture over whole (ShowOwedPicture) as its parts begin to be
    // drawn over the surface, so that the show and the drawing go on side by side.
    virtual bool ShowOwed() const { return false; }
    // The picture finished last, kept whole in picture while the next one is drawn: the owed
    // show is painted from it now. picture is valid during the call only.
    virtual void ShowOwedPicture(const TBitmap32& picture) { (void)picture; }
    // NextDemoTimer disabled and enabled again: a fresh full interval.
    virtual void RestartNextDemoTimer() {}
    // NextDemoTimer runs only while enabled (help mode 0).
    virtual void EnableNextDemoTimer(bool enabled) { (void)enabled; }
    virtual void SetNextDemoInterval(int32_t milliseconds) { (void)milliseconds; }
    virtual void SetRefreshInterval(int32_t milliseconds) { (void)milliseconds; }

    // The two panels of the status bar, and the window caption.
    virtual void ShowStatus1(std::string_view text, TColor32 colour) {
        (void)text;
        (void)colour;
    }
    virtual void ShowStatus2(std::string_view text, TColor32 colour) {
        (void)text;
        (void)colour;
    }
    virtual void SetCaption(std::string_view text) { (void)text; }
    // The hint of the pause button: "Step" while paused, "Pause" while running.
    virtual void SetPauseHint(std::string_view text) { (void)text; }

    virtual void PlaySoundOnce(std::string_view file) { (void)file; }
    virtual void StopSound() {}

    // The options dialog takes the changed settings and the new figure.
    virtual void RefreshOptions() {}
    // The animation values window, when it is visible, shows the loop's values.
    virtual void UpdateAnimationWindow() {}

    // Esc and F11: the main window closes (and with it the program).
    virtual void CloseWindow() {}

    // The desktop program sleeps (a delay after each picture, the pause after a failed
    // picture); headless pictures never wait.
    virtual void Sleep(int32_t milliseconds) { (void)milliseconds; }
};

}  // namespace pax
