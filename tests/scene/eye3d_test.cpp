#include "scene/eye3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "foundation/vector_checks.h"
#include "system/shown_boxes.h"
#include "system/status_line.h"

namespace pax {
namespace {

::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-12L) {
    return testing::Near(actual, expected, tol);
}

TEST(Eye3d, ResetLooksAtTheOriginFrom1000UnitsWith25DegreesAndKeepsTheStack) {
    Eye3d eye;
    eye.NewObject();
    eye.TurnRight(40);
    eye.SetVisualAngle(60);
    eye.Reset();
    EXPECT_TRUE(Near(eye.Position(), {0, -1000, 0}));
    EXPECT_TRUE(Near(eye.SavedPosition(), {0, -1000, 0}));
    EXPECT_TRUE(Near(eye.Heading(), {0, 1, 0}));
    EXPECT_NEAR(eye.VisualAngleRad(), 0.4363323129985824L, 1e-16L);
    EXPECT_EQ(eye.Depth(), 1);
    EXPECT_EQ(eye.StatusText(0), "alpha=  90°  beta=   0°  view=25.0°  ");
    EXPECT_EQ(eye.StatusText(2), "alpha=  90°  beta=   0°  ");
}

TEST(Eye3d, VisualAngleIsClampedWithAWarningInTheMessageLine) {
    std::vector<std::string> warnings;
    InstallStatusWarningSink([&](std::string_view text) { warnings.emplace_back(text); });
    // {degrees, kept, warns}; a double 0.1 passes as well as the extended one.
    const std::tuple<Extended, Extended, bool> cases[] = {
        {200, 160, true},   {0.05L, 0.1L, true}, {0.1L, 0.1L, false}, {Extended(0.1), Extended(0.1), false},
        {160, 160, false},  {-5, 0.1L, true},    {std::nanl(""), 0.1L, true},
    };
    for (const auto& [degrees, kept, warns] : cases) {
        warnings.clear();
        Eye3d eye;
        eye.SetChanged(false);
        eye.SetVisualAngle(degrees);
        EXPECT_NEAR(eye.GetVisualAngle(), kept, 1e-15L) << double(degrees);
        EXPECT_TRUE(eye.Changed());
        EXPECT_EQ(warnings, warns ? std::vector<std::string>{"Eye3d.SetVisualAngle: wrong angle: 0.1 <= angle <= 160.0"}
                                  : std::vector<std::string>{})
            << double(degrees);
    }
    InstallStatusWarningSink({});
}

TEST(Eye3d, ResetViewKeepsTheDistanceAndLooksAtTheOrigin) {
    const std::pair<int, tVector3d> cases[] = {
        {0, {0, -500, 0}}, {1, {0, 500, 0}}, {2, {-500, 0, 0}}, {3, {500, 0, 0}},
        {4, {0, 0, 500}},  {5, {0, 0, -500}}, {9, {0, -500, 0}},
    };
    for (const auto& [view, position] : cases) {
        Eye3d eye;
        eye.MoveForward(500);
        eye.TurnLeft(33);
        eye.ResetView(view);
        EXPECT_TRUE(Near(eye.Position(), position, 1e-9L));
        EXPECT_TRUE(Near(eye.Heading(), (-1.0L / 500) * position));
    }
}

TEST(Eye3d, PopsRestoreTheWholeEyeAndCheckStackReportsOneCallFewer) {
    testing::ScopedPresenter boxes;
    Eye3d eye;
    eye.CheckStack();
    for (int i = 0; i < 3; ++i) {
        eye.NewObject();
        eye.MoveRight(0.5L);
        eye.ChangeVisualAngle(5);
    }
    eye.OldObject();
    EXPECT_NEAR(eye.GetVisualAngle(), 35, 1e-15L);
    EXPECT_EQ(boxes.Count(), 0u);
    eye.NewObject();
    eye.SetChanged(false);
    eye.CheckStack();
    EXPECT_TRUE(eye.Changed());
    EXPECT_EQ(eye.Depth(), 0);
    EXPECT_EQ(eye.StackCount(), 0);
    EXPECT_TRUE(Near(eye.Position(), {0, -1000, 0}));
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    eye.OldObject();
    EXPECT_EQ(testing::BoxTexts(boxes), (testing::Texts{"PaxEye: Eyed.NewObject | missing 2 call(s) of Eye.OldObject",
                                                        "PaxEye: Eye3d.OldObject | missing previous call of Eye.NewObject"}));
}

}  // namespace
}  // namespace pax
