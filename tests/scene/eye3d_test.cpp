#include "scene/eye3d.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scene/eye_motion.h"
#include "support/vector_near.h"
#include "system/exceptions.h"
#include "system/shown_boxes.h"
#include "system/status_line.h"

namespace pax {
namespace {

constexpr int PageUp = 33, End = 35, Home = 36, LeftKey = 37, UpKey = 38, RightKey = 39, DownKey = 40;
constexpr tVector3d Start{0, -1000, 0};

::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-12L) {
    return testing::Near(actual, expected, tol);
}

TEST(Eye3d, ResetLooksAtTheOriginFrom1000UnitsWith25DegreesAndKeepsTheStack) {
    Eye3d eye;
    eye.NewObject();
    eye.TurnRight(40);
    eye.SetVisualAngle(60);
    eye.Reset();
    EXPECT_TRUE(Near(eye.Position(), Start));
    EXPECT_TRUE(Near(eye.SavedPosition(), Start));
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
    EXPECT_TRUE(Near(eye.Position(), Start));
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    eye.OldObject();
    EXPECT_EQ(testing::BoxTexts(boxes), (testing::Texts{"PaxEye: Eyed.NewObject | missing 2 call(s) of Eye.OldObject",
                                                        "PaxEye: Eye3d.OldObject | missing previous call of Eye.NewObject"}));
}

// Degrees the eye has travelled around the origin since it stood at Start.
Extended OrbitAngle(const Eye3d& eye) { return AngleBetween(Start, eye.Position()) * RadToDeg; }

EyeMotionSettings InMode(int mode) {
    EyeMotionSettings settings;
    SetEyeMode(settings, mode);
    return settings;
}

// A fresh eye after one key in the given mode.
Eye3d AfterKey(int mode, int key, TShiftState shift = {}) {
    Eye3d eye;
    KeyMotion(eye, InMode(mode), key, shift);
    return eye;
}

TEST(EyeMotion, KeysThatWorkInEveryMode) {
    const EyeMotionSettings settings = InMode(EyeTurn);
    Eye3d eye;
    KeyMotion(eye, settings, PageUp, {});
    EXPECT_TRUE(Near(eye.Position(), {0, -987.5L, 0}));
    KeyMotion(eye, settings, '3', ShiftFlag::Shift);
    EXPECT_TRUE(Near(eye.Position(), {0, -992.5L, 0}));
    KeyMotion(eye, settings, End, {});
    EXPECT_NEAR(eye.GetVisualAngle(), 25.5L, 1e-15L);
    KeyMotion(eye, settings, Home, ShiftFlag::Ctrl);
    EXPECT_NEAR(eye.GetVisualAngle(), 23.5L, 1e-15L);
    KeyMotion(eye, settings, 'a', {});
    KeyMotion(eye, settings, 'b', {});
    EXPECT_TRUE(Near(eye.Up(), {0, 0, 1}));
    KeyMotion(eye, settings, 12, ShiftFlag::Ctrl);  // the pad's centre needs Shift alone
    EXPECT_NEAR(eye.GetVisualAngle(), 23.5L, 1e-15L);
    KeyMotion(eye, settings, 12, ShiftFlag::Shift);
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    EXPECT_TRUE(Near(eye.Position(), Start));
    eye.SetChanged(false);
    KeyMotion(eye, settings, 45, {});  // Insert: no motion
    KeyMotion(eye, settings, 'x', {});
    KeyMotion(eye, settings, PageUp, ShiftFlag::Alt);  // Alt moves with the arrows only
    EXPECT_FALSE(eye.Changed());
    KeyMotion(eye, settings, LeftKey, ShiftFlag::Alt);
    KeyMotion(eye, settings, DownKey, ShiftFlag::Alt | ShiftFlag::Ctrl);
    EXPECT_TRUE(Near(eye.Position(), {-2.5L, -1000, 10}));
}

// Examine orbits the origin, Turn and Walk turn on the spot, Move shifts; each by the step
// of the modifiers held.
TEST(EyeMotion, ArrowKeysFollowTheEyeModeByTheStepOfTheirModifiers) {
    const auto S = [](Extended degrees) { return std::sin(degrees * DegToRad); };
    const auto C = [](Extended degrees) { return std::cos(degrees * DegToRad); };
    const TShiftState none, ctrl = ShiftFlag::Ctrl, shift = ShiftFlag::Shift;
    const std::tuple<int, int, TShiftState, tVector3d, tVector3d> cases[] = {
        {EyeExamine, RightKey, none, {1000 * S(2.5L), -1000 * C(2.5L), 0}, {-S(2.5L), C(2.5L), 0}},
        {EyeExamine, RightKey, ctrl, {1000 * S(10), -1000 * C(10), 0}, {-S(10), C(10), 0}},
        {EyeExamine, RightKey, shift, {1000 * S(1), -1000 * C(1), 0}, {-S(1), C(1), 0}},
        {EyeExamine, RightKey, shift | ctrl, {1000 * S(1), -1000 * C(1), 0}, {-S(1), C(1), 0}},
        {EyeExamine, UpKey, none, {0, -1000 * C(2.5L), 1000 * S(2.5L)}, {0, C(2.5L), -S(2.5L)}},  // the eye rises
        {EyeTurn, RightKey, none, Start, {S(2.5L), C(2.5L), 0}},
        {EyeTurn, DownKey, none, Start, {0, C(2.5L), -S(2.5L)}},
        {EyeMove, DownKey, none, {0, -1000, 2.5L}, {0, 1, 0}},
        {EyeMove, UpKey, none, {0, -1000, -2.5L}, {0, 1, 0}},
        {EyeMove, LeftKey, none, {-2.5L, -1000, 0}, {0, 1, 0}},
        {EyeWalk, RightKey, none, Start, {-S(1.25L), C(1.25L), 0}},  // half the step, the other way
        {EyeWalk, UpKey, none, Start, {0, C(1.25L), -S(1.25L)}},
    };
    for (const auto& [mode, key, modifiers, position, heading] : cases) {
        Eye3d eye = AfterKey(mode, key, modifiers);
        EXPECT_TRUE(Near(eye.Position(), position, 1e-9L)) << mode << " " << key << " " << int(modifiers.Bits());
        EXPECT_TRUE(Near(eye.Heading(), heading)) << mode << " " << key << " " << int(modifiers.Bits());
    }
    // Encircle levels the eye before it orbits.
    Eye3d eye;
    eye.RollRight(20);
    KeyMotion(eye, InMode(EyeEncircle), RightKey, {});
    EXPECT_NEAR(eye.Right().z, 0, 1e-15L);
    EXPECT_NEAR(eye.Position().z, 0, 1e-9L);
    EXPECT_NEAR(OrbitAngle(eye), 2.5L, 1e-12L);
}

TEST(EyeMotion, ModesSpeedAndNames) {
    EyeMotionSettings settings = InMode(4);
    EXPECT_EQ(EyeModeName(settings), "Walk");
    for (int outside : {7, -1}) {
        SetEyeMode(settings, outside);
        EXPECT_EQ(settings.EyeMode, EyeExamine);
    }
    SetMotionSpeed(settings, 10);
    SetMotionSpeed(settings, std::nanl(""));
    EXPECT_EQ(settings.MotionSpeed, 10);
    Eye3d eye;
    KeyMotion(eye, settings, '9', {});
    EXPECT_TRUE(Near(eye.Position(), {0, -975, 0}));

    EXPECT_EQ(ModifierText({}), "");
    EXPECT_EQ(ModifierText(ShiftFlag::Ctrl | ShiftFlag::Shift), " ctrl shift");
    EXPECT_EQ(ModifierText(TShiftState::FromBits(0xFF)), " ctrl shift alt");
    EXPECT_EQ(ModifierText(ShiftFlag::Alt), " alt");
    const std::tuple<int, int, const char*> names[] = {
        {EyeWalk, Home, " Eye.Zoom"},            {EyeExamine, PageUp, " Eye.MoveForward"},
        {EyeTurn, '5', " Eye.Reset"},            {EyeExamine, 111, " Eye.RollLeft"},
        {EyeExamine, DownKey, " Eye.OrbitDown"}, {EyeEncircle, LeftKey, " Eye.OrbitLeft"},
        {EyeTurn, DownKey, " Eye.TurnDown"},     {EyeWalk, RightKey, " Eye.TurnRight"},
        {EyeMove, DownKey, " Eye.MoveDown"},     {EyeMove, UpKey, " Eye.MoveUp"},
        {EyeMove, LeftKey, " Eye.MoveLeft"},     {EyeExamine, 45, ""},
    };
    for (const auto& [mode, key, name] : names) EXPECT_EQ(MotionName(InMode(mode), key), name) << mode << " " << key;
}

TEST(EyeMotion, MouseDragsMoveByModeAndRefuseImplausibleDistances) {
    EyeMotionSettings settings;
    Eye3d eye;
    eye.SetChanged(false);
    MouseMotion(eye, settings, 0, 0, {});
    EXPECT_FALSE(eye.Changed());
    MouseMotion(eye, settings, 1000, -1000, ShiftFlag::Alt);
    EXPECT_TRUE(eye.Changed());
    try {
        MouseMotion(eye, settings, 1001, 0, {});
        ADD_FAILURE() << "no range error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "motion values invalid 1001 0");
    }
    EXPECT_THROW(MouseMotion(eye, settings, 0, -1001, {}), ERangeError);

    // {mode, dx, dy, shift, degrees around the origin, or -1 and the position}
    const std::tuple<int, int, int, TShiftState, Extended, tVector3d> cases[] = {
        {EyeExamine, 10, 0, {}, 10, {}},
        {EyeExamine, 0, 5, ShiftFlag::Shift, 1, {}},
        {EyeEncircle, 2, 0, ShiftFlag::Ctrl, 10, {}},
        {EyeWalk, 0, 1, {}, -1, {0, -1010, 0}},
        {EyeWalk, 0, 1, ShiftFlag::Ctrl, -1, {0, -1050, 0}},
        {EyeMove, 0, 4, {}, -1, {0, -1000, -4}},
        {EyeTurn, 7, 0, {}, -1, Start},
        {EyeExamine, 3, -2, ShiftFlag::Alt, -1, {-3, -1000, -2}},
    };
    for (const auto& [mode, dx, dy, shift, orbit, position] : cases) {
        Eye3d moved;
        MouseMotion(moved, InMode(mode), dx, dy, shift);
        if (orbit >= 0) {
            EXPECT_NEAR(OrbitAngle(moved), orbit, 1e-12L) << mode;
            EXPECT_NEAR(moved.DistanceFromOrigin(), 1000, 1e-9L);
        } else {
            EXPECT_TRUE(Near(moved.Position(), position, 1e-9L)) << mode;
        }
    }
}

TEST(EyeMotion, WheelMovesForwardZoomsWithAltAndRestsInWalkMode) {
    const std::tuple<int, TShiftState, tVector3d, Extended> cases[] = {
        {EyeExamine, {}, {0, -990, 0}, 25},  {EyeExamine, ShiftFlag::Ctrl, {0, -950, 0}, 25},
        {EyeMove, ShiftFlag::Shift, {0, -998, 0}, 25}, {EyeExamine, ShiftFlag::Alt, Start, 26},
        {EyeWalk, {}, Start, 25},
    };
    for (const auto& [mode, shift, position, angle] : cases) {
        Eye3d eye;
        WheelMotion(eye, InMode(mode), 1, shift);
        EXPECT_TRUE(Near(eye.Position(), position));
        EXPECT_NEAR(eye.GetVisualAngle(), angle, 1e-15L);
    }
    Eye3d eye;
    WheelMotion(eye, InMode(EyeTurn), -1, {});
    EXPECT_TRUE(Near(eye.Up(), {std::sin(10 * DegToRad), 0, std::cos(10 * DegToRad)}));
}

}  // namespace
}  // namespace pax
