#include "scene/pax3d.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "scene/fake_turtle_window.h"
#include "support/vector_near.h"
#include "system/shown_boxes.h"

namespace pax {
namespace {

using testing::BoxTexts;
using testing::FakeTurtleWindow;
using testing::ScopedPresenter;
using testing::Texts;

constexpr TColor32 Yellow = 0xFFFFFF00;
constexpr TColor32 Red = 0xFFFF0000;

::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected) {
    return testing::Near(actual, expected, 1e-15L);
}

// A restarted turtle drawing into a fresh recording window.
struct TurtleFixture {
    FakeTurtleWindow window;
    Pax3d pax{"Pax"};
    TurtleFixture() {
        pax.SetWindow(&window);
        pax.Restart();
    }
};

// A move with the pen up, and every jump, only projects: the next line starts where it ended.
TEST(Pax3d, DrawFamilyDrawsWhileThePenIsDownAndJumpFamilyNever) {
    using Move = void (Pax3d::*)(Extended);
    const std::tuple<Move, Move, tVector3d> cases[] = {
        {&Pax3d::DrawForward, &Pax3d::JumpForward, {0, 2, 0}}, {&Pax3d::DrawBack, &Pax3d::JumpBack, {0, -2, 0}},
        {&Pax3d::DrawRight, &Pax3d::JumpRight, {2, 0, 0}},     {&Pax3d::DrawLeft, &Pax3d::JumpLeft, {-2, 0, 0}},
        {&Pax3d::DrawUp, &Pax3d::JumpUp, {0, 0, 2}},           {&Pax3d::DrawDown, &Pax3d::JumpDown, {0, 0, -2}},
    };
    for (const auto& [draw, jump, end] : cases) {
        TurtleFixture f;
        f.pax.PenUp();
        (f.pax.*draw)(2);
        f.pax.PenDown();
        (f.pax.*jump)(2);
        (f.pax.*draw)(2);
        ASSERT_EQ(f.window.lines.size(), 1u);
        EXPECT_TRUE(Near(f.window.lines[0].from, 2 * end));
        EXPECT_TRUE(Near(f.window.lines[0].to, 3 * end));
    }
    TurtleFixture f;
    f.pax.TurnRight90();  // Right (0,-1,0), Heading (1,0,0), Up (0,0,1)
    f.pax.DrawRel(1, 2, 3);
    f.pax.SavePosition();
    f.pax.DrawToLocal({1, 2, 3});  // from the saved point along Right, Heading, Up
    EXPECT_TRUE(Near(f.window.lines.at(1).to, {4, -2, 6}));
    // LocalPoint is where DrawToLocal goes, to the bit; DrawTo and JumpTo take world points.
    const tVector3d k{0.1L, 2.7L, -3.3L};
    const tVector3d p = f.pax.LocalPoint(k);
    f.pax.JumpToLocal(k);
    EXPECT_TRUE(f.pax.Position() == p);
    const tVector3d q{5, 5, 5};
    f.pax.JumpTo(q);
    f.pax.DrawTo(p);
    ASSERT_EQ(f.window.lines.size(), 3u);
    EXPECT_TRUE(f.window.lines[2].from == q && f.window.lines[2].to == p);
}

// Colour, transparency and pen after a pop are checked by the random branches below.
TEST(Pax3d, BranchReturnsWithoutALineAndTheNextLineStartsThereInTheOldColour) {
    TurtleFixture f;
    f.pax.DrawForward(1);
    f.pax.NewObject();
    f.pax.SetColor(Red);
    f.pax.TurnRight(30);
    f.pax.DrawForward(5);
    f.pax.OldObject();
    EXPECT_TRUE(Near(f.window.projected.back(), {0, 1, 0}));
    f.pax.DrawForward(2);
    ASSERT_EQ(f.window.lines.size(), 3u);
    EXPECT_TRUE(Near(f.window.lines[2].from, {0, 1, 0}));
    EXPECT_TRUE(Near(f.window.lines[2].to, {0, 3, 0}));
    EXPECT_EQ(f.window.lines[2].color, Yellow);
}

TEST(Pax3d, NestingIsLimitedTo101LevelsAndAPopAtDepthZeroChangesNothing) {
    ScopedPresenter boxes;
    TurtleFixture f;
    for (int i = 0; i < 102; ++i) {
        f.pax.NewObject();
        f.pax.JumpForward(1);
    }
    EXPECT_EQ(f.pax.Depth(), 101);
    EXPECT_EQ(f.pax.StackCount(), 101);
    for (int i = 0; i < 101; ++i) f.pax.OldObject();
    EXPECT_TRUE(Near(f.pax.Position(), {0, 0, 0}));
    const int projections = f.window.projections;
    f.pax.OldObject();
    EXPECT_EQ(BoxTexts(boxes), (Texts{"PaxPax: Pax3d.NewObject | overflow calling NewObject without OldObject",
                                      "PaxPax: Pax3d.OldObject | missing previous call of Pax.NewObject"}));
    EXPECT_EQ(f.window.projections, projections);
    EXPECT_EQ(f.pax.Depth(), 0);
}

TEST(Pax3d, ErrorRecoveryReportsUnbalancedPushesAndReturnsToTheOutermostBranchPoint) {
    ScopedPresenter boxes;
    TurtleFixture f;
    f.pax.JumpForward(7);
    f.pax.ErrorRecovery();
    EXPECT_EQ(boxes.Count(), 0u);
    for (int i = 0; i < 3; ++i) {
        f.pax.NewObject();
        f.pax.SetColor(Red);
        f.pax.DrawRight(1);
    }
    f.pax.ErrorRecovery();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPax: Pax3d.ErrorRecovery");
    EXPECT_THAT(boxes.Last().text, ::testing::MatchesRegex("missing 3 call\\(s\\) of Pax\\.OldObject [0-9A-F]+"));
    EXPECT_EQ(f.pax.Depth(), 0);
    EXPECT_TRUE(Near(f.pax.Position(), {0, 7, 0}));
    EXPECT_EQ(f.pax.Pen().LineColor, Yellow);
}

TEST(Pax3d, PolygonProtocolErrorsNameTheirTurtle) {
    const std::tuple<void (Pax3d::*)(), const char*> cases[] = {
        {&Pax3d::EndPolygon, "PaxPax: Pax3d.EndPolygon | missing previous call of Bee.BeginPolygon"},
        {&Pax3d::EndPlane, "PaxPax: Pax3d.EndPlane | missing previous call of Bee.BeginPlane"},
        // This message always names the main turtle.
        {&Pax3d::AddPlanePoint, "PaxPax:  Pax3d.AddPlanePoint | missing call of Pax.BeginPlane"},
    };
    for (const auto& [call, box] : cases) {
        ScopedPresenter boxes;
        FakeTurtleWindow window;
        Pax3d bee("Bee");
        bee.SetWindow(&window);
        (bee.*call)();
        EXPECT_EQ(BoxTexts(boxes), Texts{box});
        EXPECT_EQ(window.endedPolygons, 0);
    }
}

TEST(Pax3d, PlanesCollectTheDrawnCornersInsteadOfLines) {
    TurtleFixture f;
    f.pax.BeginPlane();
    f.pax.DrawForward(2);
    f.pax.TurnRight90();
    f.pax.DrawForward(2);
    f.pax.JumpForward(1);  // a jump adds nothing
    f.pax.AddPlanePoint();
    EXPECT_TRUE(f.pax.PlaneIsOpen());
    f.pax.EndPlane();
    EXPECT_FALSE(f.pax.PlaneIsOpen());
    EXPECT_TRUE(f.window.lines.empty());
    ASSERT_EQ(f.window.polygons.size(), 1u);
    EXPECT_TRUE(f.window.polygons[0].fill);
    ASSERT_EQ(f.window.polygons[0].corners.size(), 4u);
    EXPECT_TRUE(Near(f.window.polygons[0].corners[0], {0, 0, 0}));
    EXPECT_TRUE(Near(f.window.polygons[0].corners[3], {3, 2, 0}));
    // No first corner with the pen up, nor for a plane begun behind the near plane.
    f.pax.PenUp();
    f.pax.BeginPolygon();
    f.pax.EndPolygon();
    f.pax.PenDown();
    f.window.nearY = 10;
    f.pax.JumpForward(0);
    f.pax.BeginPlane();
    f.pax.EndPlane();
    EXPECT_FALSE(f.window.polygons[1].fill);
    EXPECT_TRUE(f.window.polygons[1].corners.empty());
    EXPECT_TRUE(f.window.polygons[2].corners.empty());
}

TEST(Pax3d, EffectiveAlphaCombinesColourPenAndWindowOpacities) {
    // {colour, window opacity, expected alpha}: (255 - t) * alpha * G / 65536.
    const std::tuple<TColor32, uint8_t, uint8_t> cases[] = {
        {0x80FFFFFF, 255, 127}, {0xFFFFFFFF, 255, 253}, {0xFFFFFFFF, 128, 127}, {0x01FFFFFF, 255, 0}};
    for (const auto& [colour, opacity, alpha] : cases) {
        TurtleFixture f;
        f.window.lineOpacity = f.window.fillOpacity = opacity;
        f.pax.SetColor(colour);
        EXPECT_EQ(f.pax.Pen().LineDrawColor, SetAlpha(colour, alpha));
        EXPECT_EQ(f.pax.Pen().FillDrawColor, SetAlpha(colour, alpha));
    }
    TurtleFixture f;
    f.window.lineOpacity = 200;
    f.pax.SetColor(0x40102030);
    f.pax.SetTransparencies(55, 255, 9);
    // The transparency setters ignore the colour's own alpha: 200 * 200 / 256 = 156.
    EXPECT_EQ(f.pax.Pen().LineDrawColor, 0x9C102030u);
    EXPECT_EQ(f.pax.Pen().FillDrawColor, 0x00102030u);
    EXPECT_EQ(f.pax.Pen().TransparencyMode, 9);
    f.pax.SetLineColor(0);  // no colour stays no colour
    f.pax.SetLineTransparency(0);
    EXPECT_EQ(f.pax.Pen().LineDrawColor, 0u);
}

TEST(Pax3d, LineToCursorComesBackAndTextNeedsAVisiblePoint) {
    TurtleFixture f;
    TCursor3d other;
    other.MoveBy(4, 5, 6);
    f.pax.LineToCursor(other);
    f.pax.DrawForward(1);
    EXPECT_TRUE(Near(f.window.lines.at(0).to, {4, 5, 6}));
    EXPECT_TRUE(Near(f.window.lines.at(1).from, {0, 0, 0}));
    f.pax.SetWindowColor(0xFF123456);
    f.pax.DrawText("A");
    f.window.nearY = 10;
    f.pax.JumpForward(0);
    f.pax.DrawText("B");
    EXPECT_EQ(f.window.texts, std::vector<std::string>{"A"});
    EXPECT_EQ(f.window.textColors, std::vector<TColor32>{0xFF123456});
}

TEST(Pax3d, ResetKeepsTheStackAndDragonResetOnlyItsCounter) {
    TurtleFixture f;
    f.pax.NewObject();
    f.pax.SetColor(Red);
    f.pax.PenUp();
    f.pax.JumpForward(3);
    f.pax.Reset();
    EXPECT_EQ(f.pax.Pen().LineColor, Yellow);
    EXPECT_TRUE(f.pax.PenIsDown());
    EXPECT_EQ(f.pax.Depth(), 1);
    EXPECT_TRUE(Near(f.window.projected.back(), {0, 0, 0}));
    Dragon3d dragon;
    dragon.ValueA = 1;
    dragon.Counter = 3;
    dragon.Reset();
    EXPECT_EQ(dragon.ValueA, 1);
    EXPECT_EQ(dragon.Counter, 0);
    dragon.Restart();
    EXPECT_EQ(dragon.ValueA, 64);
}

TEST(Pax3d, RandomBranchesRestoreExactlyWhatWasPushed) {
    std::mt19937 random(20240601);
    TurtleFixture f;
    using Saved = std::tuple<tVector3d, tVector3d, TColor32, uint8_t, bool>;
    auto current = [&] {
        return Saved{f.pax.Position(), f.pax.Heading(), f.pax.Pen().LineDrawColor, f.pax.Pen().LineTransparency,
                     f.pax.PenIsDown()};
    };
    std::vector<Saved> model;
    for (int step = 0; step < 20000; ++step) {
        switch (random() % 6) {
        case 0:
            if (model.size() > 100) break;
            model.push_back(current());
            f.pax.NewObject();
            break;
        case 1:
            if (model.empty()) break;
            f.pax.OldObject();
            ASSERT_TRUE(current() == model.back()) << step;
            model.pop_back();
            break;
        case 2: f.pax.DrawForward(random() % 7); break;
        case 3: f.pax.TurnRight(static_cast<Extended>(random() % 90)); break;
        case 4: f.pax.SetLineColor(random()); f.pax.SetLineTransparency(random() % 256); break;
        default: random() % 2 ? f.pax.PenUp() : f.pax.PenDown(); break;
        }
        ASSERT_EQ(f.pax.Depth(), static_cast<int>(model.size()));
    }
}

bool SameVector(const tVector3d& a, const tVector3d& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}

TEST(Pax3d, DeferredJumpsDrawWhatJumpsProjectedAtOnceDraw) {
    // The same random walk twice, once with its jumps deferred: every line, polygon corner,
    // text and sprite, and the pen at the end, must agree; only projections are saved.
    struct Walker {
        TurtleFixture f;
        explicit Walker(bool defer) {
            f.window.nearY = 0;   // moves behind the eye make points invisible
            f.pax.DeferJumps(defer);
        }
    };
    Walker direct(false), deferred(true);
    std::mt19937 random(20261209);
    TCursor3d elsewhere("elsewhere");
    elsewhere.MoveForward(30);
    for (int step = 0; step < 20000; ++step) {
        const uint32_t op = random() % 16, value = random();
        for (Walker* w : {&direct, &deferred}) {
            Pax3d& pax = w->f.pax;
            switch (op) {
            case 0: case 1: case 2: pax.JumpForward(static_cast<Extended>(value % 9) - 3); break;
            case 3: pax.JumpRight(static_cast<Extended>(value % 5) - 2); break;
            case 4: pax.DrawForward(value % 7); break;
            case 5: pax.TurnRight(static_cast<Extended>(value % 120)); break;
            case 6: if (pax.Depth() < 50) pax.NewObject(); break;
            case 7: if (pax.Depth() > 0) pax.OldObject(); break;
            case 8: value % 2 ? pax.PenUp() : pax.PenDown(); break;
            case 9:
                if (!pax.PlaneIsOpen()) pax.BeginPlane();
                else pax.AddPlanePoint();
                break;
            case 10: if (pax.PlaneIsOpen()) pax.EndPlane(); break;
            case 11: pax.SetPlaneMode(value % 2 == 0); break;
            case 12: pax.DrawText(value % 3 ? "a" : "b"); break;
            case 13: pax.DrawSprite(static_cast<uint16_t>(value % 4)); break;
            case 14: if (value % 50 == 0) pax.LineToCursor(elsewhere); else pax.PitchDown(value % 90); break;
            default: if (value % 100 == 0) pax.AssignFrame(elsewhere); else pax.JumpBack(1); break;
            }
        }
    }
    deferred.f.pax.DeferJumps(false);
    const FakeTurtleWindow &a = direct.f.window, &b = deferred.f.window;
    ASSERT_EQ(a.lines.size(), b.lines.size());
    for (size_t i = 0; i < a.lines.size(); ++i) {
        ASSERT_TRUE(SameVector(a.lines[i].from, b.lines[i].from) && SameVector(a.lines[i].to, b.lines[i].to)) << i;
        ASSERT_EQ(a.lines[i].color, b.lines[i].color) << i;
    }
    ASSERT_EQ(a.polygons.size(), b.polygons.size());
    for (size_t i = 0; i < a.polygons.size(); ++i) {
        ASSERT_EQ(a.polygons[i].corners.size(), b.polygons[i].corners.size()) << i;
        for (size_t k = 0; k < a.polygons[i].corners.size(); ++k)
            ASSERT_TRUE(SameVector(a.polygons[i].corners[k], b.polygons[i].corners[k])) << i << " " << k;
    }
    EXPECT_EQ(a.texts, b.texts);
    EXPECT_EQ(a.sprites, b.sprites);
    EXPECT_TRUE(SameVector(direct.f.pax.Pen().Position, deferred.f.pax.Pen().Position));
    EXPECT_EQ(direct.f.pax.Pen().Visible, deferred.f.pax.Pen().Visible);
    size_t corners = 0;
    for (const auto& polygon : a.polygons) corners += polygon.corners.size();
    EXPECT_GT(a.lines.size(), 100u);
    EXPECT_GT(corners, 500u);
    EXPECT_GT(a.texts.size(), 100u);
    EXPECT_LT(b.projections, a.projections * 3 / 4);
}

}  // namespace
}  // namespace pax
