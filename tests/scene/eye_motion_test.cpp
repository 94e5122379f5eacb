#include "scene/eye_motion.h"

#include <gtest/gtest.h>

#include "scene/eye3d.h"
#include "system/exceptions.h"

namespace pax {
namespace {

constexpr int PageUp = 33, End = 35, Home = 36, LeftKey = 37, UpKey = 38, RightKey = 39, DownKey = 40;
constexpr tVector3d Start{0, -1000, 0};

void ExpectPoint(const tVector3d& actual, const tVector3d& expected, long double tol = 1e-12L) {
    EXPECT_NEAR(actual.x, expected.x, tol);
    EXPECT_NEAR(actual.y, expected.y, tol);
    EXPECT_NEAR(actual.z, expected.z, tol);
}

// Degrees the eye has travelled around the origin since it stood at Start.
Extended OrbitAngle(const Eye3d& eye) { return AngleBetween(Start, eye.Position()) * RadToDeg; }

TEST(EyeMotion, ArrowKeysOrbitTheOriginByTheStepOfTheirModifiers) {
    struct Case {
        TShiftState shift;
        Extended degrees;
    };
    const Case cases[] = {{{}, 2.5L}, {ShiftFlag::Ctrl, 10}, {ShiftFlag::Shift, 1}, {ShiftFlag::Shift | ShiftFlag::Ctrl, 1}};
    for (const Case& c : cases) {
        EyeMotionSettings settings;
        Eye3d eye;
        KeyMotion(eye, settings, RightKey, c.shift);
        EXPECT_NEAR(OrbitAngle(eye), c.degrees, 1e-12L);
        EXPECT_NEAR(eye.DistanceFromOrigin(), 1000, 1e-9L);
        EXPECT_GT(eye.Position().x, 0);   // carried to the right
        ExpectPoint(eye.Heading(), (-1.0L / 1000) * eye.Position());
    }
    EyeMotionSettings settings;
    Eye3d eye;
    KeyMotion(eye, settings, UpKey, {});
    EXPECT_NEAR(OrbitAngle(eye), 2.5L, 1e-12L);
    EXPECT_GT(eye.Position().z, 0);   // the eye rises
}

TEST(EyeMotion, KeysThatWorkInEveryMode) {
    EyeMotionSettings settings;
    SetEyeMode(settings, EyeTurn);
    Eye3d eye;
    KeyMotion(eye, settings, PageUp, {});
    ExpectPoint(eye.Position(), {0, -987.5L, 0});
    KeyMotion(eye, settings, '3', ShiftFlag::Shift);
    ExpectPoint(eye.Position(), {0, -992.5L, 0});
    KeyMotion(eye, settings, End, {});
    EXPECT_NEAR(eye.GetVisualAngle(), 25.5L, 1e-15L);
    KeyMotion(eye, settings, Home, ShiftFlag::Ctrl);
    EXPECT_NEAR(eye.GetVisualAngle(), 23.5L, 1e-15L);
    KeyMotion(eye, settings, 'a', {});
    KeyMotion(eye, settings, 'b', {});
    ExpectPoint(eye.Up(), {0, 0, 1});
    KeyMotion(eye, settings, 12, ShiftFlag::Ctrl);   // the pad's centre needs Shift alone
    EXPECT_NEAR(eye.GetVisualAngle(), 23.5L, 1e-15L);
    KeyMotion(eye, settings, 12, ShiftFlag::Shift);
    EXPECT_NEAR(eye.GetVisualAngle(), 25, 1e-15L);
    ExpectPoint(eye.Position(), Start);
    eye.SetChanged(false);
    KeyMotion(eye, settings, 45, {});   // Insert: no motion
    KeyMotion(eye, settings, 'x', {});
    KeyMotion(eye, settings, PageUp, ShiftFlag::Alt);   // Alt moves with the arrows only
    EXPECT_FALSE(eye.Changed());
    KeyMotion(eye, settings, LeftKey, ShiftFlag::Alt);
    KeyMotion(eye, settings, DownKey, ShiftFlag::Alt | ShiftFlag::Ctrl);
    ExpectPoint(eye.Position(), {-2.5L, -1000, 10});
}

TEST(EyeMotion, ArrowKeysFollowTheEyeMode) {
    struct Case {
        uint8_t mode;
        int key;
        tVector3d position, heading;
    };
    const Extended s = std::sin(2.5L * DegToRad), c = std::cos(2.5L * DegToRad);
    const Extended hs = std::sin(1.25L * DegToRad), hc = std::cos(1.25L * DegToRad);
    const Case cases[] = {
        {EyeTurn, RightKey, Start, {s, c, 0}},
        {EyeTurn, DownKey, Start, {0, c, -s}},
        {EyeMove, DownKey, {0, -1000, 2.5L}, {0, 1, 0}},
        {EyeMove, UpKey, {0, -1000, -2.5L}, {0, 1, 0}},
        {EyeMove, LeftKey, {-2.5L, -1000, 0}, {0, 1, 0}},
        {EyeWalk, RightKey, Start, {-hs, hc, 0}},   // half the step, the other way
        {EyeWalk, UpKey, Start, {0, hc, -hs}},
    };
    for (const Case& k : cases) {
        EyeMotionSettings settings;
        SetEyeMode(settings, k.mode);
        Eye3d eye;
        KeyMotion(eye, settings, k.key, {});
        ExpectPoint(eye.Position(), k.position, 1e-9L);
        ExpectPoint(eye.Heading(), k.heading);
    }
    // Encircle levels the eye before it orbits.
    EyeMotionSettings settings;
    SetEyeMode(settings, EyeEncircle);
    Eye3d eye;
    eye.RollRight(20);
    KeyMotion(eye, settings, RightKey, {});
    EXPECT_NEAR(eye.Right().z, 0, 1e-15L);
    EXPECT_NEAR(eye.Position().z, 0, 1e-9L);
    EXPECT_NEAR(OrbitAngle(eye), 2.5L, 1e-12L);
}

TEST(EyeMotion, ModesNamesAndSpeed) {
    EyeMotionSettings settings;
    SetEyeMode(settings, 4);
    EXPECT_EQ(EyeModeName(settings), "Walk");
    SetEyeMode(settings, 7);
    EXPECT_EQ(settings.EyeMode, EyeExamine);
    EXPECT_EQ(EyeModeName(settings), "Examine");
    SetEyeMode(settings, -1);
    EXPECT_EQ(settings.EyeMode, EyeExamine);
    SetMotionSpeed(settings, 10);
    SetMotionSpeed(settings, std::nanl(""));
    EXPECT_EQ(settings.MotionSpeed, 10);
    Eye3d eye;
    KeyMotion(eye, settings, '9', {});
    ExpectPoint(eye.Position(), {0, -975, 0});

    EXPECT_EQ(ModifierText({}), "");
    EXPECT_EQ(ModifierText(ShiftFlag::Ctrl | ShiftFlag::Shift), " ctrl shift");
    EXPECT_EQ(ModifierText(TShiftState::FromBits(0xFF)), " ctrl shift alt");
    EXPECT_EQ(ModifierText(ShiftFlag::Alt), " alt");
}

TEST(EyeMotion, MotionNamesFollowTheKeyAndTheMode) {
    struct Case {
        uint8_t mode;
        int key;
        const char* name;
    };
    const Case cases[] = {
        {EyeWalk, Home, " Eye.Zoom"},            {EyeExamine, PageUp, " Eye.MoveForward"},
        {EyeTurn, '5', " Eye.Reset"},            {EyeExamine, 111, " Eye.RollLeft"},
        {EyeExamine, DownKey, " Eye.OrbitDown"}, {EyeEncircle, LeftKey, " Eye.OrbitLeft"},
        {EyeTurn, DownKey, " Eye.TurnDown"},     {EyeWalk, RightKey, " Eye.TurnRight"},
        {EyeMove, DownKey, " Eye.MoveDown"},     {EyeMove, UpKey, " Eye.MoveUp"},
        {EyeMove, LeftKey, " Eye.MoveLeft"},     {EyeExamine, 45, ""},
    };
    for (const Case& c : cases) {
        EyeMotionSettings settings;
        SetEyeMode(settings, c.mode);
        EXPECT_EQ(MotionName(settings, c.key), c.name) << int(c.mode) << " " << c.key;
    }
}

TEST(EyeMotion, MouseDragsMoveByModeAndRefuseImplausibleDistances) {
    EyeMotionSettings settings;
    Eye3d eye;
    eye.SetChanged(false);
    MouseMotion(eye, settings, 0, 0, {});
    EXPECT_FALSE(eye.Changed());
    MouseMotion(eye, settings, 1000, -1000, ShiftFlag::Alt);
    EXPECT_TRUE(eye.Changed());
    EXPECT_THROW(
        {
            try {
                MouseMotion(eye, settings, 1001, 0, {});
            } catch (const ERangeError& e) {
                EXPECT_STREQ(e.what(), "motion values invalid 1001 0");
                throw;
            }
        },
        ERangeError);
    EXPECT_THROW(MouseMotion(eye, settings, 0, -1001, {}), ERangeError);

    struct Case {
        uint8_t mode;
        int dx, dy;
        TShiftState shift;
        Extended orbit;       // degrees around the origin
        tVector3d position;   // checked when orbit is negative
    };
    const Case cases[] = {
        {EyeExamine, 10, 0, {}, 10, {}},
        {EyeExamine, 0, 5, ShiftFlag::Shift, 1, {}},
        {EyeEncircle, 2, 0, ShiftFlag::Ctrl, 10, {}},
        {EyeWalk, 0, 1, {}, -1, {0, -1010, 0}},
        {EyeWalk, 0, 1, ShiftFlag::Ctrl, -1, {0, -1050, 0}},
        {EyeMove, 0, 4, {}, -1, {0, -1000, -4}},
        {EyeTurn, 7, 0, {}, -1, Start},
        {EyeExamine, 3, -2, ShiftFlag::Alt, -1, {-3, -1000, -2}},
    };
    for (const Case& c : cases) {
        Eye3d moved;
        SetEyeMode(settings, c.mode);
        MouseMotion(moved, settings, c.dx, c.dy, c.shift);
        if (c.orbit >= 0) {
            EXPECT_NEAR(OrbitAngle(moved), c.orbit, 1e-12L) << int(c.mode);
            EXPECT_NEAR(moved.DistanceFromOrigin(), 1000, 1e-9L);
        } else {
            ExpectPoint(moved.Position(), c.position, 1e-9L);
        }
    }
}

TEST(EyeMotion, WheelMovesForwardZoomsWithAltAndRestsInWalkMode) {
    struct Case {
        uint8_t mode;
        TShiftState shift;
        tVector3d position;
        Extended angle;
    };
    const Case cases[] = {
        {EyeExamine, {}, {0, -990, 0}, 25},
        {EyeExamine, ShiftFlag::Ctrl, {0, -950, 0}, 25},
        {EyeMove, ShiftFlag::Shift, {0, -998, 0}, 25},
        {EyeExamine, ShiftFlag::Alt, Start, 26},
        {EyeWalk, {}, Start, 25},
    };
    for (const Case& c : cases) {
        EyeMotionSettings settings;
        SetEyeMode(settings, c.mode);
        Eye3d eye;
        WheelMotion(eye, settings, 1, c.shift);
        ExpectPoint(eye.Position(), c.position);
        EXPECT_NEAR(eye.GetVisualAngle(), c.angle, 1e-15L);
    }
    EyeMotionSettings settings;
    SetEyeMode(settings, EyeTurn);
    Eye3d eye;
    WheelMotion(eye, settings, -1, {});
    ExpectPoint(eye.Up(), {std::sin(10 * DegToRad), 0, std::cos(10 * DegToRad)});
}

}  // namespace
}  // namespace pax
