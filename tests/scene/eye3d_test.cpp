#include "scene/eye3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/scripted_presenter.h"
#include "system/status_line.h"

namespace pax {
namespace {

using testing::ScopedPresenter;

void ExpectPoint(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-12L) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

// Collects the message-line warnings while it lives.
class StatusWarnings {
public:
    StatusWarnings() {
        InstallStatusWarningSink([this](std::string_view text) { texts.emplace_back(text); });
    }
    ~StatusWarnings() { InstallStatusWarningSink({}); }
    std::vector<std::string> texts;
};

TEST(Eye3d, ResetLooksAtTheOriginFrom1000UnitsWith25Degrees) {
    Eye3d eye;
    eye.NewObject();
    eye.TurnRight(40);
    eye.MoveUp(3);
    eye.SetVisualAngle(60);
    eye.Reset();
    ExpectPoint(eye.Position(), {0, -1000, 0});
    ExpectPoint(eye.SavedPosition(), {0, -1000, 0});
    ExpectPoint(eye.Heading(), {0, 1, 0});
    ExpectPoint(eye.Up(), {0, 0, 1});
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    EXPECT_NEAR(eye.VisualAngleRad(), 0.4363323129985824L, 1e-16L);
    EXPECT_EQ(eye.Depth(), 1);
    EXPECT_EQ(eye.Name(), "Eye");
    EXPECT_TRUE(eye.Changed());
}

TEST(Eye3d, VisualAngleIsClampedWithAWarningInTheMessageLine) {
    struct Case {
        Extended degrees, expected;
        bool warns;
    };
    const Case cases[] = {
        {200, 160, true},   {0.05L, 0.1L, true}, {0.1L, 0.1L, false}, {160, 160, false},
        {-5, 0.1L, true},   {45, 45, false},     {Extended(0.1), Extended(0.1), false},     {std::numeric_limits<Extended>::quiet_NaN(), 0.1L, true},
    };
    for (const Case& c : cases) {
        StatusWarnings warnings;
        Eye3d eye;
        eye.SetChanged(false);
        eye.SetVisualAngle(c.degrees);
        EXPECT_NEAR(eye.GetVisualAngle(), c.expected, 1e-15L) << c.degrees;
        EXPECT_TRUE(eye.Changed());
        if (c.warns) {
            ASSERT_EQ(warnings.texts.size(), 1u) << c.degrees;
            EXPECT_EQ(warnings.texts[0], "Eye3d.SetVisualAngle: wrong angle: 0.1 <= angle <= 160.0");
        } else {
            EXPECT_TRUE(warnings.texts.empty()) << c.degrees;
        }
    }
    StatusWarnings warnings;
    Eye3d eye;
    eye.ChangeVisualAngle(-5);
    EXPECT_NEAR(eye.GetVisualAngle(), 20, 1e-15L);
}

TEST(Eye3d, ResetViewKeepsTheDistanceAndLooksAtTheOrigin) {
    struct Case {
        int view;
        tVector3d position;
    };
    const Case cases[] = {
        {0, {0, -500, 0}}, {1, {0, 500, 0}}, {2, {-500, 0, 0}}, {3, {500, 0, 0}},
        {4, {0, 0, 500}},  {5, {0, 0, -500}}, {9, {0, -500, 0}},
    };
    for (const Case& c : cases) {
        Eye3d eye;
        eye.MoveForward(500);
        eye.TurnLeft(33);
        eye.SetVisualAngle(70);
        eye.ResetView(c.view);
        ExpectPoint(eye.Position(), c.position, 1e-9L);
        ExpectPoint(eye.Heading(), (-1.0L / 500) * c.position, 1e-12L);
        EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    }
}

TEST(Eye3d, PopRestoresTheWholeEyeAndMarksItChanged) {
    ScopedPresenter presenter;
    Eye3d eye;
    eye.NewObject();
    eye.TurnLeft(0.25L);
    eye.MoveRight(0.5L);
    eye.SetVisualAngle(90);
    eye.SetChanged(false);
    eye.OldObject();
    EXPECT_TRUE(eye.Changed());
    EXPECT_EQ(eye.Depth(), 0);
    ExpectPoint(eye.Position(), {0, -1000, 0});
    ExpectPoint(eye.Heading(), {0, 1, 0});
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    EXPECT_EQ(presenter.Count(), 0u);

    eye.OldObject();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, "PaxEye: Eye3d.OldObject");
    EXPECT_EQ(presenter.Last().text, "missing previous call of Eye.NewObject");
    EXPECT_EQ(eye.Depth(), 0);
}

TEST(Eye3d, CheckStackReportsOneCallFewerAndPopsToTheOutermostState) {
    ScopedPresenter presenter;
    Eye3d eye;
    eye.CheckStack();
    EXPECT_EQ(presenter.Count(), 0u);
    for (int i = 0; i < 3; ++i) {
        eye.NewObject();
        eye.MoveUp(10);
        eye.ChangeVisualAngle(5);
    }
    eye.CheckStack();
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption, "PaxEye: Eyed.NewObject");
    EXPECT_EQ(presenter.Last().text, "missing 2 call(s) of Eye.OldObject");
    EXPECT_EQ(eye.Depth(), 0);
    EXPECT_EQ(eye.StackCount(), 0);
    ExpectPoint(eye.Position(), {0, -1000, 0});
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
}

TEST(Eye3d, StatusTextShowsTheAnglesAndTheViewAngle) {
    Eye3d eye;
    eye.SetVisualAngle(37.25L);
    EXPECT_EQ(eye.StatusText(0), "alpha=  90°  beta=   0°  view=37.2°  ");
    EXPECT_EQ(eye.StatusText(2), "alpha=  90°  beta=   0°  ");
}

}  // namespace
}  // namespace pax
