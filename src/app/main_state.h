#pragma once
// MainState: the main window's state without its widgets (the demo and figure shown, the
// animation clock, the info, sync and help modes, the flash texts, the input of the current
// picture) and the small commands that change it. The timers, the status bar and the caption
// belong to the widgets: they are reached through MainCallbacks.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "app/demo_catalogue.h"
#include "app/main_callbacks.h"
#include "foundation/color32.h"
#include "scene/eye_motion.h"

namespace pax {

class TBitmap32;

namespace InfoMode {
inline constexpr uint8_t Off = 0;
inline constexpr uint8_t PicturesPerSecond = 1;
inline constexpr uint8_t PictureNumber = 2;
inline constexpr uint8_t PartCount = 3;
inline constexpr int Count = 4;
}  // namespace InfoMode

namespace MouseButton {
inline constexpr uint8_t Left = 0;
inline constexpr uint8_t Right = 1;
inline constexpr uint8_t Middle = 2;
inline constexpr uint8_t None = 255;
}  // namespace MouseButton

// What the keyboard and mouse handlers leave for the next picture.
struct PictureInput {
    bool KeyNotHandled = false;
    std::array<bool, 256> PressedKeys{};
    uint16_t LastKey = 0;
    TShiftState LastShift;
    uint8_t LastChar = 0;
    bool MouseMoved = false;
    uint8_t Button = MouseButton::None;
    int32_t MouseX = 0, MouseY = 0;   // picture pixels
    int32_t DeltaX = 0, DeltaY = 0;
    int32_t WheelSign = 0;

    // The part every picture clears: key not handled, pressed keys, last key and shift, mouse
    // moved and the deltas. Button and position stay.
    void ResetForNextPicture();
};

class MainState {
public:
    static constexpr const char* BaseCaption = "Pax3d";
    static constexpr const char* PausedMark = "  p.a.u.s.e.d";
    static constexpr const char* FlashSound = "Utopia Schließen.WAV";
    static constexpr TColor32 InfoColor = 0xFFFFFF00;
    static constexpr TColor32 ClearedFlashColor = 0x00FFFF00;
    static constexpr TColor32 StatusErrorColor = 0xFFFF0000;
    static constexpr TColor32 StatusWarningColor = 0xFF0000FF;
    static constexpr TColor32 StatusTextColor = 0xFF000000;
    static constexpr int32_t FlashTicks = 60;        // 3 seconds of 50 ms ticks
    static constexpr int32_t ErrorFlashTicks = 40;   // 2 seconds
    static constexpr int32_t MinDelay = 10;          // ms; shorter delays count as 0
    static constexpr int32_t NextDemoFallbackSeconds = 600;

    // The state of the window's creation: input cleared, flash texts cleared, sync rate 50,
    // no mouse button, the demo, figure, info mode and sync mode from the settings, not in
    // full screen.
    explicit MainState(MainCallbacks& callbacks);
    MainState(const MainState&) = delete;
    MainState& operator=(const MainState&) = delete;

    // --- the demo shown ---------------------------------------------------------------------
    int32_t CurrentDemo = 0;
    int32_t CurrentFigure = 0;
    int32_t DemoShows = 0;
    // A copy of the catalogue entry being shown (an empty record before the first ShowDemo);
    // the pictures read its procedures. Never null.
    std::shared_ptr<const DemoRecord> ShownDemo;
    std::string FigureTitle;

    // The figure shown, or nullptr when the shown demo has no figure at the current index.
    const FigureRecord* ShownFigure() const;
    // "%d/%d" of the demo and figure indices.
    std::string FigureString() const;

    // --- the loop -----------------------------------------------------------------------------
    int32_t AnimationTime = 0;   // ms, advanced by 10 per MilliSecTick while running
    int32_t TickCount = 0;       // RefreshTimer ticks not yet consumed by the sync wait
    uint16_t SyncRate = 50;      // pictures per second
    uint8_t Info = InfoMode::Off;
    bool RedrawPending = false;
    bool Closing = false;
    uint8_t HelpMode = 0;
    bool ValueInputShown = false;
    int32_t Delay = 0;           // ms of sleep after each picture
    PictureInput Input;
    EyeMotionSettings EyeMotion;
    int AxisStyle = 3;           // the style of the axes the show-axis flag draws (arrows)
    // Whether the default data procedure shows the positions of the 3D cursors.
    bool ShowCursorData = true;
    // The "Sound" menu item: checked as the sound switch says at the first activation, then
    // the user's choice. A pause turns the sound off; running again turns it back on when
    // this is set.
    bool SoundChecked = false;

    int32_t FlashCountdown = 0;
    TColor32 FlashColor = ClearedFlashColor;
    std::string FlashText;
    std::string FlashText2;

    bool Running() const;
    int SyncMode() const { return m_syncMode; }

    // --- commands -------------------------------------------------------------------------------
    // (mode + d) mod 4, stored as "Show Info"; flashes " Info = " and the mode's name.
    void ChangeInfoMode(int d);
    // (m + 4) mod 4: 200, 50, the display's refresh rate (75 outside 51 .. 199) or 100 pictures
    // per second; the refresh interval 1000 div rate; stored as "Sync Mode".
    void SetSyncMode(int m);
    // SetSyncMode (mode + d), flashes "SyncMode = " and the sync text, RestartTimer.
    void ChangeSyncMode(int d);
    // "off" in sync mode 0, else the rate and " Hz".
    std::string SyncText() const;
    // The next or previous eye mode; flashes " Eye Mode = " and its name.
    void ChangeMotionMode(int d);
    // The next-demo interval: seconds x 1000 ms, or 600 s when seconds is 0.
    void SetNextDemoTime(int32_t seconds);
    // Delay + d, below 10 ms taken as 0; RestartDemo.
    void ChangeDelayTime(int32_t d);
    // Help mode 1 - help mode; the next-demo timer runs only without help; redraw pending.
    void ToggleHelp();
    // The centred flash text for 3 seconds, also in the second status panel. Without
    // background refresh (switch 9) no text is shown: a sound is played instead.
    void FlashInfo(std::string_view text, TColor32 colour);
    void FlashInfo2(std::string_view text);
    void ClearFlashInfo();
    // A message in the second status panel in red; the flash text vanishes 2 seconds later.
    void ShowStatusError(std::string_view text);
    void ShowStatusWarning(std::string_view text);
    // Panel 2: " Eye Mode = " and the eye mode's name.
    void ShowEyeMode();

    // The figure name, " - " and the demo name, "  p.a.u.s.e.d" while paused; "Pax3d" before
    // any figure.
    std::string CaptionText() const;
    void UpdateCaption();

    // --- timers ---------------------------------------------------------------------------------
    void RefreshTick() { ++TickCount; }
    // Animation time + 10 ms while running.
    void MilliSecTick();
    // Flash countdown - 1 while positive; at 0 the flash texts are cleared.
    void FlashTick();
    // A fresh next-demo interval and a fresh picture clock.
    void RestartTimer();
    // A fresh next-demo interval; redraw pending.
    void ResetDemo();
    // RestartTimer, redraw pending, and a repaint at once while paused.
    void RestartDemo();
    // A fresh next-demo interval, redraw pending, repaint.
    void WindowRefresh();

    // --- overlays -------------------------------------------------------------------------------
    // The default help: " <ret>  demo " and the demo number, "<blanc> figure " and the figure
    // number (both 1-based) at x 10, y 16 and 32.
    void AnimHelp(TBitmap32& surface) const;

    MainCallbacks& Callbacks() const { return m_callbacks; }

private:
    MainCallbacks& m_callbacks;
    int m_syncMode = 0;
};

// The name of info mode m: "off", "frames per second", "picture number", "number of parts".
std::string_view InfoModeName(int mode);

}  // namespace pax
