#include "app/studio.h"

#include <gtest/gtest.h>

#include <string>

#include "app/config/config_test_support.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app_test_support.h"
#include "system/debug_log.h"

namespace pax {
namespace {

using testing::Headless;

TEST(Studio, WithoutAConfigurationFileItHasTheDefaultsTheLibrarysEightDemosAndItsUnitsInOrder) {
    testing::ScopedAppSettings settings;
    ConfigValues().DemoGroup = 5;   // left over from elsewhere: the defaults replace it
    Switches()[Switch::ShowAxis] = true;
    const size_t logStart = testing::ReadTextFile(DebugLogPath()).size();
    Studio studio(Headless());
    tConfigValues expected;
    expected.ProgramName = "pax3d";
    EXPECT_EQ(ConfigValues(), expected);
    EXPECT_EQ(Switches(), DefaultSwitches());
    EXPECT_FALSE(studio.SaveSettings());

    const DemoCatalogue& c = studio.Catalogue();
    ASSERT_EQ(c.DemoCount(), 8);
    for (int d = 0; d < 8; ++d) EXPECT_EQ(static_cast<bool>(c.Demo(d).DefaultData), d == 0) << d;
    EXPECT_EQ(c.Demo(7).FigureCount(), 4);
    EXPECT_EQ(c.Demo(7).Figures[3].Name, "RandomTest2");

    const std::string log = testing::ReadTextFile(DebugLogPath()).substr(logStart);
    size_t at = 0;
    for (const char* unit : {" PaxConf.", " PaxPax.", " PaxEye.", " PaxObj.", " PaxAnim.", " PaxForm.", " PaxTarn."}) {
        at = log.find(std::string(unit) + "initialization:", at);
        ASSERT_NE(at, std::string::npos) << unit;
    }
}

TEST(Studio, NextAndPreviousFigureWrapAroundTheLibraryAndTheNextDemoStartsAfresh) {
    testing::ScopedAppSettings settings;
    Studio studio(Headless());
    testing::RecordingCallbacks callbacks;
    studio.SetCallbacks(&callbacks);
    EXPECT_EQ(callbacks.nextDemoInterval, 600000);
    EXPECT_EQ(callbacks.refreshInterval, 5);   // sync mode 0: 200 pictures per second
    DemoPlayer& player = studio.Player();
    MainState& state = studio.State();
    auto at = [&] { return DemoSelection{state.CurrentDemo, state.CurrentFigure}; };
    const DemoSelection last{7, 3};   // "RandomTest2"
    player.ShowDemo(last.Demo, last.Figure);
    player.ShowNextFigure(+1);
    EXPECT_EQ(at(), (DemoSelection{0, 0}));
    player.ShowNextFigure(-1);
    EXPECT_EQ(at(), last);
    player.ShowDemo(3, 5);
    player.PreviousDemo();
    EXPECT_EQ(at(), (DemoSelection{2, 0}));
    player.ShowDemo(0, 5);
    state.AnimationTime = 5000;
    player.NextDemo();
    EXPECT_EQ(at(), (DemoSelection{1, 0}));
    EXPECT_EQ(state.AnimationTime, 0);
    EXPECT_EQ(callbacks.caption, "Plant-24 - TABOP Book part 2");
    EXPECT_EQ(state.DemoShows, 7);   // one per figure shown
}

TEST(Studio, SetFirstFigureIsStoredInTheFileTheNextStartBeginsWith) {
    testing::ScopedAppSettings settings;
    testing::TempDir dir;
    const std::string file = dir.File("studio-test.INI");
    {
        Studio studio(Headless(ConfigSource::File, file));
        studio.Player().ShowDemo(6, 4);
        studio.Player().SetFirstFigure();
        EXPECT_EQ(studio.State().FlashText, "1st Figure");
    }
    ConfigValues() = tConfigValues{};
    Studio studio(Headless(ConfigSource::File, file));
    studio.Activate();
    EXPECT_EQ(studio.State().FigureTitle, studio.Catalogue().Demo(6).Figures[4].Name);
    EXPECT_EQ(studio.State().FigureString(), "6/4");
}

}  // namespace
}  // namespace pax
