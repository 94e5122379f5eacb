#include "scene/eye_motion.h"

#include <gtest/gtest.h>

#include "foundation/vector_checks.h"
#include "scene/eye3d.h"
#include "system/exceptions.h"

namespace pax {
namespace {

constexpr int PageUp = 33, End = 35, Home = 36, LeftKey = 37, UpKey = 38, RightKey = 39, DownKey = 40;
constexpr tVector3d Start{0, -1000, 0};

::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-12L) {
    return testing::Near(actual, expected, tol);
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

TEST(EyeMotion, ArrowKeysOrbitTheOriginByTheStepOfTheirModifiers) {
    const std::pair<TShiftState, Extended> cases[] = {
        {{}, 2.5L}, {ShiftFlag::Ctrl, 10}, {ShiftFlag::Shift, 1}, {ShiftFlag::Shift | ShiftFlag::Ctrl, 1}};
    for (auto [shift, degrees] : cases) {
        Eye3d eye = AfterKey(EyeExamine, RightKey, shift);
        EXPECT_NEAR(OrbitAngle(eye), degrees, 1e-12L);
        EXPECT_NEAR(eye.DistanceFromOrigin(), 1000, 1e-9L);
        EXPECT_GT(eye.Position().x, 0);  // carried to the right
        EXPECT_TRUE(Near(eye.Heading(), (-1.0L / 1000) * eye.Position()));
    }
    Eye3d eye = AfterKey(EyeExamine, UpKey);
    EXPECT_NEAR(OrbitAngle(eye), 2.5L, 1e-12L);
    EXPECT_GT(eye.Position().z, 0);  // the eye rises
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

TEST(EyeMotion, ArrowKeysFollowTheEyeMode) {
    const Extended s = std::sin(2.5L * DegToRad), c = std::cos(2.5L * DegToRad);
    const Extended hs = std::sin(1.25L * DegToRad), hc = std::cos(1.25L * DegToRad);
    const std::tuple<int, int, tVector3d, tVector3d> cases[] = {
        {EyeTurn, RightKey, Start, {s, c, 0}},
        {EyeTurn, DownKey, Start, {0, c, -s}},
        {EyeMove, DownKey, {0, -1000, 2.5L}, {0, 1, 0}},
        {EyeMove, UpKey, {0, -1000, -2.5L}, {0, 1, 0}},
        {EyeMove, LeftKey, {-2.5L, -1000, 0}, {0, 1, 0}},
        {EyeWalk, RightKey, Start, {-hs, hc, 0}},  // half the step, the other way
        {EyeWalk, UpKey, Start, {0, hc, -hs}},
    };
    for (const auto& [mode, key, position, heading] : cases) {
        Eye3d eye = AfterKey(mode, key);
        EXPECT_TRUE(Near(eye.Position(), position, 1e-9L));
        EXPECT_TRUE(Near(eye.Heading(), heading));
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
