#include "app/steady_animation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/app_test_support.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "system/settings.h"

namespace pax {
namespace {

TEST(SteadyAnimation, StepsTheClockAndTheAnimationTimeByPictureAndPutsEverythingBack) {
    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    MainState& state = studio.State();
    const PictureClockState clockBefore = PictureClock();
    Switches()[Switch::Paused] = true;
    state.Delay = 7;
    state.AnimationTime = 1234;
    PictureClock().Counter = 40;
    {
        SteadyAnimation animation(studio, 30);
        EXPECT_FALSE(Switches()[Switch::Paused]);
        EXPECT_EQ(state.Delay, 0);
        EXPECT_EQ(PictureClock().Counter, 0u);
        // The clock stands still between the steps, however long a picture takes.
        const uint32_t start = NowMilliseconds();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(NowMilliseconds(), start);
        animation.AdvanceTo(1);
        EXPECT_EQ(NowMilliseconds(), start + 33);   // 33.3 ms, rounded
        EXPECT_EQ(state.AnimationTime, 1234 + 33);
        animation.AdvanceTo(3);
        EXPECT_EQ(NowMilliseconds(), start + 100);
        EXPECT_EQ(state.AnimationTime, 1234 + 100);
        animation.AdvanceTo(0);
        EXPECT_EQ(state.AnimationTime, 1234);
    }
    EXPECT_TRUE(Switches()[Switch::Paused]);
    EXPECT_EQ(state.Delay, 7);
    EXPECT_EQ(state.AnimationTime, 1234);
    EXPECT_EQ(PictureClock().Counter, 40u);
    PictureClock() = clockBefore;   // the counter set above is no other test's business
}

}  // namespace
}  // namespace pax
