#include "app/studio.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/basic_animations.h"
#include "app/config/config_test_support.h"
#include "app/config/configuration.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app_test_support.h"
#include "lsystem/interpreter.h"
#include "lsystem/library/library.h"
#include "render/stage.h"
#include "render/object_window.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

StudioOptions Headless(ConfigSource source = ConfigSource::BuiltInDefaults, std::string file = {}) {
    StudioOptions o;
    o.Config = source;
    o.ConfigFile = std::move(file);
    o.DefaultSurfaceWidth = o.DefaultSurfaceHeight = 64;
    return o;
}

TEST(Studio, WithoutAConfigurationFileItHasTheDefaultsAndTheLibrarysEightDemos) {
    testing::ScopedAppSettings settings;
    ConfigValues().DemoGroup = 5;   // left over from elsewhere: the defaults replace it
    Switches()[Switch::ShowAxis] = true;
    const size_t logStart = testing::DebugLogText().size();
    Studio studio(Headless());

    tConfigValues expected;
    expected.ProgramName = "pax3d";
    EXPECT_EQ(ConfigValues(), expected);
    EXPECT_EQ(Switches(), DefaultSwitches());
    EXPECT_FALSE(studio.SaveSettings());

    const DemoCatalogue& c = studio.Catalogue();
    const std::array<int, 8> counts{23, 15, 21, 15, 15, 16, 22, 4};   // 131 figures
    ASSERT_EQ(c.DemoCount(), 8);
    for (int d = 0; d < 8; ++d) {
        const tLSCategory& category = BuiltInLibrary()[static_cast<size_t>(d)];
        EXPECT_EQ(c.Demo(d).Name, category.name);
        ASSERT_EQ(c.FigureCount(d), counts[static_cast<size_t>(d)]) << category.name;
        for (int f = 0; f < counts[static_cast<size_t>(d)]; ++f)
            EXPECT_EQ(c.Demo(d).Figures[static_cast<size_t>(f)].Name, category.entries[static_cast<size_t>(f)].name);
        EXPECT_EQ(static_cast<bool>(c.Demo(d).DefaultData), d == 0);
    }
    EXPECT_EQ(c.Demo(7).Figures[3].Name, "RandomTest2");

    // The units start in order, each with its line in the debug log.
    const std::string log = testing::DebugLogText().substr(logStart);
    size_t at = 0;
    for (const char* unit : {" PaxConf.", " PaxPax.", " PaxEye.", " PaxObj.", " PaxAnim.", " PaxForm.", " PaxTarn."}) {
        const size_t found = log.find(std::string(unit) + "initialization:", at);
        ASSERT_NE(found, std::string::npos) << unit;
        at = found;
    }
}

TEST(Studio, EitherVariableLeafFigureSelectsTheFirstDefinitionOfThatName) {
    testing::ScopedAppSettings settings;
    Studio studio(Headless());
    const tLSDef* first = studio.Interpreter().FindLSDef("VariableLeaf-124");
    ASSERT_NE(first, nullptr);
    for (const DemoSelection at : {DemoSelection{2, 15}, DemoSelection{4, 10}}) {
        studio.Player().ShowDemo(at.Demo, at.Figure);
        EXPECT_EQ(studio.State().FigureTitle, "VariableLeaf-124");
        EXPECT_EQ(studio.Interpreter().System().name, "VariableLeaf-124");
        EXPECT_EQ(studio.Interpreter().System().angle, first->angle);
        EXPECT_EQ(studio.Interpreter().System().axiom, first->axiom);
    }
    // The category start leaves the wobble of the library: 4 s, no roll, distance 200.
    EXPECT_EQ(ConfigValues().BasicAnimation, Animation::Wobble);
    EXPECT_EQ(ConfigValues().Times.z, 4);
    EXPECT_EQ(ConfigValues().Distance.x, 200);
}

TEST(Studio, NextAndPreviousWrapAroundTheLibrary) {
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
    player.FirstDemo();
    player.ShowNextDemo(-1);
    EXPECT_EQ(at(), last);
    player.ShowDemo(3, 5);
    player.PreviousDemo();
    EXPECT_EQ(at(), (DemoSelection{2, 0}));
    player.LastDemo();
    EXPECT_EQ(at(), last);
    player.ShowDemo(8, 4);   // Ctrl+9 with eight demos
    EXPECT_EQ(at(), (DemoSelection{0, 0}));

    state.AnimationTime = 5000;
    player.NextDemo();
    EXPECT_EQ(at(), (DemoSelection{1, 0}));
    EXPECT_EQ(state.AnimationTime, 0);
    EXPECT_EQ(callbacks.caption, "Plant-24 - TABOP Book part 2");
    EXPECT_EQ(state.DemoShows, 10);
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
