#include "app/main_state.h"

#include <array>

#include "render/surface/bitmap32.h"
#include "system/display_info.h"
#include "system/picture_clock.h"
#include "system/settings.h"

namespace pax {

namespace {

// The remainder in 0 .. n - 1, for negative values too.
int Wrap(int value, int n) {
    const int r = value % n;
    return r < 0 ? r + n : r;
}

constexpr std::array<std::string_view, InfoMode::Count> InfoModeNames{"off", "frames per second", "picture number",
                                                                      "number of parts"};

uint16_t SyncRateOf(int mode) {
    switch (mode) {
    case 0: return 200;
    case 1: return 50;
    case 2: {
        const uint16_t refresh = DisplayInfo().RefreshRate;
        return refresh > 50 && refresh < 200 ? refresh : 75;
    }
    default: return 100;
    }
}

}  // namespace

std::string_view InfoModeName(int mode) { return InfoModeNames[static_cast<size_t>(Wrap(mode, InfoMode::Count))]; }

void PictureInput::ResetForNextPicture() {
    KeyNotHandled = false;
    PressedKeys.fill(false);
    LastKey = 0;
    LastShift = TShiftState();
    MouseMoved = false;
    DeltaX = DeltaY = 0;
}

MainState::MainState(MainCallbacks& callbacks)
    : ShownDemo(std::make_shared<DemoRecord>()), m_callbacks(callbacks) {
    const tConfigValues& v = ConfigValues();
    CurrentDemo = v.DemoGroup;
    CurrentFigure = v.Figure;
    Info = static_cast<uint8_t>(Wrap(v.ShowInfo, InfoMode::Count));
    SetNextDemoTime(v.NextDemoSeconds);
    SetSyncMode(v.SyncMode);
    // The window starts framed, whatever the settings stored.
    Switches()[Switch::FullScreen] = false;
}

const FigureRecord* MainState::ShownFigure() const {
    if (CurrentFigure < 0 || CurrentFigure >= ShownDemo->FigureCount()) return nullptr;
    return &ShownDemo->Figures[static_cast<size_t>(CurrentFigure)];
}

std::string MainState::FigureString() const {
    return std::to_string(CurrentDemo) + "/" + std::to_string(CurrentFigure);
}

bool MainState::Running() const { return !Switches()[Switch::Paused]; }

void MainState::ChangeInfoMode(int d) {
    Info = static_cast<uint8_t>(Wrap(Info + d, InfoMode::Count));
    ConfigValues().ShowInfo = Info;
    FlashInfo(" Info = " + std::string(InfoModeName(Info)), InfoColor);
}

void MainState::SetSyncMode(int m) {
    m_syncMode = Wrap(m, 4);
    SyncRate = SyncRateOf(m_syncMode);
    m_callbacks.SetRefreshInterval(1000 / SyncRate);
    ConfigValues().SyncMode = m_syncMode;
}

void MainState::ChangeSyncMode(int d) {
    SetSyncMode(m_syncMode + d);
    FlashInfo("SyncMode = " + SyncText(), InfoColor);
    RestartTimer();
}

std::string MainState::SyncText() const {
    if (m_syncMode == 0) return "off";
    return std::to_string(SyncRate) + " Hz";
}

void MainState::ChangeMotionMode(int d) {
    SetEyeMode(EyeMotion, Wrap(EyeMotion.EyeMode + d, EyeModeCount));
    FlashInfo(" Eye Mode = " + std::string(EyeModeName(EyeMotion)), InfoColor);
}

void MainState::SetNextDemoTime(int32_t seconds) {
    const int32_t s = seconds > 0 ? seconds : NextDemoFallbackSeconds;
    m_callbacks.SetNextDemoInterval(s * 1000);
}

void MainState::ChangeDelayTime(int32_t d) {
    Delay += d;
    if (Delay < MinDelay) Delay = 0;
    RestartDemo();
}

void MainState::ToggleHelp() {
    HelpMode = static_cast<uint8_t>(1 - HelpMode);
    m_callbacks.EnableNextDemoTimer(HelpMode == 0);
    RedrawPending = true;
}

void MainState::FlashInfo(std::string_view text, TColor32 colour) {
    if (!Switches()[Switch::RefreshBackground]) {
        // Pictures accumulate without background refresh: a text would stay for good.
        m_callbacks.PlaySoundOnce(FlashSound);
        return;
    }
    FlashCountdown = FlashTicks;
    FlashColor = colour;
    FlashText = text;
    m_callbacks.ShowStatus2(text, StatusTextColor);
    WindowRefresh();
}

void MainState::FlashInfo2(std::string_view text) {
    FlashCountdown = FlashTicks;
    FlashText2 = text;
    WindowRefresh();
}

void MainState::ClearFlashInfo() {
    FlashColor = ClearedFlashColor;
    FlashText.clear();
    FlashText2.clear();
}

void MainState::ShowStatusError(std::string_view text) {
    m_callbacks.ShowStatus2(text, StatusErrorColor);
    FlashCountdown = ErrorFlashTicks;
}

void MainState::ShowStatusWarning(std::string_view text) { m_callbacks.ShowStatus2(text, StatusWarningColor); }

void MainState::ShowEyeMode() {
    m_callbacks.ShowStatus2(" Eye Mode = " + std::string(EyeModeName(EyeMotion)), StatusTextColor);
}

std::string MainState::CaptionText() const {
    if (FigureTitle.empty() && ShownDemo->Name.empty()) return BaseCaption;
    std::string caption = FigureTitle + " - " + ShownDemo->Name;
    if (!Running()) caption += PausedMark;
    return caption;
}

void MainState::UpdateCaption() { m_callbacks.SetCaption(CaptionText()); }

void MainState::MilliSecTick() {
    if (Running()) AnimationTime += 10;
}

void MainState::FlashTick() {
    if (FlashCountdown <= 0) return;
    if (--FlashCountdown == 0) ClearFlashInfo();
}

void MainState::RestartTimer() {
    m_callbacks.RestartNextDemoTimer();
    ResetPictureClock();
}

void MainState::ResetDemo() {
    m_callbacks.RestartNextDemoTimer();
    RedrawPending = true;
}

void MainState::RestartDemo() {
    RestartTimer();
    RedrawPending = true;
    if (!Running()) m_callbacks.Repaint();
}

void MainState::WindowRefresh() {
    m_callbacks.RestartNextDemoTimer();
    RedrawPending = true;
    m_callbacks.Repaint();
}

void MainState::AnimHelp(TBitmap32& surface) const {
    surface.Font.Color = InfoColor;
    surface.TextOut(10, 16, " <ret>  demo " + std::to_string(CurrentDemo + 1));
    surface.TextOut(10, 32, "<blanc> figure " + std::to_string(CurrentFigure + 1));
}

}  // namespace pax
