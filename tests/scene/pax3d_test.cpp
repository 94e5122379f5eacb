#include "scene/pax3d.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "scene/fake_turtle_window.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

using testing::FakeTurtleWindow;
using testing::ScopedPresenter;

constexpr TColor32 Yellow = 0xFFFFFF00;
constexpr TColor32 Red = 0xFFFF0000;

void ExpectPoint(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-15L) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
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

TEST(Pax3d, PenUpMoveOnlyProjectsSoTheFirstLineStartsWhereThePenWentDown) {
    TurtleFixture f;
    f.pax.PenUp();
    f.pax.DrawForward(10);
    f.pax.PenDown();
    f.pax.DrawForward(10);
    ASSERT_EQ(f.window.lines.size(), 1u);
    ExpectPoint(f.window.lines[0].from, {0, 10, 0});
    ExpectPoint(f.window.lines[0].to, {0, 20, 0});
    EXPECT_EQ(f.window.lines[0].color, Yellow);
}

TEST(Pax3d, DrawFamilyDrawsWhileThePenIsDownAndJumpFamilyNever) {
    struct Case {
        void (Pax3d::*draw)(Extended);
        void (Pax3d::*jump)(Extended);
        tVector3d end;
    };
    const Case cases[] = {
        {&Pax3d::DrawForward, &Pax3d::JumpForward, {0, 2, 0}}, {&Pax3d::DrawBack, &Pax3d::JumpBack, {0, -2, 0}},
        {&Pax3d::DrawRight, &Pax3d::JumpRight, {2, 0, 0}},     {&Pax3d::DrawLeft, &Pax3d::JumpLeft, {-2, 0, 0}},
        {&Pax3d::DrawUp, &Pax3d::JumpUp, {0, 0, 2}},           {&Pax3d::DrawDown, &Pax3d::JumpDown, {0, 0, -2}},
    };
    for (const Case& c : cases) {
        TurtleFixture f;
        (f.pax.*c.draw)(2);
        ASSERT_EQ(f.window.lines.size(), 1u);
        ExpectPoint(f.window.lines[0].from, {0, 0, 0});
        ExpectPoint(f.window.lines[0].to, c.end);
        (f.pax.*c.jump)(2);
        EXPECT_EQ(f.window.lines.size(), 1u);
        ExpectPoint(f.window.projected.back(), 2 * c.end);
        f.pax.PenUp();
        (f.pax.*c.draw)(2);
        EXPECT_EQ(f.window.lines.size(), 1u);
    }
}

TEST(Pax3d, CompositeMovesAndLocalJumpsReachTheirPoints) {
    TurtleFixture f;
    f.pax.TurnRight90();   // Right (0,-1,0), Heading (1,0,0), Up (0,0,1)
    f.pax.DrawRel(1, 2, 3);
    ExpectPoint(f.pax.Position(), {2, -1, 3});
    f.pax.DrawBy(1, 1, 1);
    ExpectPoint(f.pax.Position(), {3, 0, 4});
    f.pax.DrawByVector({-3, 0, -4});
    ExpectPoint(f.pax.Position(), {0, 0, 0});
    EXPECT_EQ(f.window.lines.size(), 3u);

    f.pax.JumpForward(10);
    f.pax.SavePosition();   // (10, 0, 0)
    f.pax.JumpHome();
    ExpectPoint(f.window.projected.back(), {0, 0, 0});
    f.pax.DrawToLocal({1, 2, 3});   // from the saved point along Right, Heading, Up
    ExpectPoint(f.window.lines.back().from, {0, 0, 0});
    ExpectPoint(f.window.lines.back().to, {12, -1, 3});
    f.pax.JumpToLocal({0, 0, 1});
    ExpectPoint(f.pax.Position(), {10, 0, 1});
    f.pax.JumpToSaved();
    ExpectPoint(f.window.projected.back(), {10, 0, 0});
    EXPECT_EQ(f.window.lines.size(), 4u);
}

TEST(Pax3d, WithoutWindowTheTurtleOnlyMoves) {
    ScopedPresenter presenter;
    Pax3d pax("Pax");
    pax.Restart();
    pax.DrawForward(4);
    pax.BeginPlane();
    pax.AddPlanePoint();
    pax.EndPolygon();
    pax.DrawText("x");
    pax.SetLineColor(0x80FFFFFF);   // global opacity 255 without a window
    ExpectPoint(pax.Position(), {0, 4, 0});
    EXPECT_FALSE(pax.PlaneIsOpen());
    EXPECT_EQ(AlphaOf(pax.Pen().LineDrawColor), 127);
    EXPECT_EQ(presenter.Count(), 0u);
}

TEST(Pax3d, BranchRestoresColourPenPositionAndTheNextLineStartsThere) {
    TurtleFixture f;
    f.pax.DrawForward(1);
    f.pax.NewObject();
    f.pax.SetColor(Red);
    f.pax.SetTransparency(100);
    f.pax.TurnRight(30);
    f.pax.DrawForward(5);
    f.pax.PenUp();
    f.pax.OldObject();
    EXPECT_EQ(f.pax.Depth(), 0);
    EXPECT_EQ(f.pax.Pen().LineColor, Yellow);
    EXPECT_EQ(f.pax.Pen().LineDrawColor, Yellow);
    EXPECT_EQ(f.pax.Pen().LineTransparency, 0);
    EXPECT_TRUE(f.pax.PenIsDown());
    ExpectPoint(f.pax.Heading(), {0, 1, 0});
    // The restored position was re-projected without a line.
    EXPECT_EQ(f.window.lines.size(), 2u);
    ExpectPoint(f.window.projected.back(), {0, 1, 0});
    f.pax.DrawForward(2);
    ASSERT_EQ(f.window.lines.size(), 3u);
    ExpectPoint(f.window.lines[2].from, {0, 1, 0});
    ExpectPoint(f.window.lines[2].to, {0, 3, 0});
    EXPECT_EQ(f.window.lines[2].color, Yellow);
}

TEST(Pax3d, NestingBeyond101LevelsIsRefusedInTheMessageLine) {
    ScopedPresenter presenter;
    TurtleFixture f;
    for (int i = 0; i < 101; ++i) {
        f.pax.NewObject();
        f.pax.JumpForward(1);
    }
    EXPECT_EQ(presenter.Count(), 0u);
    EXPECT_EQ(f.pax.Depth(), 101);
    f.pax.NewObject();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, "PaxPax: Pax3d.NewObject");
    EXPECT_EQ(presenter.Last().text, "overflow calling NewObject without OldObject");
    EXPECT_EQ(f.pax.Depth(), 101);
    EXPECT_EQ(f.pax.StackCount(), 101);
    for (int i = 0; i < 101; ++i) f.pax.OldObject();
    EXPECT_EQ(f.pax.Depth(), 0);
    ExpectPoint(f.pax.Position(), {0, 0, 0});
    EXPECT_EQ(presenter.Count(), 1u);
}

TEST(Pax3d, PopAtDepthZeroIsReportedAndChangesNothing) {
    ScopedPresenter presenter;
    TurtleFixture f;
    f.pax.DrawForward(3);
    const int projections = f.window.projections;
    f.pax.OldObject();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, "PaxPax: Pax3d.OldObject");
    EXPECT_EQ(presenter.Last().text, "missing previous call of Pax.NewObject");
    EXPECT_EQ(f.window.projections, projections);
    EXPECT_EQ(f.window.lines.size(), 1u);
    EXPECT_EQ(f.pax.Depth(), 0);
    ExpectPoint(f.pax.Position(), {0, 3, 0});
}

TEST(Pax3d, ErrorRecoveryReportsUnbalancedPushesAndReturnsToTheOutermostBranchPoint) {
    ScopedPresenter presenter;
    TurtleFixture f;
    f.pax.JumpForward(7);
    f.pax.ErrorRecovery();
    EXPECT_EQ(presenter.Count(), 0u);
    for (int i = 0; i < 3; ++i) {
        f.pax.NewObject();
        f.pax.SetColor(Red);
        f.pax.DrawRight(1);
    }
    f.pax.ErrorRecovery();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, "PaxPax: Pax3d.ErrorRecovery");
    const std::string prefix = "missing 3 call(s) of Pax.OldObject ";
    const std::string& text = presenter.Last().text;
    ASSERT_GT(text.size(), prefix.size());
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_EQ(text.find_first_not_of("0123456789ABCDEF", prefix.size()), std::string::npos) << text;
    EXPECT_EQ(f.pax.Depth(), 0);
    EXPECT_EQ(f.pax.StackCount(), 0);
    ExpectPoint(f.pax.Position(), {0, 7, 0});
    EXPECT_EQ(f.pax.Pen().LineColor, Yellow);
}

TEST(Pax3d, ProtocolErrorsOfPolygonsAndPlanesNameTheirTurtle) {
    struct Case {
        void (Pax3d::*call)();
        const char* caption;
        const char* text;
    };
    const Case cases[] = {
        {&Pax3d::EndPolygon, "PaxPax: Pax3d.EndPolygon", "missing previous call of Bee.BeginPolygon"},
        {&Pax3d::EndPlane, "PaxPax: Pax3d.EndPlane", "missing previous call of Bee.BeginPlane"},
        // This message always names the main turtle.
        {&Pax3d::AddPlanePoint, "PaxPax:  Pax3d.AddPlanePoint", "missing call of Pax.BeginPlane"},
    };
    for (const Case& c : cases) {
        ScopedPresenter presenter;
        FakeTurtleWindow window;
        Pax3d bee("Bee");
        bee.SetWindow(&window);
        (bee.*c.call)();
        ASSERT_EQ(presenter.Count(), 1u);
        EXPECT_EQ(presenter.Last().caption, c.caption);
        EXPECT_EQ(presenter.Last().text, c.text);
        EXPECT_EQ(window.endedPolygons, 0);
    }
    ScopedPresenter presenter;
    TurtleFixture f;
    f.pax.EndPolygon();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().text, "missing previous call of Pax.BeginPolygon");
}

TEST(Pax3d, PlanesCollectTheDrawnCornersInsteadOfLines) {
    ScopedPresenter presenter;
    TurtleFixture f;
    f.pax.SetFillColor(Red);
    f.pax.BeginPlane();
    EXPECT_TRUE(f.pax.PlaneIsOpen());
    f.pax.DrawForward(2);
    f.pax.TurnRight90();
    f.pax.DrawForward(2);
    f.pax.JumpForward(1);   // a jump adds nothing
    f.pax.AddPlanePoint();
    f.pax.EndPlane();
    EXPECT_FALSE(f.pax.PlaneIsOpen());
    EXPECT_TRUE(f.window.lines.empty());
    ASSERT_EQ(f.window.polygons.size(), 1u);
    const auto& plane = f.window.polygons[0];
    EXPECT_TRUE(plane.fill);
    EXPECT_EQ(plane.fillColor, f.pax.Pen().FillDrawColor);
    ASSERT_EQ(plane.corners.size(), 4u);
    ExpectPoint(plane.corners[0], {0, 0, 0});
    ExpectPoint(plane.corners[2], {2, 2, 0});
    ExpectPoint(plane.corners[3], {3, 2, 0});
    EXPECT_EQ(f.window.endedPolygons, 1);

    // Plane mode off: the open plane lets lines through.
    f.pax.BeginPolygon();
    f.pax.SetPlaneMode(false);
    f.pax.DrawForward(1);
    f.pax.SetPlaneMode(true);
    f.pax.DrawForward(1);
    f.pax.EndPolygon();
    EXPECT_EQ(f.window.lines.size(), 1u);
    EXPECT_FALSE(f.window.polygons[1].fill);
    EXPECT_EQ(f.window.polygons[1].corners.size(), 2u);
    EXPECT_EQ(presenter.Count(), 0u);
}

TEST(Pax3d, FirstCornerOnlyWithThePenDownAndForPlanesOnlyWhenVisible) {
    TurtleFixture f;
    f.pax.PenUp();
    f.pax.BeginPolygon();
    f.pax.EndPolygon();
    f.pax.PenDown();
    f.pax.JumpBack(5);
    f.window.nearY = 0;   // the turtle now stands behind the near plane
    f.pax.JumpBack(0);
    f.pax.BeginPlane();
    f.pax.EndPlane();
    f.pax.BeginPolygon();
    f.pax.EndPolygon();
    ASSERT_EQ(f.window.polygons.size(), 3u);
    EXPECT_EQ(f.window.polygons[0].corners.size(), 0u);
    EXPECT_EQ(f.window.polygons[1].corners.size(), 0u);
    EXPECT_EQ(f.window.polygons[2].corners.size(), 1u);
}

TEST(Pax3d, EffectiveAlphaCombinesColourPenAndWindowOpacities) {
    struct Case {
        TColor32 color;
        uint8_t windowOpacity;
        uint8_t expectedAlpha;
    };
    const Case cases[] = {
        {0x80FFFFFF, 255, 127},   // 255 * 128 * 255 / 65536
        {0xFFFFFFFF, 255, 253},
        {0xFFFFFFFF, 128, 127},
        {0x01FFFFFF, 255, 0},
        {0x00000000, 255, 0},     // no colour stays no colour
    };
    for (const Case& c : cases) {
        TurtleFixture f;
        f.window.lineOpacity = c.windowOpacity;
        f.window.fillOpacity = c.windowOpacity;
        f.pax.SetColor(c.color);
        EXPECT_EQ(f.pax.Pen().LineDrawColor, c.color == 0 ? 0 : SetAlpha(c.color, c.expectedAlpha));
        EXPECT_EQ(f.pax.Pen().FillDrawColor, f.pax.Pen().LineDrawColor);
    }
    TurtleFixture f;
    f.window.lineOpacity = 200;
    f.window.fillOpacity = 255;
    f.pax.SetLineColor(0x40102030);
    f.pax.SetFillColor(0x40102030);
    f.pax.SetTransparencies(55, 255, 9);
    // The transparency setters ignore the colour's own alpha: (255 - t) * G / 256.
    EXPECT_EQ(f.pax.Pen().LineDrawColor, 0x9C102030u);   // 200 * 200 / 256 = 156
    EXPECT_EQ(f.pax.Pen().FillDrawColor, 0x00102030u);
    EXPECT_EQ(f.pax.Pen().TransparencyMode, 9);
    f.pax.SetLineColor(0xFF102030);   // the colour setter keeps the pen's transparency
    EXPECT_EQ(AlphaOf(f.pax.Pen().LineDrawColor), 200 * 255 * 200 / 65536);
}

TEST(Pax3d, LineToCursorDrawsToTheOtherAndComesBack) {
    TurtleFixture f;
    TCursor3d other;
    other.MoveBy(4, 5, 6);
    f.pax.JumpForward(1);
    f.pax.LineToCursor(other);
    f.pax.DrawForward(1);
    ASSERT_EQ(f.window.lines.size(), 2u);
    ExpectPoint(f.window.lines[0].from, {0, 1, 0});
    ExpectPoint(f.window.lines[0].to, {4, 5, 6});
    ExpectPoint(f.window.lines[1].from, {0, 1, 0});
    f.pax.PenUp();
    f.pax.LineToCursor(other);
    EXPECT_EQ(f.window.lines.size(), 2u);
}

TEST(Pax3d, TextTakesTheWindowColourAndIsDrawnOnlyWhenVisible) {
    TurtleFixture f;
    f.pax.SetWindowColor(0xFF123456);
    f.pax.DrawText("A");
    f.window.nearY = 1;
    f.pax.JumpForward(0);   // now behind the near plane
    f.pax.DrawText("B");
    f.pax.DrawSprite(7);
    ASSERT_EQ(f.window.texts.size(), 1u);
    EXPECT_EQ(f.window.texts[0], "A");
    EXPECT_EQ(f.window.textColors[0], 0xFF123456u);
    EXPECT_EQ(f.pax.Pen().TextColor, 0xFF123456u);
    EXPECT_EQ(f.window.sprites, std::vector<uint16_t>{7});
}

TEST(Pax3d, ResetRestoresThePenAndProjectsTheStartPoint) {
    FakeTurtleWindow window;
    Pax3d pax("LongTurtleName");
    EXPECT_EQ(pax.Name(), "LongTurtleN");
    EXPECT_EQ(pax.Pen().PenName, "LongTurtl");
    pax.SetWindow(&window);
    pax.NewObject();
    pax.SetColor(Red);
    pax.SetTransparency(9);
    pax.PenUp();
    pax.JumpForward(3);
    pax.Reset();
    EXPECT_EQ(pax.Pen().LineColor, Yellow);
    EXPECT_EQ(pax.Pen().FillColor, 0xFF000000u);
    EXPECT_EQ(pax.Pen().LineTransparency, 0);
    EXPECT_TRUE(pax.PenIsDown());
    EXPECT_EQ(pax.Pen().PenName, "LongTurtl");
    EXPECT_EQ(pax.Depth(), 1);   // Reset keeps the stack
    ExpectPoint(window.projected.back(), {0, 0, 0});
    pax.Restart();
    EXPECT_EQ(pax.Depth(), 0);
    EXPECT_EQ(pax.StackCount(), 0);
    EXPECT_TRUE(window.lines.empty());
}

TEST(Pax3d, AssignStateTakesFrameAndPenButKeepsTheName) {
    TurtleFixture f;
    Pax3d bee("Bee");
    bee.SetWindow(&f.window);
    f.pax.JumpRight(2);
    f.pax.TurnLeft90();
    f.pax.SetColor(Red);
    f.pax.PenUp();
    bee.AssignState(f.pax);
    ExpectPoint(bee.Position(), {2, 0, 0});
    ExpectPoint(bee.Heading(), {-1, 0, 0});
    EXPECT_EQ(bee.Pen().LineColor, Red);
    EXPECT_FALSE(bee.PenIsDown());
    EXPECT_EQ(bee.Pen().PenName, "Bee");
    EXPECT_EQ(bee.Name(), "Bee");

    TCursor3d ghost;
    ghost.MoveBy(1, 2, 3);
    ghost.RollRight(90);
    bee.AssignFrame(ghost);
    ExpectPoint(bee.Position(), {1, 2, 3});
    ExpectPoint(bee.Up(), {1, 0, 0});
    EXPECT_EQ(f.window.pointProjections, 1);
    ExpectPoint(bee.Pen().Position, {1, 2, 3});

    Pax3d copy("Copy");
    f.pax.AssignTo(copy);
    EXPECT_EQ(copy.Pen().LineColor, Red);
    EXPECT_EQ(copy.Pen().PenName, "Pax");
}

TEST(Pax3d, CloneCarriesThePushedStatesOfItsOwn) {
    TurtleFixture f;
    f.pax.SetColor(Red);
    f.pax.NewObject();
    f.pax.SetColor(Yellow);
    f.pax.JumpForward(5);
    std::unique_ptr<TCursor3d> clone = f.pax.Clone();
    auto* copy = dynamic_cast<Pax3d*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Pen().LineColor, Yellow);
    copy->OldObject();
    EXPECT_EQ(copy->Pen().LineColor, Red);
    EXPECT_EQ(f.pax.Depth(), 1);
    EXPECT_EQ(f.pax.Pen().LineColor, Yellow);
    f.pax.OldObject();
    ExpectPoint(f.pax.Position(), {0, 0, 0});
}

TEST(Pax3d, RandomBranchesRestoreExactlyWhatWasPushed) {
    std::mt19937 random(20240601);
    TurtleFixture f;
    struct Saved {
        tVector3d position, heading;
        TColor32 color;
        uint8_t transparency;
        bool penDown;
    };
    std::vector<Saved> model;
    auto current = [&] {
        return Saved{f.pax.Position(), f.pax.Heading(), f.pax.Pen().LineColor, f.pax.Pen().LineTransparency,
                     f.pax.PenIsDown()};
    };
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
            {
                const Saved now = current(), was = model.back();
                model.pop_back();
                ASSERT_EQ(now.position, was.position);
                ASSERT_EQ(now.heading, was.heading);
                ASSERT_EQ(now.color, was.color);
                ASSERT_EQ(now.transparency, was.transparency);
                ASSERT_EQ(now.penDown, was.penDown);
            }
            break;
        case 2: f.pax.DrawForward(random() % 7); break;
        case 3: f.pax.TurnRight(static_cast<Extended>(random() % 90)); break;
        case 4: f.pax.SetLineColor(random()); f.pax.SetLineTransparency(random() % 256); break;
        default: random() % 2 ? f.pax.PenUp() : f.pax.PenDown(); break;
        }
        ASSERT_EQ(f.pax.Depth(), static_cast<int>(model.size()));
    }
}

TEST(Dragon3d, RestartSetsItsValuesAndResetOnlyTheCounter) {
    Dragon3d dragon;
    EXPECT_EQ(dragon.Name(), "Dragon");
    dragon.ValueA = 1;
    dragon.ValueB = 2;
    dragon.Counter = 3;
    dragon.Reset();
    EXPECT_EQ(dragon.ValueA, 1);
    EXPECT_EQ(dragon.Counter, 0);
    dragon.Counter = 5;
    std::unique_ptr<TCursor3d> clone = dragon.Clone();
    EXPECT_EQ(dynamic_cast<Dragon3d&>(*clone).Counter, 5);
    dragon.Restart();
    EXPECT_EQ(dragon.ValueA, 64);
    EXPECT_EQ(dragon.ValueB, 32);
    EXPECT_EQ(dragon.Counter, 0);
}

}  // namespace
}  // namespace pax
