#include "app/tool_windows/navigate_form.h"

#include <gtest/gtest.h>

#include "app/app_test_support.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "app/tool_windows/window_place.h"
#include "render/windows/stage.h"
#include "scene/eye3d.h"
#include "system/settings.h"

namespace pax {
namespace {

struct Navigation : ::testing::Test {
    Navigation() { studio.SetCallbacks(&callbacks); }
    ~Navigation() override { studio.SetCallbacks(nullptr); }

    testing::ScopedAppSettings settings;
    Studio studio{testing::Headless()};
    testing::RecordingCallbacks callbacks;
    NavigateForm form{studio};
};

TEST_F(Navigation, SpeedSliderSetsTenthsAndStoresTheStep) {
    form.ChangeSpeed(50);
    EXPECT_EQ(studio.State().EyeMotion.MotionSpeed, 5.0L);
    EXPECT_EQ(form.Status(), "Motion Speed = 5.0");
    form.ChangeSpeed(1);
    EXPECT_EQ(studio.State().EyeMotion.MotionSpeed, 0.1L);
    EXPECT_EQ(ConfigValues().Step, 1);
    form.ChangeSpeed(500);
    EXPECT_EQ(form.SpeedPosition(), 100);
    form.CentreSpeed();
    EXPECT_EQ(ConfigValues().Step, 50);
}

TEST_F(Navigation, ModePicturesSelectTheModeAndShiftEncircles) {
    const TShiftState shift = ShiftFlag::Shift;
    form.ModeHover('e', shift);
    EXPECT_EQ(form.Status(), "Encircle Object");
    form.ModeClick('e', shift);
    EXPECT_EQ(studio.State().EyeMotion.EyeMode, EyeEncircle);
    EXPECT_EQ(form.Status(), "Eye Mode = " + std::string(EyeModeName(studio.State().EyeMotion)));
    form.ModeClick('w', {});
    EXPECT_EQ(studio.State().EyeMotion.EyeMode, EyeWalk);
    form.ModeClick('x', {});   // not a mode picture
    EXPECT_EQ(studio.State().EyeMotion.EyeMode, EyeWalk);
}

TEST_F(Navigation, HeldButtonMovesOneStepAndDrawsOnePicturePerTick) {
    form.ModeClick('e', {});
    form.ButtonDown('8', {});
    const tVector3d start = studio.GetStage().Eye().Position();
    tVector3d last = start;
    for (int tick = 1; tick <= 3; ++tick) {
        form.RepeatTick();
        EXPECT_EQ(callbacks.shown, tick);
        EXPECT_NE(studio.GetStage().Eye().Position(), last) << tick;
        last = studio.GetStage().Eye().Position();
    }
    EXPECT_GT(last.z, start.z);   // orbiting upward
    form.ButtonUp();
    form.RepeatTick();
    EXPECT_EQ(callbacks.shown, 3);
    EXPECT_EQ(studio.GetStage().Eye().Position(), last);
    form.ButtonDown('?', {});   // no motion of its own: no repeat
    EXPECT_FALSE(form.Repeating());
}

TEST(WindowPlace, KeptOnScreenAndNavigationTakesOnlyPlacesOnIt) {
    const tScreenArea screen{0, 0, 1920, 1080};
    EXPECT_EQ(KeepOnScreen({1900, -50}, 200, 300, screen), (tWindowPlace{1720, 0}));
    EXPECT_EQ(KeepOnScreen({-10, 900}, 2400, 300, screen), (tWindowPlace{0, 780}));
    EXPECT_EQ(KeepOnScreen({30, 40}, 200, 300, screen), (tWindowPlace{30, 40}));
    // A stored left beyond the screen keeps the designed one; the top is taken.
    EXPECT_EQ(NavigationStartPlace({1900, 500}, {488, 300}, 160, 220, screen), (tWindowPlace{488, 500}));
    EXPECT_EQ(NavigationStartPlace({1839, 969}, {488, 300}, 160, 220, screen), (tWindowPlace{1839, 969}));
    EXPECT_EQ(NavigationStartPlace({1840, 970}, {488, 300}, 160, 220, screen), (tWindowPlace{488, 300}));
}

}  // namespace
}  // namespace pax
