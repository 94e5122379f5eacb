#include "app/main_state.h"

#include <gtest/gtest.h>

#include "app_test_support.h"
#include "system/display_info.h"

namespace pax {
namespace {

class MainStateTest : public ::testing::Test {
protected:
    testing::ScopedAppSettings settings;
    testing::RecordingCallbacks callbacks;
};

TEST_F(MainStateTest, CreationTakesDemoFigureInfoAndSyncFromTheSettings) {
    ConfigValues().DemoGroup = 3;
    ConfigValues().Figure = 7;
    ConfigValues().ShowInfo = 2;
    ConfigValues().SyncMode = 1;
    MainState state(callbacks);
    EXPECT_EQ(state.CurrentDemo, 3);
    EXPECT_EQ(state.CurrentFigure, 7);
    EXPECT_EQ(state.FigureString(), "3/7");
    EXPECT_EQ(state.Info, InfoMode::PictureNumber);
    EXPECT_EQ(state.SyncRate, 50);
    EXPECT_EQ(callbacks.refreshInterval, 20);
    EXPECT_EQ(callbacks.nextDemoInterval, 600000);   // "Next Demo [sec]" 0
    EXPECT_EQ(state.CaptionText(), "Pax3d");
}

TEST_F(MainStateTest, InfoModeWrapsBothWaysAndIsStoredAndFlashed) {
    MainState state(callbacks);
    state.Info = InfoMode::PartCount;
    state.ChangeInfoMode(+1);
    EXPECT_EQ(state.Info, InfoMode::Off);
    state.ChangeInfoMode(-1);
    EXPECT_EQ(state.Info, InfoMode::PartCount);
    EXPECT_EQ(ConfigValues().ShowInfo, 3);
    EXPECT_EQ(state.FlashText, " Info = number of parts");
    EXPECT_EQ(state.FlashColor, 0xFFFFFF00u);
    EXPECT_EQ(state.FlashCountdown, 60);
    EXPECT_EQ(callbacks.status2, " Info = number of parts");
}

TEST_F(MainStateTest, SyncModesSetRateIntervalAndText) {
    MainState state(callbacks);
    state.SetSyncMode(0);
    EXPECT_EQ(state.SyncText(), "off");
    EXPECT_EQ(callbacks.refreshInterval, 5);
    state.ChangeSyncMode(-1);
    EXPECT_EQ(state.SyncMode(), 3);
    EXPECT_EQ(state.SyncText(), "100 Hz");
    EXPECT_EQ(state.FlashText, "SyncMode = 100 Hz");
    EXPECT_EQ(ConfigValues().SyncMode, 3);
    const uint16_t refresh = DisplayInfo().RefreshRate;
    DisplayInfo().RefreshRate = 60;
    state.SetSyncMode(-2);
    EXPECT_EQ(state.SyncText(), "60 Hz");
    EXPECT_EQ(callbacks.refreshInterval, 16);
    DisplayInfo().RefreshRate = 50;   // outside 51 .. 199
    state.SetSyncMode(2);
    EXPECT_EQ(state.SyncRate, 75);
    DisplayInfo().RefreshRate = refresh;
}

TEST_F(MainStateTest, FlashTextsCountDownAndWithoutBackgroundRefreshASoundPlaysInstead) {
    MainState state(callbacks);
    state.FlashInfo("hello", 0xFF00FF00);
    state.FlashInfo2("second");
    EXPECT_GT(callbacks.repaints, 0);
    for (int i = 0; i < 59; ++i) state.FlashTick();
    EXPECT_EQ(state.FlashText, "hello");
    state.FlashTick();
    EXPECT_TRUE(state.FlashText.empty());
    EXPECT_TRUE(state.FlashText2.empty());
    EXPECT_EQ(state.FlashColor, 0x00FFFF00u);

    Switches()[Switch::RefreshBackground] = false;
    state.FlashInfo("unseen", 0xFF00FF00);
    EXPECT_TRUE(state.FlashText.empty());
    ASSERT_EQ(callbacks.sounds.size(), 1u);
    EXPECT_EQ(callbacks.sounds[0], "Utopia Schließen.WAV");

    state.ShowStatusError("broken");
    EXPECT_EQ(callbacks.status2Colour, MainState::StatusErrorColor);
    EXPECT_EQ(state.FlashCountdown, 40);
}

TEST_F(MainStateTest, DelayHelpMotionAndCaption) {
    MainState state(callbacks);
    state.ChangeDelayTime(10);
    EXPECT_EQ(state.Delay, 10);
    state.ChangeDelayTime(-1);
    EXPECT_EQ(state.Delay, 0);
    state.ToggleHelp();
    EXPECT_EQ(state.HelpMode, 1);
    EXPECT_FALSE(callbacks.nextDemoEnabled);
    state.ToggleHelp();
    EXPECT_TRUE(callbacks.nextDemoEnabled);
    state.ChangeMotionMode(-1);
    EXPECT_EQ(state.EyeMotion.EyeMode, EyeWalk);
    EXPECT_EQ(state.FlashText, " Eye Mode = Walk");

    auto demo = std::make_shared<DemoRecord>();
    demo->Name = "Plants";
    state.ShownDemo = demo;
    state.FigureTitle = "Fern";
    state.UpdateCaption();
    EXPECT_EQ(callbacks.caption, "Fern - Plants");
    Switches()[Switch::Paused] = true;
    EXPECT_EQ(state.CaptionText(), "Fern - Plants  p.a.u.s.e.d");
    state.MilliSecTick();
    EXPECT_EQ(state.AnimationTime, 0);   // the clock stands while paused
}

}  // namespace
}  // namespace pax
