#include "scene/cursor3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

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

void ExpectFrame(const TCursor3d& c, const tVector3d& right, const tVector3d& heading, const tVector3d& up,
                 long double tol = Tol) {
    ExpectNear(c.Right(), right, tol);
    ExpectNear(c.Heading(), heading, tol);
    ExpectNear(c.Up(), up, tol);
}

TEST(Cursor3d, TurnsFollowTheSensesOfTheirNames) {
    struct Case {
        void (TCursor3d::*turn)(Extended);
        tVector3d right, heading, up;
    };
    const Case cases[] = {
        {&TCursor3d::TurnRight, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {&TCursor3d::TurnLeft, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
        {&TCursor3d::PitchUp, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {&TCursor3d::PitchDown, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {&TCursor3d::RollRight, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        {&TCursor3d::RollLeft, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
    };
    for (const Case& k : cases) {
        TCursor3d c;
        (c.*k.turn)(90);
        ExpectFrame(c, k.right, k.heading, k.up);
    }
}

TEST(Cursor3d, TurnRight90IsExactAndTurnsByZeroChangeNothing) {
    TCursor3d c("a-very-long-cursor-name");
    EXPECT_EQ(c.Name(), "a-very-long");
    c.TurnRight(0);
    c.TurnLeft(0);
    EXPECT_FALSE(c.Changed());
    c.PitchUp(0);
    EXPECT_TRUE(c.Changed());
    c.TurnRight90();
    EXPECT_EQ(c.Heading(), (tVector3d{1, 0, 0}));
    EXPECT_EQ(c.Right(), (tVector3d{0, -1, 0}));
    EXPECT_EQ(c.Up(), (tVector3d{0, 0, 1}));
}

TEST(Cursor3d, ExactTurnsMatchTheirTrigonometricTurnsInAnyFrame) {
    using T = TCursor3d;
    const std::tuple<void (T::*)(), void (T::*)(Extended), Extended> pairs[] = {
        {&T::TurnRight90, &T::TurnRight, 90}, {&T::TurnLeft90, &T::TurnLeft, 90},
        {&T::TurnAround, &T::TurnRight, 180}, {&T::PitchUp90, &T::PitchUp, 90},
        {&T::PitchDown90, &T::PitchDown, 90}, {&T::PitchAround, &T::PitchUp, 180},
        {&T::RollRight90, &T::RollRight, 90}, {&T::RollLeft90, &T::RollLeft, 90},
        {&T::RollAround, &T::RollRight, 180},
    };
    for (const auto& [exact, turn, angle] : pairs) {
        T a, b;
        for (T* c : {&a, &b}) {
            c->SetAngle(30, 20);
            c->RollRight(10);
        }
        (a.*exact)();
        (b.*turn)(angle);
        ExpectFrame(a, b.Right(), b.Heading(), b.Up(), 1e-12L);
    }
}

TEST(Cursor3d, NewObjectAndOldObjectRestoreTheWholeState) {
    TCursor3d c("Pax");
    c.NewObject();
    EXPECT_EQ(c.Depth(), 1);
    c.MoveRel(3, 4, 5);
    EXPECT_EQ(c.Position(), (tVector3d{3, 4, 5}));
    c.TurnRight90();
    c.MoveRel(1, 2, -3);   // right is now -y, forward +x
    EXPECT_EQ(c.Position(), (tVector3d{5, 3, 2}));
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

TEST(Cursor3d, StackMisuseIsReportedAndTheStateKept) {
    testing::ScopedPresenter boxes;
    TCursor3d c("Pax");
    c.MoveForward(7);
    c.OldObject();
    c.Peek();
    c.CheckStack();   // nothing left: silent
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].caption, "Cursor3d: TCursor3d.Pop");
    EXPECT_EQ(boxes.Shown()[0].text, "unexpected call of 'Pax'.OldObject, stack is empty");
    EXPECT_EQ(boxes.Shown()[1].caption, "Cursor3d: TCursor3d.Peek");
    EXPECT_EQ(c.Position(), (tVector3d{0, 7, 0}));
    for (int i = 0; i < 3; ++i) c.NewObject();
    c.CheckStack();
    ASSERT_EQ(boxes.Count(), 3u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d: tCursor3d");
    EXPECT_EQ(boxes.Last().text, "missing 3 call(s) of Pax.OldObject");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
    EXPECT_EQ(c.Position(), (tVector3d{0, 7, 0}));
}

// A derived cursor only provides CloneObject and AssignTo to have its own field pushed.
class TaggedCursor : public TCursor3d {
public:
    int tag = 0;
    void AssignTo(TCursor3d& dest) const override {
        TCursor3d::AssignTo(dest);
        if (auto* tagged = dynamic_cast<TaggedCursor*>(&dest)) tagged->tag = tag;
    }

protected:
    std::unique_ptr<TCursor3d> CloneObject() const override { return std::make_unique<TaggedCursor>(*this); }
};

TEST(Cursor3d, PeekAndCloneCopyTheWholeDerivedState) {
    TaggedCursor c;
    c.tag = 1;
    c.NewObject();
    c.tag = 2;
    c.MoveUp(5);
    c.Peek();
    EXPECT_EQ(c.tag, 1);
    EXPECT_EQ(c.Position(), ZeroVector);
    EXPECT_EQ(c.Depth(), 1);
    c.MoveUp(3);
    std::unique_ptr<TCursor3d> copy = c.Clone();   // owns copies of the pushed states
    copy->OldObject();
    EXPECT_EQ(copy->Position(), ZeroVector);
    EXPECT_EQ(c.StackCount(), 1);
    c.tag = 3;
    c.Reset();   // keeps the stack
    c.OldObject();
    EXPECT_EQ(c.tag, 1);
    c.NewObject();
    c.Restart();
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
}

TEST(Cursor3d, SetAngleBuildsAFrameWithAHorizontalRight) {
    TCursor3d c;
    c.TurnRight(33);
    c.SetAngle(90, 0);
    ExpectFrame(c, {1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    c.SetAngle(0, 90);
    ExpectFrame(c, {0, -1, 0}, {0, 0, 1}, {-1, 0, 0});
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
    void (TCursor3d::*const turns[])(Extended) = {&TCursor3d::TurnRight, &TCursor3d::TurnLeft,
                                                  &TCursor3d::PitchUp,   &TCursor3d::PitchDown,
                                                  &TCursor3d::RollRight, &TCursor3d::RollLeft};
    TCursor3d c;
    for (int i = 0; i < 10000; ++i) (c.*turns[kind(random)])(angle(random));
    ExpectOrthonormal(c, 1e-12L);
}

TEST(Cursor3d, OrbitsKeepTheCentreAheadAtTheSameDistance) {
    for (auto orbit : {&TCursor3d::OrbitRight, &TCursor3d::OrbitLeft, &TCursor3d::OrbitUp, &TCursor3d::OrbitDown}) {
        TCursor3d c;
        c.MoveBy(10, -500, 20);
        c.RollRight(15);
        const tVector3d centre{10, 0, 20};
        const tVector3d start = c.Position();
        (c.*orbit)(500, 35);
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

TEST(Cursor3d, SetDirectionRebuildsTheFrameOrReportsAndKeepsIt) {
    testing::ScopedPresenter boxes;
    TCursor3d c;
    c.SetDirection(ZeroVector);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "Cursor3d:  TCursor3d.SetAngle");
    EXPECT_EQ(boxes.Last().text, "direction is undefined");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
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
    c.MoveBy(100, 0, 100);
    c.HeadToOrigin();
    ExpectNear(c.Heading(), Normalize({-1, 0, -1}));
    ExpectOrthonormal(c, 1e-15L);
    c.Reset();
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

}  // namespace
}  // namespace pax
