#include "scene/cursor3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

#include "support/scripted_presenter.h"
#include "system/exceptions.h"

namespace pax {
namespace {

constexpr long double Tol = 1e-15L;

void ExpectNear(const tVector3d& actual, const tVector3d& expected, long double tol = Tol) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

void ExpectOrthonormal(const TCursor3d& c, long double tol) {
    EXPECT_NEAR(Extent(c.Right()), 1, tol);
    EXPECT_NEAR(Extent(c.Heading()), 1, tol);
    EXPECT_NEAR(Extent(c.Up()), 1, tol);
    EXPECT_NEAR(Dot(c.Right(), c.Heading()), 0, tol);
    EXPECT_NEAR(Dot(c.Right(), c.Up()), 0, tol);
    EXPECT_NEAR(Dot(c.Heading(), c.Up()), 0, tol);
    ExpectNear(c.Right(), Cross(c.Heading(), c.Up()), tol);
}

TEST(Cursor3d, CreateCutsTheNameAndStartsInTheDefaultFrame) {
    TCursor3d c("a-very-long-cursor-name");
    EXPECT_EQ(c.Name(), "a-very-long");
    EXPECT_EQ(TCursor3d().Name(), "?cursor3d?");
    EXPECT_EQ(c.Right(), (tVector3d{1, 0, 0}));
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
    EXPECT_EQ(c.Up(), (tVector3d{0, 0, 1}));
    EXPECT_FALSE(c.Changed());
}

TEST(Cursor3d, TurnsFollowTheSensesOfTheirNames) {
    TCursor3d c;
    c.TurnRight(90);
    ExpectNear(c.Heading(), {1, 0, 0});
    ExpectNear(c.Right(), {0, -1, 0});
    c.Reset();
    c.TurnLeft(90);
    ExpectNear(c.Heading(), {-1, 0, 0});
    c.Reset();
    c.PitchUp(90);
    ExpectNear(c.Heading(), {0, 0, 1});
    ExpectNear(c.Up(), {0, -1, 0});
    c.Reset();
    c.PitchDown(90);
    ExpectNear(c.Heading(), {0, 0, -1});
    c.Reset();
    c.RollRight(90);
    ExpectNear(c.Up(), {1, 0, 0});
    ExpectNear(c.Right(), {0, 0, -1});
    c.Reset();
    c.RollLeft(90);
    ExpectNear(c.Up(), {-1, 0, 0});
}

TEST(Cursor3d, TurnRight90IsExactlyTheDefaultQuarterTurn) {
    TCursor3d c;
    c.TurnRight90();
    EXPECT_EQ(c.Heading(), (tVector3d{1, 0, 0}));
    EXPECT_EQ(c.Right(), (tVector3d{0, -1, 0}));
    EXPECT_EQ(c.Up(), (tVector3d{0, 0, 1}));
    EXPECT_TRUE(c.Changed());
}

TEST(Cursor3d, ExactTurnsMatchTheirTrigonometricTurnsInAnyFrame) {
    using Op = std::function<void(TCursor3d&)>;
    const std::pair<Op, Op> pairs[] = {
        {[](TCursor3d& c) { c.TurnRight90(); }, [](TCursor3d& c) { c.TurnRight(90); }},
        {[](TCursor3d& c) { c.TurnLeft90(); }, [](TCursor3d& c) { c.TurnLeft(90); }},
        {[](TCursor3d& c) { c.TurnAround(); }, [](TCursor3d& c) { c.TurnRight(180); }},
        {[](TCursor3d& c) { c.PitchUp90(); }, [](TCursor3d& c) { c.PitchUp(90); }},
        {[](TCursor3d& c) { c.PitchDown90(); }, [](TCursor3d& c) { c.PitchDown(90); }},
        {[](TCursor3d& c) { c.PitchAround(); }, [](TCursor3d& c) { c.PitchUp(180); }},
        {[](TCursor3d& c) { c.RollRight90(); }, [](TCursor3d& c) { c.RollRight(90); }},
        {[](TCursor3d& c) { c.RollLeft90(); }, [](TCursor3d& c) { c.RollLeft(90); }},
        {[](TCursor3d& c) { c.RollAround(); }, [](TCursor3d& c) { c.RollRight(180); }},
    };
    for (const auto& [exact, trig] : pairs) {
        TCursor3d a, b;
        for (TCursor3d* c : {&a, &b}) {
            c->SetAngle(30, 20);
            c->RollRight(10);
        }
        exact(a);
        trig(b);
        ExpectNear(a.Right(), b.Right(), 1e-12L);
        ExpectNear(a.Heading(), b.Heading(), 1e-12L);
        ExpectNear(a.Up(), b.Up(), 1e-12L);
    }
}

TEST(Cursor3d, TurnByZeroLeavesChangedAloneOnlyForTurnRightAndLeft) {
    TCursor3d c;
    c.TurnRight(0);
    c.TurnLeft(0);
    EXPECT_FALSE(c.Changed());
    c.PitchUp(0);
    EXPECT_TRUE(c.Changed());
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
}

TEST(Cursor3d, MovesFollowTheFrameAndTheWorldAxes) {
    TCursor3d c;
    c.MoveRel(3, 4, 5);
    EXPECT_EQ(c.Position(), (tVector3d{3, 4, 5}));
    c.Reset();
    c.TurnRight90();
    c.MoveForward(2);
    c.MoveLeft(1);
    c.MoveDown(3);
    c.MoveBy(10, 20, 30);
    EXPECT_EQ(c.Position(), (tVector3d{12, 21, 27}));
    c.SavePosition();
    c.MoveBack(5);
    c.RestorePosition();
    EXPECT_EQ(c.Position(), (tVector3d{12, 21, 27}));
}

TEST(Cursor3d, NewObjectAndOldObjectRestoreTheWholeState) {
    TCursor3d c("Pax");
    c.NewObject();
    EXPECT_EQ(c.Depth(), 1);
    c.MoveRel(3, 4, 5);
    c.TurnRight(30);
    c.SavePosition();
    c.OldObject();
    EXPECT_EQ(c.Position(), ZeroVector);
    EXPECT_EQ(c.SavedPosition(), ZeroVector);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
    EXPECT_FALSE(c.Changed());
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
}

TEST(Cursor3d, NewObjectRaisesBeyond101PushedStates) {
    TCursor3d c;
    for (int i = 0; i <= TCursor3d::MaxDepth; ++i) c.NewObject();
    EXPECT_EQ(c.Depth(), 101);
    try {
        c.NewObject();
        FAIL() << "no range error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "TCursor3d.NewObject: the valid range of 0 .. 100");
    }
    EXPECT_EQ(c.Depth(), 101);
    EXPECT_EQ(c.StackCount(), 101);
}

TEST(Cursor3d, OldObjectOnAnEmptyStackWarnsAndKeepsTheState) {
    testing::ScopedPresenter boxes;
    TCursor3d c("Ghost");
    c.MoveForward(7);
    c.OldObject();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d: TCursor3d.Pop");
    EXPECT_EQ(boxes.Last().text, "unexpected call of 'Ghost'.OldObject, stack is empty");
    EXPECT_EQ(c.Position(), (tVector3d{0, 7, 0}));
}

TEST(Cursor3d, PeekCopiesTheTopStateAndKeepsItPushed) {
    testing::ScopedPresenter boxes;
    TCursor3d c;
    c.MoveUp(1);
    c.NewObject();
    c.MoveUp(5);
    c.Peek();
    EXPECT_EQ(c.Position(), (tVector3d{0, 0, 1}));
    EXPECT_EQ(c.Depth(), 1);
    EXPECT_EQ(c.StackCount(), 1);
    c.Restart();
    c.Peek();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d: TCursor3d.Peek");
}

TEST(Cursor3d, CheckStackReportsAndDiscardsLeftStates) {
    testing::ScopedPresenter boxes;
    TCursor3d c("Pax");
    c.CheckStack();
    EXPECT_EQ(boxes.Count(), 0u);
    for (int i = 0; i < 3; ++i) c.NewObject();
    c.MoveForward(4);
    c.CheckStack();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d: tCursor3d");
    EXPECT_EQ(boxes.Last().text, "missing 3 call(s) of Pax.OldObject");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
    EXPECT_EQ(c.Position(), (tVector3d{0, 4, 0}));
}

TEST(Cursor3d, ResetKeepsTheStackAndRestartDiscardsIt) {
    TCursor3d c;
    c.NewObject();
    c.MoveBy(1, 2, 3);
    c.Reset();
    EXPECT_EQ(c.Position(), ZeroVector);
    EXPECT_EQ(c.Depth(), 1);
    c.Restart();
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
    EXPECT_TRUE(c.Changed());
}

TEST(Cursor3d, CloneOwnsACopyOfThePushedStates) {
    TCursor3d c;
    c.NewObject();
    c.MoveForward(3);
    std::unique_ptr<TCursor3d> copy = c.Clone();
    EXPECT_EQ(copy->Position(), (tVector3d{0, 3, 0}));
    copy->OldObject();
    EXPECT_EQ(copy->Position(), ZeroVector);
    EXPECT_EQ(c.StackCount(), 1);
    c.OldObject();
    EXPECT_EQ(c.Position(), ZeroVector);
}

// A derived cursor only provides CloneObject and AssignTo to have its own field pushed.
class TaggedCursor : public TCursor3d {
public:
    using TCursor3d::TCursor3d;
    int tag = 0;
    void AssignTo(TCursor3d& dest) const override {
        TCursor3d::AssignTo(dest);
        if (auto* tagged = dynamic_cast<TaggedCursor*>(&dest)) tagged->tag = tag;
    }

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override { return std::make_unique<TaggedCursor>(*this); }
};

TEST(Cursor3d, DerivedStateIsPushedAndPoppedWhole) {
    TaggedCursor c;
    c.tag = 1;
    c.NewObject();
    c.tag = 2;
    c.OldObject();
    EXPECT_EQ(c.tag, 1);
    auto copy = c.Clone();
    EXPECT_EQ(dynamic_cast<TaggedCursor&>(*copy).tag, 1);
}

TEST(Cursor3d, SetAngleBuildsAFrameWithAHorizontalRight) {
    TCursor3d c;
    c.TurnRight(33);
    c.SetAngle(90, 0);
    ExpectNear(c.Right(), {1, 0, 0});
    ExpectNear(c.Heading(), {0, 1, 0});
    ExpectNear(c.Up(), {0, 0, 1});
    c.SetAngle(0, 90);
    ExpectNear(c.Heading(), {0, 0, 1});
    ExpectNear(c.Right(), {0, -1, 0});
    ExpectNear(c.Up(), {-1, 0, 0});
}

TEST(Cursor3d, GetAlphaGivesTheCompassAngle) {
    TCursor3d c;
    EXPECT_NEAR(c.GetAlpha(), 90, 1e-12);
    c.TurnRight90();
    EXPECT_NEAR(c.GetAlpha(), 0, 1e-12);
    c.TurnRight90();
    EXPECT_NEAR(c.GetAlpha(), 270, 1e-12);
    c.Reset();
    c.PitchUp90();   // looking up: the compass direction is still that of the old heading
    EXPECT_NEAR(c.GetAlpha(), 90, 1e-12);
    c.SetAngle(200, -30);
    Extended alpha, beta;
    c.GetAngles(alpha, beta);
    EXPECT_NEAR(alpha, 200, 1e-12);
    EXPECT_NEAR(beta, -30, 1e-12);
    c.SetElevation(10);
    EXPECT_NEAR(c.GetAlpha(), 200, 1e-12);
    EXPECT_EQ(c.AnglesText(), "alpha= 200°  beta=  10°  ");
    c.MoveBy(1.4L, -2.6L, 12345);
    EXPECT_EQ(c.PositionText(), "x=    1  y=   -3  z=12345  ");
}

TEST(Cursor3d, RollToHorizontalLevelsRight) {
    TCursor3d c;
    c.RollRight(30);
    c.RollToHorizontal();
    ExpectNear(c.Up(), {0, 0, 1});
    ExpectNear(c.Right(), {1, 0, 0});
    c.PitchUp90();
    c.RollRight(30);
    const tVector3d up = c.Up();
    c.RollToHorizontal();   // vertical heading: no horizon to level to
    EXPECT_EQ(c.Up(), up);
}

TEST(Cursor3d, FrameStaysOrthonormalAfterManyRandomTurns) {
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> angle(-180, 180);
    std::uniform_int_distribution<int> kind(0, 5);
    TCursor3d c;
    for (int i = 0; i < 10000; ++i) {
        Extended a = angle(random);
        switch (kind(random)) {
            case 0: c.TurnRight(a); break;
            case 1: c.TurnLeft(a); break;
            case 2: c.PitchUp(a); break;
            case 3: c.PitchDown(a); break;
            case 4: c.RollRight(a); break;
            default: c.RollLeft(a); break;
        }
    }
    ExpectOrthonormal(c, 1e-12L);
}

TEST(Cursor3d, OrbitsKeepTheCentreAheadAtTheSameDistance) {
    const std::function<void(TCursor3d&)> orbits[] = {
        [](TCursor3d& c) { c.OrbitRight(500, 35); }, [](TCursor3d& c) { c.OrbitLeft(500, 35); },
        [](TCursor3d& c) { c.OrbitUp(500, 35); }, [](TCursor3d& c) { c.OrbitDown(500, 35); }};
    for (const auto& orbit : orbits) {
        TCursor3d c;
        c.MoveBy(10, -500, 20);
        c.RollRight(15);
        const tVector3d centre{10, 0, 20};
        const tVector3d start = c.Position();
        orbit(c);
        EXPECT_NEAR(Distance(c.Position(), centre), 500, 1e-12);
        ExpectNear(c.Position() + 500 * c.Heading(), centre, 1e-12L);
        EXPECT_GT(Distance(c.Position(), start), 100);
    }
    TCursor3d c;
    c.MoveBack(100);
    c.OrbitRight(100, 90);   // carried to the right of the centre
    ExpectNear(c.Position(), {100, 0, 0}, 1e-12L);
    c.Reset();
    c.MoveBack(100);
    c.OrbitUp(100, 90);      // carried above it
    ExpectNear(c.Position(), {0, 0, 100}, 1e-12L);
}

TEST(Cursor3d, SetDirectionOfAZeroVectorShowsAnErrorAndKeepsTheFrame) {
    testing::ScopedPresenter boxes;
    TCursor3d c;
    c.SetDirection(ZeroVector);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d:  TCursor3d.SetAngle");
    EXPECT_EQ(boxes.Last().text, "direction is undefined");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
}

TEST(Cursor3d, SetDirectionRebuildsTheFrameAndRaisesForAHeadingAlongUp) {
    TCursor3d c;
    c.SetDirection({3, 3, 0});
    ExpectNear(c.Heading(), Normalize({1, 1, 0}));
    ExpectNear(c.Up(), {0, 0, 1});
    ExpectOrthonormal(c, 1e-15L);
    c.SetDirection({1, 0, 1.5L});   // near Up: built on the old Right
    ExpectNear(c.Heading(), Normalize({1, 0, 1.5L}));
    ExpectOrthonormal(c, 1e-15L);
    c.Reset();
    EXPECT_THROW(c.SetDirection({0, 0, 2}), EMathError);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
    EXPECT_EQ(c.Up(), (tVector3d{0, 0, 1}));
}

TEST(Cursor3d, SetHeadingAndSetUpNeverCollapseTheFrame) {
    TCursor3d c;
    c.SetHeading({5, 0, 0});   // perpendicular to Up and along Right
    ExpectNear(c.Heading(), {1, 0, 0});
    ExpectNear(c.Up(), {0, 0, 1});
    ExpectOrthonormal(c, 1e-15L);
    c.SetHeading({0, 0, -1});   // along -Up
    ExpectNear(c.Heading(), {0, 0, -1});
    ExpectOrthonormal(c, 1e-15L);
    c.Reset();
    c.SetUp({1, 0, 0});         // perpendicular to Heading and along Right
    ExpectNear(c.Up(), {1, 0, 0});
    ExpectNear(c.Heading(), {0, 1, 0});
    ExpectOrthonormal(c, 1e-15L);
    c.SetUp({0, 2, 0});         // along Heading
    ExpectOrthonormal(c, 1e-15L);
    const trCursor3d before = c.State();
    c.SetHeading(ZeroVector);
    c.SetUp(ZeroVector);
    EXPECT_EQ(c.Heading(), before.Heading);
    EXPECT_EQ(c.Up(), before.Up);
}

TEST(Cursor3d, HeadToOriginLooksAtTheOrigin) {
    TCursor3d c;
    c.MoveBy(100, 0, 100);
    c.HeadToOrigin();
    ExpectNear(c.Heading(), Normalize({-1, 0, -1}));
    ExpectOrthonormal(c, 1e-15L);
    ExpectNear(c.ToLocal(-1 * c.Position()), {0, Extent(c.Position()), 0}, 1e-12L);
}

TEST(Cursor3d, AssignFrameCopiesPositionAndARepairedFrame) {
    TCursor3d source("Source"), c("Dest");
    source.MoveBy(1, 2, 3);
    source.TurnRight(20);
    source.NewObject();
    c.AssignFrame(source);
    EXPECT_EQ(c.Position(), (tVector3d{1, 2, 3}));
    ExpectNear(c.Heading(), source.Heading());
    EXPECT_EQ(c.Name(), "Dest");
    EXPECT_EQ(c.Depth(), 0);
}

}  // namespace
}  // namespace pax
