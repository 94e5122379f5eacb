#include "app/basic_animations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "app/animation_report.h"
#include "app/main_state.h"
#include "app_test_support.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"

namespace pax {
namespace {

constexpr long double Tolerance = 1e-9L;

long double Degrees(long double radians) { return radians / DegToRad; }

// The angle between two positions, seen from the origin, in degrees.
long double AngleFromOrigin(const tVector3d& a, const tVector3d& b) {
    return Degrees(std::acos(std::clamp(Dot(a, b) / (Extent(a) * Extent(b)), -1.0L, 1.0L)));
}

class BasicAnimationsTest : public ::testing::Test {
protected:
    testing::ScopedAppSettings settings;
    Stage stage{StageOptions{480, 360, 64, 64}};
    Pax3d ghost{"Ghost"};
    testing::RecordingCallbacks callbacks;
    MainState state{callbacks};
    BasicAnimations animations{ghost, stage.View(), state};

    // count pictures of ms each, each followed by the animation step.
    void Run(testing::ManualClock& clock, int count, uint32_t ms) {
        for (int i = 0; i < count; ++i) {
            clock.Picture(ms);
            animations.GhostAnimation();
        }
    }
};

TEST_F(BasicAnimationsTest, RotateTurnsFifteenDegreesPerSecondWhateverThePictureRateUntilCallingDeepIsZero) {
    for (uint32_t ms : {20u, 8u, 40u}) {
        ghost.Restart();
        animations.SetRotateAnimation(1.5L, 0, 0);
        testing::ManualClock clock;
        Run(clock, static_cast<int>(1000 / ms), ms);
        const tVector3d& h = ghost.Heading();
        EXPECT_NEAR(Degrees(std::atan2(h.z, h.y)), 15.0L, Tolerance) << ms << " ms per picture";
        EXPECT_NEAR(h.x, 0.0L, Tolerance);
    }
    // Calling deep 0 stops every animation but keeps its number.
    animations.SetRotateAnimation(5, 5, 5);
    ConfigValues().CallingDeep = 0;
    testing::ManualClock clock;
    const tVector3d heading = ghost.Heading(), up = ghost.Up();
    Run(clock, 10, 20);
    EXPECT_EQ(ghost.Heading(), heading);
    EXPECT_EQ(ghost.Up(), up);
    EXPECT_EQ(ConfigValues().BasicAnimation, Animation::Rotate);
    EXPECT_EQ(animations.ProcCount(), 1);
}

TEST_F(BasicAnimationsTest, OrbitsKeepTheirDistanceAndASteadyAnglePerSecond) {
    // Each orbit with the coordinate that stays 0: the axis it turns about.
    for (auto [n, axis] : {std::pair(Animation::OrbitZ, &tVector3d::z), std::pair(Animation::OrbitY, &tVector3d::y),
                           std::pair(Animation::OrbitX, &tVector3d::x)}) {
        for (uint32_t ms : {20u, 10u}) {
            animations.SetOrbitAngle(0);   // as SetWobbleAnimation leaves it: the default speed
            ConfigValues().Distance.x = 150;
            animations.SelectBasicAnimation(Animation::Off);
            animations.SelectBasicAnimation(n);
            const tVector3d start = ghost.Position();
            ASSERT_NEAR(Extent(start), 150.0L, Tolerance);
            testing::ManualClock clock;
            for (int i = 0; i < static_cast<int>(1000 / ms); ++i) {
                Run(clock, 1, ms);
                ASSERT_NEAR(Extent(ghost.Position()), 150.0L, Tolerance) << "orbit " << n;
                ASSERT_NEAR(ghost.Position().*axis, 0.0L, Tolerance) << "orbit " << n;
            }
            EXPECT_NEAR(AngleFromOrigin(start, ghost.Position()), BasicAnimations::DefaultOrbitSpeed, 1e-6L)
                << "orbit " << n << " at " << ms << " ms per picture";
        }
    }
}

TEST_F(BasicAnimationsTest, SelectingTheSameAnimationAgainKeepsTheGhostWhereItIs) {
    ConfigValues().Distance.x = 100;
    animations.SelectBasicAnimation(Animation::OrbitZ);
    const tVector3d start = ghost.Position();
    testing::ManualClock clock;
    Run(clock, 25, 20);   // the start's orbit angle, 100, as degrees per second
    EXPECT_NEAR(AngleFromOrigin(start, ghost.Position()), 50.0L, 1e-6L);
    const tVector3d moved = ghost.Position();
    animations.SelectBasicAnimation(Animation::OrbitZ);
    EXPECT_EQ(ghost.Position(), moved);
    EXPECT_EQ(callbacks.status2, " animation = orbitZ");
    animations.SelectBasicAnimation(Animation::OrbitY);   // another one is prepared afresh
    EXPECT_NEAR(ghost.Position().z, -100.0L, Tolerance);
}

TEST_F(BasicAnimationsTest, WaveIsZeroWhilePausedAndForTooShortPeriods) {
    state.AnimationTime = 250;
    EXPECT_NEAR(animations.Wave(1, 2), 2.0L, Tolerance);
    EXPECT_NEAR(animations.Wave(2, 3), 3 * std::sin(Pi / 4), Tolerance);
    for (Extended period : {0.0099L, -1.0L, Extended(NAN)}) EXPECT_EQ(animations.Wave(period, 2), 0) << period;
    Switches()[Switch::Paused] = true;
    EXPECT_EQ(animations.Wave(1, 2), 0);
}

TEST(GroupDigits, PutsAPointBeforeEveryGroupOfThreeDigits) {
    for (auto [value, text] : {std::pair<int64_t, const char*>(1234567, "1.234.567"), {0, "0"}, {999, "999"},
                               {1000, "1.000"}, {100000, "100.000"}, {-1234, "-1.234"}, {-999, "-999"},
                               {INT64_MIN, "-9.223.372.036.854.775.808"}})
        EXPECT_EQ(GroupDigits(value), text) << value;
}

}  // namespace
}  // namespace pax
