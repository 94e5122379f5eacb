#include "scene/cursor3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "support/vector_near.h"
#include "system/exceptions.h"
#include "system/shown_boxes.h"

namespace pax {
namespace {

using testing::BoxTexts;
using testing::Near;
using testing::Texts;
using T = TCursor3d;

::testing::AssertionResult FrameIs(const T& c, const tVector3d& right, const tVector3d& heading,
                                   const tVector3d& up, long double tol = 1e-15L) {
    auto result = Near(c.Right(), right, tol);
    if (result) result = Near(c.Heading(), heading, tol);
    if (result) result = Near(c.Up(), up, tol);
    return result;
}

::testing::AssertionResult Orthonormal(const T& c, long double tol = 1e-15L) {
    const tVector3d &r = c.Right(), &h = c.Heading(), &u = c.Up();
    for (double e : {double(Extent(r)) - 1, double(Extent(h)) - 1, double(Extent(u)) - 1, double(Dot(r, h)),
                     double(Dot(r, u)), double(Dot(h, u))})
        if (!(std::fabs(e) <= double(tol))) return ::testing::AssertionFailure() << "off by " << e;
    return Near(r, Cross(h, u), tol);
}

// Each turn from the start frame, its exact form without rounding, and both alike in any frame.
TEST(Cursor3d, TurnsFollowTheSensesOfTheirNamesAndTheExactTurnsMatchThem) {
    const std::tuple<void (T::*)(Extended), void (T::*)(), Extended, tVector3d, tVector3d, tVector3d> cases[] = {
        {&T::TurnRight, &T::TurnRight90, 90, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {&T::TurnLeft, &T::TurnLeft90, 90, {0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
        {&T::TurnRight, &T::TurnAround, 180, {-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
        {&T::PitchUp, &T::PitchUp90, 90, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {&T::PitchDown, &T::PitchDown90, 90, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {&T::PitchUp, &T::PitchAround, 180, {1, 0, 0}, {0, -1, 0}, {0, 0, -1}},
        {&T::RollRight, &T::RollRight90, 90, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}},
        {&T::RollLeft, &T::RollLeft90, 90, {0, 0, 1}, {0, 1, 0}, {-1, 0, 0}},
        {&T::RollRight, &T::RollAround, 180, {-1, 0, 0}, {0, 1, 0}, {0, 0, -1}},
    };
    for (const auto& [turn, exact, angle, right, heading, up] : cases) {
        T a, b;
        (a.*turn)(angle);
        (b.*exact)();
        EXPECT_TRUE(FrameIs(a, right, heading, up)) << angle;
        EXPECT_TRUE(FrameIs(b, right, heading, up, 0)) << angle;
        for (T* c : {&a, &b}) {
            c->SetAngle(30, 20);
            c->RollRight(10);
        }
        (a.*turn)(angle);
        (b.*exact)();
        EXPECT_TRUE(FrameIs(b, a.Right(), a.Heading(), a.Up(), 1e-12L)) << angle;
    }
    T c("a-very-long-cursor-name");
    EXPECT_EQ(c.Name(), "a-very-long");
    c.TurnRight(0);
    c.TurnLeft(0);
    EXPECT_FALSE(c.Changed());
    c.PitchUp(0);
    EXPECT_TRUE(c.Changed());
}

TEST(Cursor3d, NewObjectAndOldObjectRestoreTheWholeStateUpTo101Levels) {
    T c("Pax");
    c.NewObject();
    c.MoveRel(3, 4, 5);
    EXPECT_EQ(c.Position(), (tVector3d{3, 4, 5}));
    c.TurnRight90();
    c.MoveRel(1, 2, -3);  // right is now -y, forward +x
    EXPECT_EQ(c.Position(), (tVector3d{5, 3, 2}));
    c.SavePosition();
    c.OldObject();
    EXPECT_EQ(c.Position(), ZeroVector);
    EXPECT_EQ(c.SavedPosition(), ZeroVector);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
    EXPECT_FALSE(c.Changed());
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);

    for (int i = 0; i <= T::MaxDepth; ++i) c.NewObject();
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
    T c("Pax");
    c.MoveForward(7);
    c.OldObject();
    c.Peek();
    c.CheckStack();  // nothing left: silent
    for (int i = 0; i < 3; ++i) c.NewObject();
    c.CheckStack();
    EXPECT_EQ(BoxTexts(boxes), (Texts{"Cursor3d: TCursor3d.Pop | unexpected call of 'Pax'.OldObject, stack is empty",
                                      "Cursor3d: TCursor3d.Peek | unexpected call of 'Pax'.Peek, stack is empty",
                                      "Cursor3d: tCursor3d | missing 3 call(s) of Pax.OldObject"}));
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
    EXPECT_EQ(c.Position(), (tVector3d{0, 7, 0}));
}

// A derived cursor only provides CloneObject and AssignTo to have its own field pushed.
class TaggedCursor : public T {
public:
    int tag = 0;
    void AssignTo(T& dest) const override {
        T::AssignTo(dest);
        if (auto* tagged = dynamic_cast<TaggedCursor*>(&dest)) tagged->tag = tag;
    }

protected:
    std::unique_ptr<T> CloneObject() const override { return std::make_unique<TaggedCursor>(*this); }
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
    std::unique_ptr<T> copy = c.Clone();  // owns copies of the pushed states
    copy->OldObject();
    EXPECT_EQ(copy->Position(), ZeroVector);
    EXPECT_EQ(c.StackCount(), 1);
    c.tag = 3;
    c.Reset();  // keeps the stack
    c.OldObject();
    EXPECT_EQ(c.tag, 1);
    c.NewObject();
    c.Restart();
    EXPECT_EQ(c.Depth(), 0);
    EXPECT_EQ(c.StackCount(), 0);
}

TEST(Cursor3d, SetAngleBuildsAFrameWithAHorizontalRightAndGetAlphaGivesTheCompassAngle) {
    T c;
    c.TurnRight(33);
    c.SetAngle(90, 0);
    EXPECT_TRUE(FrameIs(c, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
    c.SetAngle(0, 90);
    EXPECT_TRUE(FrameIs(c, {0, -1, 0}, {0, 0, 1}, {-1, 0, 0}));

    c.Reset();
    for (Extended alpha : {90, 0, 270}) {
        EXPECT_NEAR(c.GetAlpha(), alpha, 1e-12);
        c.TurnRight90();
    }
    c.Reset();
    c.PitchUp90();  // looking up: the compass direction is still that of the old heading
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

TEST(Cursor3d, RollToHorizontalLevelsRightUnlessTheHeadingIsVertical) {
    T c;
    c.RollRight(30);
    c.RollToHorizontal();
    EXPECT_TRUE(FrameIs(c, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
    c.PitchUp90();
    c.RollRight(30);
    const tVector3d up = c.Up();
    c.RollToHorizontal();
    EXPECT_EQ(c.Up(), up);
}

// The interpreter turns by a kept sine and cosine: its frames must be the degree turns' to the
// last bit, and stay orthonormal over a long walk.
TEST(Cursor3d, SineCosineTurnsAreTheDegreeTurnsToTheLastBitAndKeepTheFrameOrthonormal) {
    const std::tuple<void (T::*)(Extended), void (T::*)(const tSinCos&), Extended> pairs[] = {
        {&T::TurnRight, &T::TurnRightBySinCos, 1}, {&T::TurnLeft, &T::TurnRightBySinCos, -1},
        {&T::PitchDown, &T::PitchDownBySinCos, 1}, {&T::PitchUp, &T::PitchDownBySinCos, -1},
        {&T::RollLeft, &T::RollLeftBySinCos, 1},   {&T::RollRight, &T::RollLeftBySinCos, -1},
    };
    std::mt19937 random(4711);
    std::uniform_real_distribution<double> angle(-180, 180);
    T a, b;
    for (int i = 0; i < 10000; ++i) {
        const auto& [turn, bySinCos, sense] = pairs[random() % 6];
        const Extended degrees = angle(random), rad = sense * degrees * DegToRad;
        (a.*turn)(degrees);
        (b.*bySinCos)({std::sin(rad), std::cos(rad)});
        ASSERT_TRUE(a.State().Right == b.State().Right && a.State().Heading == b.State().Heading &&
                    a.State().Up == b.State().Up)
            << i;
    }
    EXPECT_TRUE(Orthonormal(a, 1e-12L));
}

TEST(Cursor3d, OrbitsKeepTheCentreAheadAtTheSameDistance) {
    for (auto orbit : {&T::OrbitRight, &T::OrbitLeft, &T::OrbitUp, &T::OrbitDown}) {
        T c;
        c.MoveBy(10, -500, 20);
        c.RollRight(15);
        const tVector3d centre{10, 0, 20}, start = c.Position();
        (c.*orbit)(500, 35);
        EXPECT_NEAR(Distance(c.Position(), centre), 500, 1e-12);
        EXPECT_TRUE(Near(c.Position() + 500 * c.Heading(), centre, 1e-12L));
        EXPECT_GT(Distance(c.Position(), start), 100);
    }
    const std::pair<void (T::*)(Extended, Extended), tVector3d> sides[] = {
        {&T::OrbitRight, {100, 0, 0}}, {&T::OrbitUp, {0, 0, 100}}};  // to the right, above
    for (const auto& [orbit, end] : sides) {
        T c;
        c.MoveBack(100);
        (c.*orbit)(100, 90);
        EXPECT_TRUE(Near(c.Position(), end, 1e-12L));
    }
}

TEST(Cursor3d, SetDirectionRebuildsTheFrameOrReportsAndKeepsIt) {
    testing::ScopedPresenter boxes;
    T c;
    c.SetDirection(ZeroVector);
    EXPECT_EQ(BoxTexts(boxes), Texts{"Cursor3d:  TCursor3d.SetAngle | direction is undefined"});
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(c.Heading(), (tVector3d{0, 1, 0}));
    c.SetDirection({3, 3, 0});
    EXPECT_TRUE(Near(c.Heading(), Normalize({1, 1, 0}), 1e-15L));
    EXPECT_TRUE(Near(c.Up(), {0, 0, 1}, 1e-15L));
    EXPECT_TRUE(Orthonormal(c));
    c.SetDirection({1, 0, 1.5L});  // near Up: built on the old Right
    EXPECT_TRUE(Near(c.Heading(), Normalize({1, 0, 1.5L}), 1e-15L));
    EXPECT_TRUE(Orthonormal(c));
    c.Reset();
    EXPECT_THROW(c.SetDirection({0, 0, 2}), EMathError);
    EXPECT_TRUE(FrameIs(c, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, 0));
}

TEST(Cursor3d, SetHeadingAndSetUpNeverCollapseTheFrame) {
    T c;
    c.MoveBy(100, 0, 100);
    c.HeadToOrigin();
    EXPECT_TRUE(Near(c.Heading(), Normalize({-1, 0, -1}), 1e-15L));
    EXPECT_TRUE(Orthonormal(c));
    c.Reset();
    c.SetHeading({5, 0, 0});  // perpendicular to Up and along Right
    EXPECT_TRUE(FrameIs(c, {0, -1, 0}, {1, 0, 0}, {0, 0, 1}));
    c.SetHeading({0, 0, -1});  // along -Up
    EXPECT_TRUE(Near(c.Heading(), {0, 0, -1}, 1e-15L));
    EXPECT_TRUE(Orthonormal(c));
    c.Reset();
    c.SetUp({1, 0, 0});  // perpendicular to Heading and along Right
    EXPECT_TRUE(FrameIs(c, {0, 0, -1}, {0, 1, 0}, {1, 0, 0}));
    c.SetUp({0, 2, 0});  // along Heading
    EXPECT_TRUE(Orthonormal(c));
    const trCursor3d before = c.State();
    c.SetHeading(ZeroVector);
    c.SetUp(ZeroVector);
    EXPECT_EQ(c.Heading(), before.Heading);
    EXPECT_EQ(c.Up(), before.Up);
}

}  // namespace
}  // namespace pax
