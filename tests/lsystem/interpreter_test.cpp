#include "lsystem/interpreter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <map>
#include <string>
#include <thread>

#include "lsystem/library/library.h"
#include "lsystem/lsy_file.h"
#include "lsystem/lsystem_test_scene.h"
#include "lsystem/vl_system.h"
#include "render/object_window.h"
#include "system/numbers.h"

namespace pax {
namespace {

using testing::DrawInto;
using testing::LSError;
using testing::LSScene;

TEST(ExpandString, DerivesDepthFirstWithTheRulesOfTheWalk) {
    struct Case {
        const char* axiom;
        std::vector<std::string> rules;
        int deep;
        std::vector<double> lengths;
        int missingClose = 0;
    };
    const Case cases[] = {
        {"A", {"A=F"}, 0, {}},                        // depth 0: rules are never consulted
        {"F", {"F=FF"}, 0, {10}},
        {"F", {"F=F+F"}, 2, {10, 10, 10, 10}},
        {"F+F", {"F:"}, 2, {}},                       // an empty successor deletes F
        {"F+F", {"F:"}, 0, {10, 10}},
        {"3A", {"A=F"}, 1, {10, 10, 10}},             // the successor three times
        {"0AF", {"A=F"}, 1, {10}},
        {"3XF", {"A=F"}, 1, {30}},                    // X passes with 3 pending
        {"2F", {"2=FF"}, 1, {20}},                    // digits are never rewritten
        {"AF", {"A=<SF"}, 1, {9, 10}},                // changes below never come back
        {"A", {"A=F<SB", "B=F"}, 2, {10, 9}},         // the caller's changes go down
        {"AF", {"A=F2"}, 1, {10, 20}},                // a prefix left by a successor goes on
        {"A)F", {"A=("}, 1, {10}, 1},                 // so does an open list
        {"2A", {"A=F("}, 1, {10, 10}, 2},             // each run starts outside any list
        {"A#F", {"A=F #G"}, 1, {10}},                 // comments are cut
        {"A", {"A=F F"}, 1, {10, 10}},                // blanks are removed
    };
    for (const Case& c : cases) {
        LSScene scene;
        scene.Draw(c.axiom, c.rules, c.deep);
        const auto lengths = scene.SegmentLengths();
        ASSERT_EQ(lengths.size(), c.lengths.size()) << c.axiom << " " << c.rules[0];
        for (size_t i = 0; i < lengths.size(); ++i)
            EXPECT_NEAR(static_cast<double>(lengths[i]), c.lengths[i], 1e-9) << c.axiom << " " << i;
        EXPECT_EQ(scene.errors.Errors(), std::vector<std::string>(c.missingClose, LSError(MissingCloseText))) << c.axiom;
    }
}

TEST(ExpandString, StepIsScaledOncePerGenerationAndAnOperandIsNeverRewritten) {
    LSScene scene;
    scene.Draw("F", {}, 3, 90, 100, 0.5L);
    ASSERT_EQ(scene.window.lines.size(), 1u);
    EXPECT_NEAR(static_cast<double>(scene.SegmentLengths()[0]), 12.5, 1e-12);

    LSScene view(DrawInto::View);
    view.Draw("F~S", {"S=FFF"}, 1);
    EXPECT_EQ(view.stage.View().PartCount(), 2);   // the line and the sphere, not three lines
    EXPECT_EQ(view.lsys.Statistics().segments, 1u);
}

TEST(Prepare, CleansRulesBuildsTheTablesAndTellsPlaneFrom3dSystems) {
    LSScene scene;
    tLSDef def;
    def.name = "cleaned";
    def.axiom = "\"A B";
    def.rules = {"A=\"FF[B][C]        # branches", "B=F", "1=F"};
    def.deep = 2;
    scene.lsys.AddLSDef(def);
    ASSERT_TRUE(scene.lsys.SetLSDef(*scene.lsys.FindLSDef("cleaned")));
    EXPECT_EQ(scene.lsys.System().axiom, "'AB");
    EXPECT_EQ(scene.lsys.System().rules[0].successor, "'FF[B][C]");
    EXPECT_EQ(scene.lsys.RuleIndex(0, 'A'), 0);
    EXPECT_EQ(scene.lsys.RuleIndex(0, 'B'), 1);
    EXPECT_EQ(scene.lsys.RuleIndex(0, '1'), -1);
    EXPECT_EQ(scene.lsys.RuleIndex(0, 'C'), -1);
    EXPECT_FALSE(scene.lsys.Stochastic());
    EXPECT_FALSE(scene.lsys.System().is3d);
    EXPECT_EQ(scene.lsys.AnimationValues().second, (std::array<Extended, 3>{2, 5, 100}));

    // 3-D commands only in the axiom, or only in a comment, leave a plane system.
    ASSERT_TRUE(scene.Select("F&F/F", {"F=FF"}, 1));
    EXPECT_FALSE(scene.lsys.System().is3d);
    ASSERT_TRUE(scene.Select("F", {"F=F #&"}, 1));
    EXPECT_FALSE(scene.lsys.System().is3d);
    ASSERT_TRUE(scene.Select("F", {"F=F/F"}, 1));
    EXPECT_TRUE(scene.lsys.System().is3d);
    EXPECT_TRUE(scene.lsys.AnimationValues().rotationSet);
    EXPECT_EQ(scene.lsys.AnimationValues().rotation, (tVector3d{1.22L, 0, 0}));
}

TEST(Prepare, ChoosesUniformlyAmongTenAlternativesAndIgnoresTheEleventh) {
    LSScene scene;
    std::vector<std::string> rules;
    for (int k = 1; k <= 11; ++k) rules.push_back("A=" + std::to_string(k) + "F");
    ASSERT_TRUE(scene.Select(std::string(76, 'A'), rules, 1));
    EXPECT_TRUE(scene.lsys.Stochastic());
    EXPECT_EQ(scene.lsys.RuleCount('A'), 9);
    EXPECT_EQ(scene.lsys.RuleIndex(9, 'A'), 9);
    std::map<int, int> chosen;
    for (uint32_t seed = 1; seed <= 30; ++seed) {
        scene.window.lines.clear();
        scene.lsys.SetSeed(seed);
        scene.lsys.DrawFigure();
        for (Extended length : scene.SegmentLengths()) ++chosen[static_cast<int>(std::lround(static_cast<double>(length) / 10))];
    }
    EXPECT_EQ(chosen.size(), 10u);
    for (int k = 1; k <= 10; ++k) EXPECT_NEAR(chosen[k], 228, 60) << k;
    EXPECT_EQ(chosen.count(11), 0u);
}

TEST(DrawFigure, TheSeedDecidesTheStochasticPicture) {
    LSScene scene;
    ASSERT_TRUE(scene.Select("F", {"F:F[+F]F[-F]F", "F:F[+F]F", "F:F[-F]F"}, 4, 25.7L));
    auto picture = [&](uint32_t seed) {
        scene.window.lines.clear();
        scene.lsys.SetSeed(seed);
        scene.lsys.DrawFigure();
        std::vector<tVector3d> ends;
        for (const auto& line : scene.window.lines) ends.push_back(line.to);
        return ends;
    };
    EXPECT_EQ(scene.lsys.Seed(), tTarnsInterpreter::DefaultSeed);
    const auto first = picture(tTarnsInterpreter::DefaultSeed);
    EXPECT_EQ(picture(tTarnsInterpreter::DefaultSeed), first);
    EXPECT_NE(picture(987654321), first);
}

TEST(ExpandString, DeepDerivationsRunWithoutTheMachineStack) {
    LSScene scene;
    scene.Draw("A", {"A=A"}, 65535);
    EXPECT_EQ(scene.lsys.Statistics().maxDepth, 65535u);
    scene.window.projected.clear();
    scene.Draw("A", {"A=fA"}, 65535);
    EXPECT_EQ(scene.lsys.Statistics().maxDepth, 65535u);
    // One jump per generation: the turtle went 65535 steps ahead.
    EXPECT_NEAR(static_cast<double>(scene.stage.Pax().Position().z), 0, 1e-9);   // popped back
    EXPECT_EQ(scene.window.projected.size() >= 65535u, true);
    EXPECT_NEAR(static_cast<double>(scene.window.projected[65535].z), -250 + 65535 * 10, 1e-6);
}

TEST(ExpandString, AStopRequestEndsARunawayDerivation) {
    LSScene scene;
    ASSERT_TRUE(scene.Select("A", {"A=AA"}, 100));
    auto walk = std::async(std::launch::async, [&] { scene.lsys.DrawFigure(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    RequestStop();
    if (walk.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "the derivation did not stop";
        std::_Exit(1);   // the walk would block the test's end for ever
    }
    EXPECT_EQ(scene.stage.Pax().Depth(), 0);
    EXPECT_EQ(scene.stage.View().NestingDepth(), 0);
    // A new drawing after the stop was cleared runs again.
    ClearStopRequest();
    scene.Draw("F", {}, 0);
    EXPECT_EQ(scene.window.lines.size(), 1u);
}

TEST(DrawLSystem, PlantsStandOnTheGroundAroundTheSceneCursor) {
    LSScene scene;
    EXPECT_EQ(scene.lsys.GroundPosition(0), (tVector3d{0, 0, -250}));
    EXPECT_EQ(scene.lsys.GroundHeading(0), 0);
    for (int i = 1; i < tTarnsInterpreter::GroundPositions; ++i) {
        const tVector3d p = scene.lsys.GroundPosition(i);
        EXPECT_TRUE(p.x >= -400 && p.x < 400 && p.y >= -400 && p.y < 400 && p.z == -250) << i;
        EXPECT_TRUE(scene.lsys.GroundHeading(i) >= 0 && scene.lsys.GroundHeading(i) < 360) << i;
    }
    scene.cursor.MoveRight(1000);
    scene.cursor.SavePosition();
    scene.lsys.SetPlantCount(3);
    scene.lsys.SetShowResult(true);
    scene.Draw("F", {"F=F/"}, 0);
    ASSERT_EQ(scene.window.lines.size(), 3u);
    EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[0].from, {1000, 0, -250})), 0, 1e-9);
    EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[0].to, {1000, 0, -240})), 0, 1e-9);
    for (int i = 1; i < 3; ++i) {
        const tVector3d ground = scene.lsys.GroundPosition(i) + tVector3d{1000, 0, 0};
        EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[i].from, ground)), 0, 1e-9) << i;
    }
    EXPECT_EQ(scene.lsys.ResultCounter(), 1u);   // only the first plant is traced
    EXPECT_EQ(scene.lsys.ResultLines(), (std::vector<std::string>{"test", "F"}));
    EXPECT_EQ(scene.stage.Pax().Depth(), 0);
    EXPECT_EQ(scene.stage.View().NestingDepth(), 0);
    scene.lsys.SetPlantCount(500);
    EXPECT_EQ(scene.lsys.PlantCount(), tTarnsInterpreter::MaxPlants);
}

class RecordingShell : public tLSShell {
public:
    void RegisterAnimation(const std::string& category) override { calls.push_back("demo " + category); }
    void RegisterFigure(const std::string& name) override { calls.push_back(name); }
    void SetSecondValues(Extended a, Extended b, Extended c) override {
        second = {static_cast<double>(a), static_cast<double>(b), static_cast<double>(c)};
    }
    std::vector<std::string> calls;
    std::vector<double> second;
};

TEST(tTarnsInterpreter, RegistersTheLibraryAndStartsWithTheEmptySystem) {
    testing::ScopedSettings settings;
    Stage stage(StageOptions{480, 360, 64, 64});
    TCursor3d cursor("Ghost");
    RecordingShell shell;
    tTarnsInterpreter lsys(stage, cursor, &shell);
    std::vector<std::string> expected;
    size_t definitions = 0;
    for (const tLSCategory& category : BuiltInLibrary()) {
        expected.push_back("demo " + category.name);
        for (const tLSDef& def : category.entries) expected.push_back(def.name);
        definitions += category.entries.size();
    }
    EXPECT_EQ(shell.calls, expected);
    EXPECT_EQ(lsys.Definitions().size(), definitions);
    EXPECT_EQ(lsys.System().name, "empty");
    EXPECT_EQ(lsys.System().axiom, "A");
    EXPECT_EQ(lsys.System().angle, 90);
    EXPECT_EQ(lsys.System().deep, 1);
    EXPECT_EQ(shell.second, (std::vector<double>{2, 5, 100}));

    // The category start selects the first definition of the figure's name.
    tLSDef first;
    first.name = "twin";
    first.axiom = "F";
    first.rules = {"F=F"};
    tLSDef second = first;
    second.axiom = "G";
    lsys.AddLSDef(first);
    lsys.AddLSDef(second);
    cursor.MoveUp(10);
    lsys.StartCategory("twin");
    EXPECT_EQ(lsys.System().axiom, "F");
    EXPECT_EQ(cursor.Position(), ZeroVector);
    EXPECT_EQ(shell.second, (std::vector<double>{4, 0, 200}));
}

TEST(tTarnsInterpreter, RangeErrorsKeepTheSelectionAndSavingWritesTheNodeAlone) {
    LSScene scene;
    ASSERT_TRUE(scene.Select("F", {"F=F+F"}, 2));
    tLSDef tooDeep;
    tooDeep.name = "deep";
    tooDeep.deep = 70000;
    EXPECT_FALSE(scene.lsys.SetLSDef(tooDeep));
    ASSERT_EQ(scene.errors.Errors().size(), 1u);
    EXPECT_EQ(scene.errors.Errors()[0].rfind("PaxTarn: tTarnsInterpreter.SetLSDef|L-system \"deep\": deep 70000", 0), 0u);
    EXPECT_EQ(scene.lsys.System().name, "test");

    testing::ScopedPresenter presenter;
    const std::string file = (std::filesystem::temp_directory_path() / "pax_lsystem_save_test.LSY").string();
    ASSERT_TRUE(scene.lsys.SaveLSystem(file));
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().text, "Lindenmayer System File \"" + file + "\" saved");
    tLsyFile read;
    ReadLsyFile(file, read, SummaryBox::Suppress);
    ASSERT_EQ(read.NodeCount(), 1u);
    EXPECT_EQ(ToLSystem(*read.Nodes()[0]), scene.lsys.System());
    std::remove(file.c_str());
}

}  // namespace
}  // namespace pax
