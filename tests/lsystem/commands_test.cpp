#include "lsystem/commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lsystem/lsystem_test_scene.h"
#include "render/palette.h"

namespace pax {
namespace {

using testing::LSError;
using testing::LSScene;

// Every character of text through the interpreter, from a clean mode and prefix.
tLSState Interpret(LSScene& scene, std::string_view text, tLSState state) {
    LSInterpreter& commands = scene.lsys.Commands();
    commands.ClearMode();
    commands.ClearPrefix();
    for (char c : text) commands.Interpret(static_cast<unsigned char>(c), scene.lsys.System(), state);
    return state;
}

tLSState State(Extended angle, Extended step, Extended thickness, uint8_t colour = 1) {
    tLSState state;
    state.angle = angle;
    state.step = step;
    state.thickness = thickness;
    state.colour = colour;
    return state;
}

// Degrees between line i and the plane system's first heading (straight up).
double TurnOfLine(const LSScene& scene, size_t i) {
    const auto& line = scene.window.lines.at(i);
    const tVector3d d = line.to - line.from;
    return static_cast<double>(std::acos(d.z / Extent(d)) * RadToDeg);
}

TEST(LSInterpreter, NumericPrefixesScaleTheNextCommand) {
    struct Case {
        const char* axiom;
        std::vector<double> lengths;
        double turn;        // of the last line, degrees
        bool pending;
        double prefix;   // while pending
    };
    const Case cases[] = {
        {"12F", {120}, 0, false, 1},  {"F12", {10}, 0, true, 12},  {"3+F", {10}, 30, false, 1},
        {"+F", {10}, 10, false, 1},   {"0+F", {10}, 0, false, 1},  {"3X+F", {10}, 30, false, 1},
        {"2F3F", {20, 30}, 0, false, 1}, {"0F", {0}, 0, false, 1},
    };
    for (const Case& c : cases) {
        LSScene scene;
        scene.Draw(c.axiom, {}, 0, 10);
        const auto lengths = scene.SegmentLengths();
        ASSERT_EQ(lengths.size(), c.lengths.size()) << c.axiom;
        for (size_t i = 0; i < lengths.size(); ++i) EXPECT_NEAR(static_cast<double>(lengths[i]), c.lengths[i], 1e-9) << c.axiom;
        if (!lengths.empty() && lengths.back() > 0) {
            EXPECT_NEAR(TurnOfLine(scene, lengths.size() - 1), c.turn, 1e-9) << c.axiom;
        }
        EXPECT_EQ(scene.lsys.Commands().PrefixPending(), c.pending) << c.axiom;
        if (c.pending) {
            EXPECT_EQ(static_cast<double>(scene.lsys.Commands().Prefix()), c.prefix) << c.axiom;
        }
        EXPECT_TRUE(scene.errors.Errors().empty()) << c.axiom;
    }
}

TEST(LSInterpreter, ParameterListsAreSkippedAndTheirMistakesReported) {
    struct Case {
        const char* axiom;
        size_t lines;
        std::vector<std::string> errors;
    };
    const Case cases[] = {
        {"(1,2)F", 1, {}},
        {"(a(b))F", 1, {LSError(NestedOpenText)}},
        {"((F", 0, {LSError(NestedOpenText), LSError(MissingCloseText)}},
        {")F", 1, {LSError(MissingOpenText)}},
        {"(F", 0, {LSError(MissingCloseText)}},
    };
    for (const Case& c : cases) {
        LSScene scene;
        scene.Draw(c.axiom);
        EXPECT_EQ(scene.window.lines.size(), c.lines) << c.axiom;
        EXPECT_EQ(scene.errors.Errors(), c.errors) << c.axiom;
    }
}

TEST(LSInterpreter, ColourStepsWrapAroundThePalette) {
    struct Case {
        uint8_t from;
        const char* text;
        uint8_t to;
    };
    const Case cases[] = {
        {0, "`", 255},  {1, "300`", 213}, {255, "2\"\"", 2}, {5, "3'", 8},     {0, "\xB4", 255},
        {10, "2\xB4", 8}, {0, "<c", 255},  {255, ">c", 0},    {7, "256'", 7}, {7, "X'", 8},
    };
    for (const Case& c : cases) {
        LSScene scene;
        const tLSState state = Interpret(scene, c.text, State(90, 10, 1, c.from));
        EXPECT_EQ(state.colour, c.to) << c.text;
    }
    LSScene scene;
    const tLSPalette& palette = scene.lsys.Palette();
    EXPECT_EQ(palette[1], 0xFF774422u);
    EXPECT_EQ(palette[15], 0xFFFFFFFFu);
    for (int i : {16, 100, 255})
        EXPECT_EQ(palette[static_cast<uint8_t>(i)], CurrentPalette().PaletteColor32(static_cast<uint8_t>(i)) - 0x01000000u) << i;
    Interpret(scene, "300`", State(90, 10, 1, 1));
    EXPECT_EQ(scene.stage.Pax().Pen().LineColor, scene.lsys.Palette()[213]);
    EXPECT_EQ(scene.stage.Pax().Pen().FillColor, scene.lsys.Palette()[213]);
    // "<c" and ">c" change the index only; the colour follows with the next colour command.
    Interpret(scene, ">c", State(90, 10, 1, 1));
    EXPECT_EQ(scene.stage.Pax().Pen().LineColor, scene.lsys.Palette()[213]);
}

TEST(LSInterpreter, ValueCommandsChangeAngleStepAndThickness) {
    enum Field { Angle, Step, Thickness };
    struct Case {
        const char* text;
        Field field;
        double from;
        double to;
    };
    const Case cases[] = {
        {"<S", Step, 100, 90},         {"2<S", Step, 100, 72.9},       {"3<S", Step, 100, 65.61},
        {">S", Step, 100, 110},        {"2>S", Step, 100, 133.1},      {"3<s", Step, 100, 97},
        {"3>s", Step, 100, 103},       {"3<a", Angle, 30, 27},         {"3>a", Angle, 30, 31},
        {"<A", Angle, 30, 27},         {"2>A", Angle, 100, 133.1},     {"2?", Thickness, 10, 8.1},
        {"?", Thickness, 1, 1},        {"2!", Thickness, 3, 1},        {"!", Thickness, 1, 1},
        {"3<t", Thickness, 10, 7},     {"<t", Thickness, 1, 1},        {"3>t", Thickness, 1, 4},
        {"<T", Thickness, 10, 9},      {"<T", Thickness, 1, 1},        {">T", Thickness, 1, 1.1},
        {"300?", Thickness, 10, 10 * std::pow(0.9, 255)},   {"<x", Step, 100, 100},
    };
    for (const Case& c : cases) {
        LSScene scene;
        tLSState start = State(30, 100, 1);
        (c.field == Angle ? start.angle : c.field == Step ? start.step : start.thickness) = c.from;
        const tLSState state = Interpret(scene, c.text, start);
        const Extended value = c.field == Angle ? state.angle : c.field == Step ? state.step : state.thickness;
        EXPECT_NEAR(static_cast<double>(value), c.to, 1e-9 * std::max(1.0, std::fabs(c.to))) << c.text;
        EXPECT_EQ(scene.lsys.Commands().Mode(), OperandMode::None) << c.text;
    }
}

TEST(LSInterpreter, SpecialsMoveByTheThicknessAndSetTheElevation) {
    LSScene scene;
    Pax3d& pax = scene.stage.Pax();
    const tVector3d start = pax.Position();
    Interpret(scene, "$u$r", State(90, 10, 4));
    EXPECT_NEAR(static_cast<double>(Distance(pax.Position(), start + 4 * ZVector + 4 * XVector)), 0, 1e-12);
    Interpret(scene, "$*", State(90, 10, 4));
    EXPECT_EQ(pax.Position(), pax.SavedPosition());
    Interpret(scene, "$^", State(90, 10, 4));
    EXPECT_NEAR(static_cast<double>(pax.Heading().z), 1, 1e-12);
    Interpret(scene, "$&", State(90, 10, 4));
    EXPECT_NEAR(static_cast<double>(pax.Heading().z), -1, 1e-12);
}

TEST(LSInterpreter, ThickLinesAreTubesUntilTheThicknessFallsToOne) {
    struct Case {
        const char* axiom;
        size_t tubes;
        size_t lines;
    };
    const Case cases[] = {{"F", 1, 0}, {"2!F", 0, 1}, {"[!F]F", 2, 0}, {"{F}", 0, 0}, {"{G}", 1, 0}};
    for (const Case& c : cases) {
        LSScene scene;
        scene.Draw(c.axiom, {}, 0, 90, 10, 1, 3);
        size_t tubeFaces = 0;
        for (const auto& polygon : scene.window.polygons) tubeFaces += polygon.corners.size() == 4;
        EXPECT_EQ(tubeFaces, c.tubes * LSInterpreter::CylinderSegments) << c.axiom;
        EXPECT_EQ(scene.window.lines.size(), c.lines) << c.axiom;
    }
    // "!" inside the brackets thins the F after them too: brackets keep the turtle, not the state.
    LSScene scene;
    scene.Draw("[!F]F", {}, 0, 90, 10, 1, 3);
    ASSERT_EQ(scene.window.polygons.size(), 16u);
    for (size_t tube = 0; tube < 2; ++tube) {
        const tVector3d corner = scene.window.polygons[tube * 8].corners[0];
        const tVector3d axisPoint{0, 0, corner.z};
        EXPECT_NEAR(static_cast<double>(Distance(corner, axisPoint)), 2, 1e-9) << tube;
    }
}

TEST(LSInterpreter, PolygonsCollectTheCornersOfFAndDot) {
    LSScene scene;
    scene.Draw("{F+F+F}{.f+f+f}", {}, 0, 120);
    ASSERT_EQ(scene.window.polygons.size(), 2u);
    EXPECT_EQ(scene.window.polygons[0].corners.size(), 4u);   // start, three corners by F
    EXPECT_EQ(scene.window.polygons[1].corners.size(), 4u);   // start twice refused, three by f
    EXPECT_TRUE(scene.window.lines.empty());
    EXPECT_EQ(scene.lsys.Statistics().polygons, 2u);
    EXPECT_EQ(scene.lsys.Statistics().segments, 0u);
}

TEST(LSInterpreter, TracesTheTraceSetInLinesAndCountsIt) {
    LSScene scene;
    scene.lsys.SetShowResult(true);
    scene.Draw(std::string(60, 'F') + "AX\xC2\xA7`~S");
    const auto& lines = scene.lsys.ResultLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "test");
    EXPECT_EQ(lines[1], std::string(56, 'F'));
    EXPECT_EQ(lines[2], "FFFF\xC2\xA7`~S");
    EXPECT_EQ(scene.lsys.ResultCounter(), 64u);
    scene.lsys.SetShowResult(false);
    EXPECT_TRUE(scene.lsys.ResultLines().empty());
    EXPECT_EQ(scene.lsys.ResultCounter(), 0u);
    scene.lsys.DrawFigure();
    EXPECT_TRUE(scene.lsys.ResultLines().empty());
}

}  // namespace
}  // namespace pax
