#include "app/picture_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <stdexcept>

#include "app/basic_animations.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/main_state.h"
#include "app/studio.h"
#include "app_test_support.h"
#include "render/object_window.h"
#include "render/stage.h"
#include "render/zbuffer.h"
#include "scene/eye3d.h"
#include "scene/pax3d.h"
#include "support/scripted_presenter.h"

// Counts the allocations of this test program while a test asks for it.
namespace {
std::atomic<bool> g_countAllocations{false};
std::atomic<int> g_allocations{0};
}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (g_countAllocations) ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace pax {
namespace {

StudioOptions Headless() {
    StudioOptions o;
    o.Config = ConfigSource::BuiltInDefaults;
    o.DefaultSurfaceWidth = o.DefaultSurfaceHeight = 64;
    return o;
}

class PictureLoopTest : public ::testing::Test {
protected:
    PictureLoopTest() { studio.SetCallbacks(&callbacks); }

    // A demo of its own after the library's eight, shown at figure 0.
    void ShowOwnDemo(std::initializer_list<std::pair<const char*, DemoProc>> figures) {
        studio.Catalogue().RegisterAnimation("Own");
        for (const auto& [name, draw] : figures) studio.Catalogue().RegisterFigure(name, draw);
        studio.Player().ShowDemo(studio.Catalogue().DemoCount() - 1, 0);
    }

    testing::ScopedAppSettings settings;
    Studio studio{Headless()};
    testing::RecordingCallbacks callbacks;
    PictureLoop& loop = studio.Pictures();
    MainState& state = studio.State();
};

TEST_F(PictureLoopTest, ATrivialFigureIsDrawnFromTheGhostsFrame) {
    ShowOwnDemo({{"line", [this] { studio.GetStage().Pax().DrawRight(100); }}});
    studio.Ghost().MoveUp(50);   // the figure follows the ghost: the line lies above the centre
    loop.ShowNextPicture();
    const TBitmap32& picture = studio.Picture();
    int lit = 0, lowest = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if (picture.Pixel(x, y) & 0xFFFFFF) {
                ++lit;
                lowest = y;
            }
    EXPECT_GT(lit, 40);
    EXPECT_LT(lowest, 170);   // 50 units up at 1000 units from the eye: about 28 pixels
    EXPECT_EQ(studio.GetStage().View().PictureCount(), 1);
    EXPECT_EQ(callbacks.shown, 1);
    EXPECT_EQ(callbacks.caption, "line - Own");
}

TEST_F(PictureLoopTest, InfoModeThreeShowsThePartCountOfAnEmptyFigure) {
    ShowOwnDemo({{"empty", [] {}}});
    state.Info = InfoMode::PartCount;
    loop.ShowNextPicture();
    EXPECT_EQ(loop.InfoText(), "parts 0");
    state.Info = InfoMode::PictureNumber;
    loop.ShowNextPicture();
    EXPECT_EQ(loop.InfoText(), "pic 2");
    state.Info = InfoMode::Off;
    loop.ShowNextPicture();
    EXPECT_EQ(loop.InfoText(), "");

    state.Info = InfoMode::PartCount;
    loop.ShowNextPicture();
    const TBitmap32& picture = studio.Picture();
    if (picture.TextWidth("parts 0") == 0) GTEST_SKIP() << "no font to draw text with";
    int yellow = 0;
    for (int y = picture.Height() - 18; y < picture.Height(); ++y)
        for (int x = 8; x < 60; ++x) yellow += (picture.Pixel(x, y) & 0xFFFF00) != 0;
    EXPECT_GT(yellow, 10);
}

TEST_F(PictureLoopTest, AFigureThatThrowsIsLoggedAndTheNextFigureShown) {
    ShowOwnDemo({{"boom", [] { throw std::runtime_error("the figure broke"); }}, {"after", [] {}}});
    studio.GetStage().Pax().NewObject();   // left nested by the broken figure
    loop.ShowNextPicture();
    EXPECT_NE(testing::DebugLogText().find(">>> Error in _ShowActualPicture: the figure broke"), std::string::npos);
    EXPECT_EQ(state.CurrentFigure, 1);
    EXPECT_EQ(studio.GetStage().Pax().StackCount(), 0);
    ASSERT_FALSE(callbacks.sleeps.empty());
    EXPECT_EQ(callbacks.sleeps.front(), 1000);
    loop.ShowNextPicture();   // the next one draws
    EXPECT_EQ(state.CurrentFigure, 1);
}

TEST_F(PictureLoopTest, ADemoWithoutAnyDrawProcedureIsReportedInTheMessageLineOrABox) {
    testing::ScopedPresenter boxes;
    ShowOwnDemo({});
    loop.ShowNextPicture();
    EXPECT_EQ(callbacks.status2, PictureLoop::NoDrawText);
    EXPECT_EQ(callbacks.status2, "drawing procedure = nil, please check RegisterAnimation and RegisterFigure calls\n");
    EXPECT_EQ(callbacks.status2Colour, MainState::StatusErrorColor);
    EXPECT_EQ(state.FlashCountdown, 40);
    EXPECT_EQ(callbacks.shown, 1);   // the loop goes on
    EXPECT_EQ(boxes.Count(), 0u);

    studio.SetCallbacks(nullptr);   // headless: a box
    loop.ShowNextPicture();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "tMainForm._DrawActualPicture");
    EXPECT_EQ(boxes.Last().buttons, 258);
}

TEST_F(PictureLoopTest, PauseWhilePausedDrawsExactlyOneMorePicture) {
    int drawn = 0;
    ShowOwnDemo({{"count", [&] { ++drawn; }}});
    loop.SetPause(true);
    EXPECT_EQ(drawn, 1);
    loop.SetPause(true);
    EXPECT_EQ(drawn, 2);
    EXPECT_TRUE(Switches()[Switch::Paused]);
    EXPECT_FALSE(Switches()[Switch::PlaySound]);
    EXPECT_EQ(callbacks.caption, "count - Own  p.a.u.s.e.d");
    loop.NextDemoTick();   // does nothing while paused
    EXPECT_EQ(state.CurrentFigure, 0);
    loop.SetPause(false);
    EXPECT_FALSE(Switches()[Switch::Paused]);
    EXPECT_EQ(callbacks.status2, " Eye Mode = Examine");
}

TEST_F(PictureLoopTest, TheZBufferIsClearedWhenTheEyeMovedSinceTheLastPicture) {
    ShowOwnDemo({{"empty", [] {}}});
    Switches()[Switch::RefreshBackground] = false;   // the background would clear it anyway
    Switches()[Switch::ZBuffer] = true;
    TZBuffer32& z = studio.GetStage().ZBuffer();
    z.PlotZ(5, 5, 0xFF00FF00, 100);
    loop.ShowNextPicture();
    EXPECT_EQ(z.ColorPlane().Pixel(5, 5), 0xFF00FF00u);
    studio.GetStage().Eye().MoveForward(10);
    loop.ShowNextPicture();
    EXPECT_EQ(z.ColorPlane().Pixel(5, 5), 0u);
}

TEST_F(PictureLoopTest, ScrollingTilesCopyTheBackgroundFromTheTimeDrivenOffset) {
    ShowOwnDemo({{"empty", [] {}}});
    tBackground& background = loop.Background();
    background.Picture.SetSize(700, 500);
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 700; ++x) background.Picture.SetPixel(x, y, 0xFF000000u | (x & 0xFF) << 16 | (y & 0xFF) << 8);
    background.TileWidth = background.TileHeight = 100;
    Switches()[Switch::ScrollBackground] = true;
    ConfigValues().ScrollStepX = 10;   // pixels per 100 ms
    ConfigValues().ScrollStepY = 20;
    Switches()[Switch::Paused] = true;   // the animation time stands
    state.AnimationTime = 350;
    loop.ShowActualPicture();
    // x = 35 mod 100 + 100, y = 70 mod 100 + 100
    EXPECT_EQ(studio.Picture().Pixel(0, 0), 0xFF000000u | 135u << 16 | 170u << 8);
    EXPECT_EQ(studio.Picture().Pixel(10, 3), 0xFF000000u | 145u << 16 | 173u << 8);
}

TEST_F(PictureLoopTest, AnUnhandledKeyMovesTheEyeOnceAndTheInputIsThenCleared) {
    studio.Player().ShowDemo(0, 0);   // "TABOP Book part 1" moves the eye for the pending key
    Eye3d& eye = studio.GetStage().Eye();
    const tVector3d before = eye.Position();
    state.Input.KeyNotHandled = true;
    state.Input.LastKey = 33;   // Page Up
    state.Input.PressedKeys[33] = true;
    loop.ShowNextPicture();
    EXPECT_NE(eye.Position(), before);
    EXPECT_FALSE(state.Input.KeyNotHandled);
    EXPECT_EQ(state.Input.LastKey, 0);
    EXPECT_FALSE(state.Input.PressedKeys[33]);
}

TEST_F(PictureLoopTest, PicturesAllocateNothingOnceRunning) {
    ShowOwnDemo({{"lines", [this] {
                     Pax3d& pax = studio.GetStage().Pax();
                     for (int i = 0; i < 50; ++i) {
                         pax.DrawForward(20);
                         pax.TurnRight(30);
                     }
                 }}});
    studio.Animations().SetRotateAnimation(1, 2, 3);
    state.Info = InfoMode::PicturesPerSecond;
    for (int i = 0; i < 3; ++i) loop.ShowNextPicture();   // parts memory and lists grown
    studio.Picture().TextOut(0, 0, "0123456789.");          // and the digits' glyphs cached
    g_allocations = 0;
    g_countAllocations = true;
    for (int i = 0; i < 20; ++i) loop.ShowNextPicture();
    g_countAllocations = false;
    EXPECT_EQ(g_allocations, 0);
    EXPECT_EQ(loop.InfoText().rfind("fps ", 0), 0u);
}

}  // namespace
}  // namespace pax
