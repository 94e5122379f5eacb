#include "lsystem/interpreter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <future>
#include <map>
#include <string>
#include <thread>

#include "lsystem/library/library.h"
#include "lsystem/lsystem_test_scene.h"
#include "lsystem/vl_system.h"
#include "render/windows/object_window.h"
#include "system/numbers.h"

namespace pax {
namespace {

using testing::LSError;
using testing::LSScene;

// Degrees between a line and the plane system's first heading (straight up).
double Turn(const testing::FakeTurtleWindow::Line& line) {
    const tVector3d d = line.to - line.from;
    return static_cast<double>(std::acos(d.z / Extent(d)) * RadToDeg);
}

// Plane systems with angle 10 and step 10: the segments drawn, the turn of the last one, the
// messages and the tubes of thick lines.
TEST(DrawLSystem, DerivesAndInterpretsTheSymbolsOfTheWalk) {
    struct Case {
        const char* axiom;
        std::vector<std::string> rules;
        int deep;
        std::vector<double> lengths;
        double lastTurn = 0;
        std::vector<std::string_view> errors = {};
        Extended factor = 1;
        Extended thickness = 1;
        size_t tubes = 0;
    };
    const Case cases[] = {
        {"12F", {}, 0, {120}},            {"F12F", {}, 0, {10, 120}},       {"3+F", {}, 0, {10}, 30},
        {"+F", {}, 0, {10}, 10},          {"0+F", {}, 0, {10}, 0},          {"2F3F", {}, 0, {20, 30}},
        {"0F", {}, 0, {0}},               {"(1,2)F", {}, 0, {10}},
        {"3X+F", {}, 0, {10}, 30},                     // X is no command: the prefix waits
        {"(a(b))F", {}, 0, {10}, 0, {NestedOpenText}}, {")F", {}, 0, {10}, 0, {MissingOpenText}},
        {"((F", {}, 0, {}, 0, {NestedOpenText, MissingCloseText}},   {"(F", {}, 0, {}, 0, {MissingCloseText}},
        {"A", {"A=F"}, 0, {}},                         // depth 0: rules are never consulted
        {"F", {"F=F+F"}, 2, {10, 10, 10, 10}, 30},
        {"F+F", {"F:"}, 2, {}},                        // an empty successor deletes F
        {"F+F", {"F:"}, 0, {10, 10}, 10},
        {"3A", {"A=F"}, 1, {10, 10, 10}},  {"0AF", {"A=F"}, 1, {10}},  {"3XF", {"A=F"}, 1, {30}},
        {"2F", {"2=FF"}, 1, {20}},                     // digits are never rewritten
        {"AF", {"A=<SF"}, 1, {9, 10}},                 // changes below never come back
        {"A", {"A=F<SB", "B=F"}, 2, {10, 9}},          // the caller's changes go down
        {"AF", {"A=F2"}, 1, {10, 20}},                 // a prefix left by a successor goes on
        {"A)F", {"A=("}, 1, {10}, 0, {MissingCloseText}},   // so does an open list
        {"2A", {"A=F("}, 1, {10, 10}, 0, {MissingCloseText, MissingCloseText}},
        {"A#F", {"A=F #G"}, 1, {10}},                  // comments are cut
        {"A", {"A=F F"}, 1, {10, 10}},                 // blanks are removed
        {"F", {}, 3, {1.25}, 0, {}, 0.5L},             // the step scaled once per generation
        {"F", {}, 0, {}, 0, {}, 1, 3, 1},              {"2!F", {}, 0, {10}, 0, {}, 1, 3, 0},
        {"{F}", {}, 0, {}, 0, {}, 1, 3, 0},            {"{G}", {}, 0, {}, 0, {}, 1, 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.axiom << " " << (c.rules.empty() ? "" : c.rules[0]));
        LSScene scene;
        scene.Draw(c.axiom, c.rules, c.deep, 10, 10, c.factor, c.thickness);
        const auto lengths = scene.SegmentLengths();
        ASSERT_EQ(lengths.size(), c.lengths.size());
        for (size_t i = 0; i < lengths.size(); ++i) EXPECT_NEAR(static_cast<double>(lengths[i]), c.lengths[i], 1e-9);
        if (!lengths.empty() && lengths.back() > 0) {
            EXPECT_NEAR(Turn(scene.window.lines.back()), c.lastTurn, 1e-9);
        }
        std::vector<std::string> errors;
        for (std::string_view text : c.errors) errors.push_back(LSError(text));
        EXPECT_EQ(scene.errors.Errors(), errors);
        size_t tubeFaces = 0;
        for (const auto& polygon : scene.window.polygons) tubeFaces += polygon.corners.size() == 4;
        EXPECT_EQ(tubeFaces, c.tubes * LSInterpreter::CylinderSegments);
    }
}

TEST(Prepare, CleansRulesAndTellsPlaneFrom3dSystems) {
    LSScene scene;
    // Registration turns double quotes into apostrophes.
    scene.lsys.AddLSDef({"cleaned", "", "", 90, 0, 0, 0, 2, "\"A B", {"A=\"FF[B][C]        # branches"}});
    ASSERT_TRUE(scene.lsys.SetLSDef(*scene.lsys.FindLSDef("cleaned")));
    EXPECT_EQ(scene.lsys.System().axiom, "'AB");
    EXPECT_EQ(scene.lsys.System().rules[0].successor, "'FF[B][C]");
    // 3-D commands only in the axiom, or only in a comment, leave a plane system.
    for (auto [axiom, rule, is3d] : {std::tuple{"F&F/F", "F=FF", false}, {"F", "F=F #&", false}, {"F", "F=F/F", true}}) {
        ASSERT_TRUE(scene.Select(axiom, {rule}, 1));
        EXPECT_EQ(scene.lsys.System().is3d, is3d) << rule;
    }
    EXPECT_TRUE(scene.lsys.AnimationValues().rotationSet);
    EXPECT_EQ(scene.lsys.AnimationValues().rotation, (tVector3d{1.22L, 0, 0}));
}

TEST(DrawFigure, ChoosesUniformlyAmongTenAlternativesIgnoresTheEleventhAndRepeatsWithTheSeed) {
    LSScene scene;
    std::vector<std::string> rules;
    for (int k = 1; k <= 11; ++k) rules.push_back("A=" + std::to_string(k) + "F");
    ASSERT_TRUE(scene.Select(std::string(76, 'A'), rules, 1));
    EXPECT_EQ(scene.lsys.Seed(), tTarnsInterpreter::DefaultSeed);
    auto picture = [&](uint32_t seed) {
        scene.window.lines.clear();
        scene.lsys.SetSeed(seed);
        scene.lsys.DrawFigure();
        return scene.SegmentLengths();
    };
    std::map<int, int> chosen;
    for (uint32_t seed = 1; seed <= 30; ++seed)
        for (Extended length : picture(seed)) ++chosen[static_cast<int>(std::lround(static_cast<double>(length) / 10))];
    EXPECT_EQ(chosen.size(), 10u);
    for (int k = 1; k <= 10; ++k) EXPECT_NEAR(chosen[k], 228, 60) << k;
    EXPECT_EQ(picture(tTarnsInterpreter::DefaultSeed), picture(tTarnsInterpreter::DefaultSeed));
    EXPECT_NE(picture(987654321), picture(tTarnsInterpreter::DefaultSeed));
}

TEST(ExpandString, DeepDerivationsRunWithoutTheMachineStack) {
    LSScene scene;
    scene.Draw("A", {"A=A"}, 65535);
    EXPECT_EQ(scene.lsys.Statistics().maxDepth, 65535u);
    scene.window.projected.clear();
    scene.Draw("A", {"A=fA"}, 65535);
    EXPECT_EQ(scene.lsys.Statistics().maxDepth, 65535u);
    // One jump per generation: the turtle went 65535 steps ahead and was popped back. The
    // jumps in a row are projected once, where they end.
    EXPECT_NEAR(static_cast<double>(scene.stage.Pax().Position().z), 0, 1e-9);
    ASSERT_FALSE(scene.window.projected.empty());
    const auto byHeight = [](const tVector3d& a, const tVector3d& b) { return a.z < b.z; };
    const tVector3d farthest =
        *std::max_element(scene.window.projected.begin(), scene.window.projected.end(), byHeight);
    EXPECT_NEAR(static_cast<double>(farthest.z), -250 + 65535 * 10, 1e-6);
    EXPECT_LT(scene.window.projected.size(), 10u);
}

TEST(ExpandString, ALastSymbolExpandedInItsFrameWalksAsANewFrameWould) {
    // The same systems with a symbol of no meaning (Q) after each last one, which keeps it
    // from being last: every point, every level and the state after "]" must agree.
    const auto walk = [](std::vector<std::string> rules) {
        LSScene scene;
        scene.Draw("AC", rules, 7, 30);
        return std::pair{scene.window.projected, scene.lsys.Statistics().maxDepth};
    };
    const auto [inPlace, depth] = walk({"A=F[+A]-B", "B=/F2A", "C=[&A]C"});
    const auto [framed, framedDepth] = walk({"A=F[+A]-BQ", "B=/F2AQ", "C=[&A]CQ"});
    ASSERT_GT(inPlace.size(), 100u);
    EXPECT_EQ(inPlace, framed);
    EXPECT_EQ(depth, 7u);
    EXPECT_EQ(framedDepth, 7u);
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
    EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[0].to, {1000, 0, -240})), 0, 1e-9);
    for (int i = 0; i < 3; ++i) {
        const tVector3d ground = scene.lsys.GroundPosition(i) + tVector3d{1000, 0, 0};
        EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[i].from, ground)), 0, 1e-9) << i;
    }
    EXPECT_EQ(scene.lsys.ResultCounter(), 1u);   // only the first plant is traced
    EXPECT_EQ(scene.lsys.ResultLines(), (std::vector<std::string>{"test", "F"}));
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

TEST(tTarnsInterpreter, RegistersTheLibraryStartsWithTheEmptySystemAndStartsCategoriesByName) {
    testing::ScopedSettings settings;
    Stage stage(StageOptions{480, 360, 64, 64});
    TCursor3d cursor("Ghost");
    RecordingShell shell;
    tTarnsInterpreter lsys(stage, cursor, &shell);
    std::vector<std::string> expected;
    for (const tLSCategory& category : BuiltInLibrary()) {
        expected.push_back("demo " + category.name);
        for (const tLSDef& def : category.entries) expected.push_back(def.name);
    }
    EXPECT_EQ(shell.calls, expected);
    EXPECT_EQ(lsys.Definitions().size(), expected.size() - BuiltInLibrary().size());
    const tLSystem& s = lsys.System();
    EXPECT_EQ(std::tie(s.name, s.axiom, s.angle, s.deep), std::make_tuple("empty", "A", 90.0L, 1));
    EXPECT_EQ(shell.second, (std::vector<double>{2, 5, 100}));

    // Of the two entries of that name, the first one (angle 60, deep 12) is selected.
    cursor.MoveUp(10);
    lsys.StartCategory("VariableLeaf-124");
    EXPECT_EQ(std::tie(s.name, s.angle, s.deep), std::make_tuple("VariableLeaf-124", 60.0L, 12));
    EXPECT_EQ(cursor.Position(), ZeroVector);
    EXPECT_EQ(shell.second, (std::vector<double>{4, 0, 200}));
}

TEST(tTarnsInterpreter, RangeErrorsKeepTheSelectionAndSavingWritesTheNodeAlone) {
    LSScene scene;
    ASSERT_TRUE(scene.Select("F", {"F=F+F"}, 2));
    EXPECT_FALSE(scene.lsys.SetLSDef({"deep", "", "", 90, 0, 0, 0, 70000, "F", {}}));
    ASSERT_EQ(scene.errors.Errors().size(), 1u);
    EXPECT_EQ(scene.errors.Errors()[0].rfind("PaxTarn: tTarnsInterpreter.SetLSDef|L-system \"deep\": deep 70000", 0), 0u);
    EXPECT_EQ(scene.lsys.System().name, "test");

    testing::ScopedTestDirectory dir;
    testing::ScopedPresenter presenter;
    const std::string file = dir.Path("saved.LSY");
    ASSERT_TRUE(scene.lsys.SaveLSystem(file));
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().text, "Lindenmayer System File \"" + file + "\" saved");
    EXPECT_EQ(testing::ReadAll(file), VLSystemText(ToVLSystem(scene.lsys.System())));
}

}  // namespace
}  // namespace pax
