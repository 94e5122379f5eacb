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

TEST_F(MainStateTest, InfoAndSyncModesWrapBothWaysAndAreStored) {
    ConfigValues().ShowInfo = 3;
    ConfigValues().SyncMode = 1;
    MainState state(callbacks);
    EXPECT_EQ(callbacks.refreshInterval, 20);
    EXPECT_EQ(callbacks.nextDemoInterval, 600000);   // "Next Demo [sec]" 0
    state.ChangeInfoMode(+1);
    EXPECT_EQ(state.Info, InfoMode::Off);
    state.ChangeInfoMode(-1);
    EXPECT_EQ(ConfigValues().ShowInfo, 3);
    EXPECT_EQ(state.FlashText, " Info = number of parts");

    state.SetSyncMode(0);
    EXPECT_EQ(state.SyncText(), "off");
    EXPECT_EQ(callbacks.refreshInterval, 5);
    state.ChangeSyncMode(-1);
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

TEST_F(MainStateTest, FlashTextsLastSixtyTicksAndWithoutBackgroundRefreshASoundPlaysInstead) {
    MainState state(callbacks);
    state.FlashInfo("hello", 0xFF00FF00);
    state.FlashInfo2("second");
    EXPECT_EQ(callbacks.status2, "hello");
    for (int i = 0; i < 59; ++i) state.FlashTick();
    EXPECT_EQ(state.FlashText, "hello");
    state.FlashTick();
    EXPECT_TRUE(state.FlashText.empty() && state.FlashText2.empty());
    EXPECT_EQ(state.FlashColor, 0x00FFFF00u);

    Switches()[Switch::RefreshBackground] = false;
    state.FlashInfo("unseen", 0xFF00FF00);
    EXPECT_TRUE(state.FlashText.empty());
    ASSERT_EQ(callbacks.sounds.size(), 1u);
    EXPECT_EQ(callbacks.sounds[0], "Utopia Schließen.WAV");
}

TEST_F(MainStateTest, DelayHelpMotionModeAndCaption) {
    MainState state(callbacks);
    state.ChangeDelayTime(10);
    EXPECT_EQ(state.Delay, 10);
    state.ChangeDelayTime(-1);
    EXPECT_EQ(state.Delay, 0);
    state.ToggleHelp();
    EXPECT_FALSE(callbacks.nextDemoEnabled);
    state.ChangeMotionMode(-1);
    EXPECT_EQ(state.FlashText, " Eye Mode = Walk");

    EXPECT_EQ(state.CaptionText(), "Pax3d");
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
