#include "lsystem/commands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lsystem/lsystem_test_scene.h"
#include "render/colour/palette.h"

namespace pax {
namespace {

using testing::LSScene;

// Every character of text through the interpreter, from a clean mode and prefix.
tLSState Interpret(LSScene& scene, std::string_view text, tLSState state) {
    LSInterpreter& commands = scene.lsys.Commands();
    commands.ClearMode();
    commands.ClearPrefix();
    for (char c : text) commands.Interpret(static_cast<unsigned char>(c), scene.lsys.System(), state);
    return state;
}

TEST(LSInterpreter, ColourAndValueCommandsChangeTheState) {
    constexpr Extended tLSState::*Angle = &tLSState::angle;
    constexpr Extended tLSState::*Step = &tLSState::step;
    constexpr Extended tLSState::*Thickness = &tLSState::thickness;
    constexpr Extended tLSState::*Colour = nullptr;
    struct Case {
        const char* text;
        Extended tLSState::*field;
        double from;
        double to;
    };
    const Case cases[] = {
        {"`", Colour, 0, 255},         {"300`", Colour, 1, 213},       {"2\"\"", Colour, 255, 2},
        {"3'", Colour, 5, 8},          {"\xB4", Colour, 0, 255},       {"2\xB4", Colour, 10, 8},
        {"<c", Colour, 0, 255},        {">c", Colour, 255, 0},         {"256'", Colour, 7, 7},
        {"X'", Colour, 7, 8},          {"4611686018427387903'", Colour, 1, 0},
        {"100000000000000000000'", Colour, 7, 7},
        {"<S", Step, 100, 90},         {"2<S", Step, 100, 72.9},       {"3<S", Step, 100, 65.61},
        {">S", Step, 100, 110},        {"2>S", Step, 100, 133.1},      {"3<s", Step, 100, 97},
        {"3>s", Step, 100, 103},       {"3<a", Angle, 30, 27},         {"3>a", Angle, 30, 31},
        {"<A", Angle, 30, 27},         {"2>A", Angle, 100, 133.1},     {"2?", Thickness, 10, 8.1},
        {"?", Thickness, 1, 1},        {"2!", Thickness, 3, 1},        {"!", Thickness, 1, 1},
        {"3<t", Thickness, 10, 7},     {"<t", Thickness, 1, 1},        {"3>t", Thickness, 1, 4},
        {"<T", Thickness, 10, 9},      {"<T", Thickness, 1, 1},        {">T", Thickness, 1, 1.1},
        {"300?", Thickness, 10, 10 * std::pow(0.9, 255)},   {"<x", Step, 100, 100},
    };
    LSScene scene;
    for (const Case& c : cases) {
        tLSState start{30, 100, 1};
        if (c.field) start.*c.field = c.from;
        else start.colour = static_cast<uint8_t>(c.from);
        const tLSState state = Interpret(scene, c.text, start);
        const double value = c.field ? static_cast<double>(state.*c.field) : state.colour;
        EXPECT_NEAR(value, c.to, 1e-9 * std::fabs(c.to)) << c.text;
        EXPECT_EQ(scene.lsys.Commands().Mode(), OperandMode::None) << c.text;
    }
}

// The sines and cosines of recent turns are kept: a turn whose pairs come from them must land
// on the bits of one that works them out, whether they were kept, or pushed out and
// worked out again.
TEST(LSInterpreter, KeptTurnPairsTurnAsWorkedOutOnes) {
    const std::string turns = "2+F3&F4/F5-F6^F7\\F";   // six products, each new to a fresh interpreter
    LSScene fresh;
    fresh.Draw(turns, {}, 0, 7.3L);
    ASSERT_EQ(fresh.window.lines.size(), 6u);
    for (const std::string warm : {"7+6+5+4+3+2+", "2+3+4+5+6+7+8+9+10+11+12+13+"}) {
        LSScene scene;
        scene.Draw(warm, {}, 0, 7.3L);
        scene.window.lines.clear();
        scene.Draw(turns, {}, 0, 7.3L);
        ASSERT_EQ(scene.window.lines.size(), fresh.window.lines.size()) << warm;
        for (size_t i = 0; i < fresh.window.lines.size(); ++i) {
            const tVector3d a = scene.window.lines[i].to, b = fresh.window.lines[i].to;
            EXPECT_TRUE(SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z)) << warm << " line " << i;
        }
    }
}

TEST(LSInterpreter, ColourCommandsSetThePaletteColour) {
    LSScene scene;
    const tLSPalette& palette = scene.lsys.Palette();
    EXPECT_EQ(palette[1], 0xFF774422u);
    EXPECT_EQ(palette[15], 0xFFFFFFFFu);
    for (int i : {16, 100, 255})
        EXPECT_EQ(palette[static_cast<uint8_t>(i)], CurrentPalette().PaletteColor32(static_cast<uint8_t>(i)) - 0x01000000u) << i;
    Interpret(scene, "300`", tLSState{90, 10, 1, 0, 1});
    EXPECT_EQ(scene.stage.Pax().Pen().LineColor, palette[213]);
    EXPECT_EQ(scene.stage.Pax().Pen().FillColor, palette[213]);
    // "<c" and ">c" change the index only; the colour follows with the next colour command.
    Interpret(scene, ">c", tLSState{90, 10, 1, 0, 1});
    EXPECT_EQ(scene.stage.Pax().Pen().LineColor, palette[213]);
}

TEST(LSInterpreter, SpecialsMoveByTheThicknessAndSetTheElevation) {
    LSScene scene;
    Pax3d& pax = scene.stage.Pax();
    const tVector3d start = pax.Position();
    const tLSState state{90, 10, 4};
    Interpret(scene, "$u$r", state);
    EXPECT_NEAR(static_cast<double>(Distance(pax.Position(), start + 4 * ZVector + 4 * XVector)), 0, 1e-12);
    Interpret(scene, "$*", state);
    EXPECT_EQ(pax.Position(), pax.SavedPosition());
    Interpret(scene, "$^", state);
    EXPECT_NEAR(static_cast<double>(pax.Heading().z), 1, 1e-12);
    Interpret(scene, "$&", state);
    EXPECT_NEAR(static_cast<double>(pax.Heading().z), -1, 1e-12);
}

// A tube's radius is the thickness times the factor: 2 x 0.5.
TEST(LSInterpreter, BracketsKeepTheTurtleNotTheThickness) {
    LSScene scene;
    scene.Draw("[!F]F", {}, 0, 90, 10, 0.5L, 3);
    ASSERT_EQ(scene.window.polygons.size(), 16u);
    for (size_t tube = 0; tube < 2; ++tube) {
        const tVector3d corner = scene.window.polygons[tube * 8].corners[0];
        const tVector3d axisPoint{0, 0, corner.z};
        EXPECT_NEAR(static_cast<double>(Distance(corner, axisPoint)), 1, 1e-9) << tube;
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
    EXPECT_EQ(scene.lsys.ResultLines(), (std::vector<std::string>{"test", std::string(56, 'F'), "FFFF\xC2\xA7`~S"}));
    EXPECT_EQ(scene.lsys.ResultCounter(), 64u);
    // The unfinished line is added even when it is empty.
    scene.Draw(std::string(56, 'F'));
    EXPECT_EQ(scene.lsys.ResultLines(), (std::vector<std::string>{"test", std::string(56, 'F'), ""}));
    scene.Draw("A");
    EXPECT_EQ(scene.lsys.ResultLines(), (std::vector<std::string>{"test", ""}));
    scene.lsys.SetShowResult(false);
    EXPECT_TRUE(scene.lsys.ResultLines().empty());
    EXPECT_EQ(scene.lsys.ResultCounter(), 0u);
    scene.lsys.DrawFigure();
    EXPECT_TRUE(scene.lsys.ResultLines().empty());
}

}  // namespace
}  // namespace pax
