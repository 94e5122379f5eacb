#include "app/picture_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <stdexcept>
#include <vector>

#include "app/basic_animations.h"
#include "app/config/config_test_support.h"
#include "app/demo_catalogue.h"
#include "app/demo_player.h"
#include "app/demo_values.h"
#include "app/main_state.h"
#include "app/options/background_pictures.h"
#include "app/studio.h"
#include "app_test_support.h"
#include "render/window_test_support.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "render/windows/zbuffer.h"
#include "scene/eye3d.h"
#include "scene/pax3d.h"
#include "system/debug_log.h"
#include "system/picture_clock.h"

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
// The nothrow forms too (std::stable_sort takes its buffer with them): the runtime's own would
// hand out memory that the free above cannot release, as AddressSanitizer reports.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_countAllocations) ++g_allocations;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace pax {
namespace {

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
    Studio studio{testing::Headless()};
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

TEST_F(PictureLoopTest, TheInfoLineShowsThePartCountOrThePictureNumberOrNothing) {
    ShowOwnDemo({{"empty", [] {}}});
    for (auto [mode, text] : {std::pair(InfoMode::PartCount, "parts 0"), std::pair(InfoMode::PictureNumber, "pic 2"),
                              std::pair(InfoMode::Off, "")}) {
        state.Info = mode;
        loop.ShowNextPicture();
        EXPECT_EQ(loop.InfoText(), text);
    }
}

TEST_F(PictureLoopTest, AFigureThatThrowsIsLoggedAndTheNextFigureShown) {
    ShowOwnDemo({{"boom", [] { throw std::runtime_error("the figure broke"); }}, {"after", [] {}}});
    studio.GetStage().Pax().NewObject();   // left nested by the broken figure
    loop.ShowNextPicture();
    EXPECT_NE(testing::ReadTextFile(DebugLogPath()).find(">>> Error in _ShowActualPicture: the figure broke"),
              std::string::npos);
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

TEST_F(PictureLoopTest, TheZBufferIsClearedForEveryRefreshedBackgroundAndWhenTheEyeMoved) {
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

    // A refreshed background clears it for every picture, a background picture as well.
    Switches()[Switch::RefreshBackground] = true;
    Switches()[Switch::BackgroundPicture] = true;
    TBitmap32 tile(8, 8);
    tile.Clear(0xFF336699);
    RebuildBackground(tile, true, studio.Picture().Width(), studio.Picture().Height(), loop.Background());
    z.PlotZ(5, 5, 0xFF00FF00, 100);
    loop.ShowNextPicture();
    EXPECT_EQ(z.ColorPlane().Pixel(5, 5), 0u);
    EXPECT_EQ(studio.Picture().Pixel(5, 5), 0xFF336699u);
}

TEST_F(PictureLoopTest, PicturesAllocateNothingOnceRunning) {
    ShowOwnDemo({{"lines", [this] {
                     for (int i = 0; i < 50; ++i) {
                         studio.GetStage().Pax().DrawForward(20);
                         studio.GetStage().Pax().TurnRight(30);
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

    // A library plant's parts, drawn in shares at once and drawn behind.
    const DemoSelection plant = *studio.Catalogue().FindFigure("Plant-26");
    studio.Player().ShowDemo(plant.Demo, plant.Figure);
    studio.GetStage().View().SetDrawingShares(2);
    Switches()[Switch::Paused] = false;
    state.SetSyncMode(0);
    for (bool behind : {false, true}) {
        // A thread's polygon cells grow to the largest polygon it has met, and the bands move
        // with the balance; then ten pictures in a row allocate nothing.
        int quiet = 0;
        for (int i = 0; i < 60 && quiet < 10; ++i) {
            g_allocations = 0;
            g_countAllocations = true;
            behind ? loop.FormPaint() : loop.ShowNextPicture();
            g_countAllocations = false;
            quiet = g_allocations == 0 ? quiet + 1 : 0;
        }
        EXPECT_EQ(quiet, 10) << (behind ? "behind" : "in shares");
        EXPECT_GE(studio.GetStage().View().SharedParts(), 5000);
    }
}

// Pixels of the rectangle that differ between two pictures.
int Differing(const TBitmap32& a, const TBitmap32& b, TRect r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

TEST_F(PictureLoopTest, EachOverlayShowsInItsOwnPlaceOnThePicture) {
    ShowOwnDemo({{"empty", [] {}}});
    Switches()[Switch::Paused] = true;
    loop.ShowNextPicture();
    TBitmap32 plain;
    plain.Assign(studio.Picture());
    const int w = plain.Width(), h = plain.Height();
    const TRect whole{0, 0, w, h}, infoStrip{0, h - 18, 120, h}, flashBand{0, h / 4, w, h / 4 + 40};
    const TRect nearMouse{300, 100, 400, 120};
    struct Case {
        const char* what;
        std::function<void()> on, off;
        TRect place;
    };
    const Case cases[] = {
        {"info mode", [&] { state.Info = InfoMode::PartCount; }, [&] { state.Info = InfoMode::Off; }, infoStrip},
        {"flash text", [&] { state.FlashInfo("picture saved as ...", MainState::InfoColor); },
         [&] { state.ClearFlashInfo(); }, flashBand},
        {"RGB readout",
         [&] {
             Switches()[Switch::ShowRGBValues] = true;
             state.Input.MouseX = 300;
             state.Input.MouseY = 100;
         },
         [&] { Switches()[Switch::ShowRGBValues] = false; }, nearMouse},
        {"value bars",
         [&] {
             state.ShownDemo->Values->Add(0, 10, 1, 5);
             state.ValueInputShown = true;
         },
         [&] { state.ValueInputShown = false; }, whole},
    };
    for (const Case& c : cases) {
        c.on();
        loop.ShowNextPicture();
        const int inside = Differing(plain, studio.Picture(), c.place);
        EXPECT_GT(inside, 20) << c.what;
        // Nothing outside its place changes (the value bars have the whole picture).
        EXPECT_EQ(Differing(plain, studio.Picture(), whole), inside) << c.what;
        c.off();
        loop.ShowNextPicture();
        EXPECT_EQ(Differing(plain, studio.Picture(), whole), 0) << c.what;
    }
}

TEST_F(PictureLoopTest, TheBackgroundScrollsItsTilesWithTheClockTurnsThePanoramaWithTheEyeOrIsLeftToAccumulate) {
    ShowOwnDemo({{"empty", [] {}}});
    Switches()[Switch::Paused] = true;
    for (int i : {Switch::RefreshBackground, Switch::BackgroundPicture, Switch::ScrollBackground, Switch::TilesBackground})
        Switches()[static_cast<size_t>(i)] = true;
    Switches()[Switch::FilterBackground] = false;
    const TBitmap32& picture = studio.Picture();
    const int w = picture.Width(), h = picture.Height();
    // Every pixel of the tile its own colour.
    TBitmap32 tile(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) tile.SetPixel(x, y, 0xFF000000u | static_cast<uint32_t>(y << 8 | x));
    RebuildBackground(tile, true, w, h, loop.Background());
    ConfigValues().ScrollStepX = 3;
    ConfigValues().ScrollStepY = -2;
    for (int32_t time : {0, 1000, 123450}) {
        state.AnimationTime = time;
        loop.ShowNextPicture();
        // The tile's pixel at the start: (time x step / 100) mod the tile, C's remainder.
        const int sx = static_cast<int>(int64_t{time} * 3 / 100 % 40 + 40);
        const int sy = static_cast<int>(int64_t{time} * -2 / 100 % 30 + 30);
        int wrong = 0;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5) wrong += picture.Pixel(x, y) != tile.Pixel((sx + x) % 40, (sy + y) % 30);
        EXPECT_EQ(wrong, 0) << time;
    }

    // A panorama (twice as wide as high or more) fills the height and turns with the eye:
    // 4 picture pixels per degree here, the start at (360 - compass angle) x 4.
    TBitmap32 panorama(180, 45);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 180; ++x) panorama.SetPixel(x, y, 0xFF000000u | static_cast<uint32_t>(x * 1000 + y));
    RebuildBackground(panorama, false, w, h, loop.Background());
    ASSERT_EQ(loop.Background().TileWidth, 1440);
    Switches()[Switch::TilesBackground] = false;
    const TBitmap32& wide = loop.Background().Picture;
    for (int alpha : {0, 90, 300}) {
        studio.GetStage().Eye().SetAngle(alpha, 0);
        const long double compass = studio.GetStage().Eye().GetAlpha();
        ASSERT_NEAR(static_cast<double>(compass), alpha, 1e-6);
        loop.ShowNextPicture();
        const int start = static_cast<int>((360 - compass) * 4) % 1440;
        int wrong = 0;
        for (int y = 0; y < h; y += 7)
            for (int x = 0; x < w; x += 5) wrong += picture.Pixel(x, y) != wide.Pixel((start + x) % 1440, y);
        EXPECT_EQ(wrong, 0) << alpha;
    }

    // A picture too narrow to be a panorama, scrolled all the same, still covers the window.
    TBitmap32 narrow(60, 60);
    narrow.Clear(0xFF204060);
    RebuildBackground(narrow, false, w, h, loop.Background());
    studio.Picture().Clear(0xFFFFFFFF);
    studio.GetStage().Eye().SetAngle(100, 0);
    loop.ShowNextPicture();
    EXPECT_EQ(picture.Pixel(w - 1, h - 1), 0xFF204060u);
    EXPECT_EQ(picture.Pixel(0, 0), 0xFF204060u);

    // Without the picture switch: the background colour. Without refresh: nothing is cleared
    // but the info line's strip.
    ConfigValues().BackgroundColor = 0x102030;
    Switches()[Switch::BackgroundPicture] = false;
    loop.ShowNextPicture();
    EXPECT_EQ(picture.Pixel(w / 2, h / 2), 0xFF102030u);
    Switches()[Switch::RefreshBackground] = false;
    studio.Picture().Clear(0xFFFFFFFF);
    state.Info = InfoMode::PartCount;
    loop.ShowNextPicture();
    EXPECT_EQ(picture.Pixel(w / 2, h / 2), 0xFFFFFFFFu);
    EXPECT_EQ(picture.Pixel(w - 1, h - 1), 0xFF102030u);
    EXPECT_EQ(picture.Pixel(w - 1, h - 19), 0xFFFFFFFFu);
}

TEST_F(PictureLoopTest, SynchronisedLoopsSpendOneTickPerPictureAndPauseDrawsExactlyOneMore) {
    ShowOwnDemo({{"empty", [] {}}});
    Switches()[Switch::Paused] = false;
    const auto pictures = [&] { return studio.GetStage().View().PictureCount(); };
    for (auto [mode, interval] : {std::pair(0, 5), std::pair(1, 20), std::pair(3, 10), std::pair(5, 20)}) {
        state.SetSyncMode(mode);
        EXPECT_EQ(callbacks.refreshInterval, interval) << mode;
    }
    state.SetSyncMode(1);
    state.TickCount = 0;
    const int before = pictures();
    loop.FormPaint();
    EXPECT_EQ(pictures(), before);   // no tick to spend
    state.RefreshTick();
    loop.FormPaint();
    EXPECT_EQ(pictures(), before + 1);
    state.SetSyncMode(0);
    state.TickCount = 0;
    loop.FormPaint();
    EXPECT_EQ(pictures(), before + 2);   // without sync every paint draws

    loop.SetPause(true);
    EXPECT_EQ(pictures(), before + 3);
    EXPECT_TRUE(Switches()[Switch::Paused]);
    loop.SetPause(true);   // pause while paused: one step
    EXPECT_EQ(pictures(), before + 4);
    EXPECT_EQ(callbacks.caption, "empty - Own  p.a.u.s.e.d");
    state.RedrawPending = false;
    EXPECT_FALSE(loop.RedrawWhilePaused());   // nothing pending
    state.RedrawPending = true;
    EXPECT_TRUE(loop.RedrawWhilePaused());
    EXPECT_EQ(pictures(), before + 6);
    loop.SetPause(false);
    EXPECT_EQ(callbacks.caption, "empty - Own");

    // A pause silences the sound; running again brings it back when "Sound" is checked.
    for (bool checked : {true, false}) {
        state.SoundChecked = checked;
        SetSwitch(Switch::PlaySound, true);
        loop.SetPause(true);
        EXPECT_FALSE(Switches()[Switch::PlaySound]);
        loop.SetPause(false);
        EXPECT_EQ(Switches()[Switch::PlaySound], checked);
    }
}

// Pixels of the picture outside the area's boxes that are not its background, and the pixels
// inside them.
struct AreaCount {
    int outside = 0;
    int64_t inside = 0;
};
AreaCount CountArea(const TBitmap32& picture, const DrawnArea& area) {
    AreaCount count;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            bool in = false;
            for (const TRect& b : area.Boxes.Boxes()) in = in || (x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom);
            count.inside += in;
            count.outside += !in && picture.Pixel(x, y) != area.Background;
        }
    return count;
}

TEST_F(PictureLoopTest, EveryPictureShownSaysWhereItHasSomethingOnItsBackground) {
    Switches()[Switch::Paused] = false;
    state.SetSyncMode(0);
    state.Info = InfoMode::PicturesPerSecond;
    state.FlashInfo("picture saved as ...", MainState::InfoColor);
    Switches()[Switch::ShowRGBValues] = true;
    state.Input.MouseX = 20;
    state.Input.MouseY = 30;
    const int64_t whole = int64_t{studio.Picture().Width()} * studio.Picture().Height();
    for (const char* name : {"Plant-26", "Boll3", "SierpinskiCarpet1", "Phyllotaxis-100"}) {
        const DemoSelection at = *studio.Catalogue().FindFigure(name);
        studio.Player().ShowDemo(at.Demo, at.Figure);
        studio.Animations().SetRotateAnimation(1, 2, 3);
        studio.GetStage().View().SetDrawingShares(2);
        // Drawn at once, then behind.
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(std::string(name) + " picture " + std::to_string(i));
            i < 4 ? loop.ShowNextPicture() : loop.FormPaint();
            const DrawnArea& area = callbacks.shownArea;
            ASSERT_TRUE(area.Known);
            EXPECT_EQ(area.Background, ConfigValues().OpaqueBackground());
            const AreaCount count = CountArea(studio.Picture(), area);
            EXPECT_EQ(count.outside, 0);
            // The plant, the info line, the flash text and the readout leave much of the
            // picture to the background.
            if (std::string_view(name) == "Plant-26") {
                EXPECT_LT(count.inside, whole * 3 / 4);
            }
        }
    }
    EXPECT_TRUE(studio.GetStage().View().HoldsPicture());

    // Whatever else draws on the picture may have drawn anywhere.
    const auto anything = [&](const char* what, auto&& on, auto&& off) {
        on();
        loop.FormPaint();
        loop.ShowNextPicture();
        EXPECT_FALSE(callbacks.shownArea.Known) << what;
        off();
        loop.ShowNextPicture();
        EXPECT_TRUE(callbacks.shownArea.Known) << what;
    };
    anything("z-buffer", [] { SetSwitch(Switch::ZBuffer, true); }, [] { SetSwitch(Switch::ZBuffer, false); });
    anything("axes", [] { SetSwitch(Switch::ShowAxis, true); }, [] { SetSwitch(Switch::ShowAxis, false); });
    anything("accumulating", [] { SetSwitch(Switch::RefreshBackground, false); },
             [] { SetSwitch(Switch::RefreshBackground, true); });
    anything("value bars", [&] { state.ValueInputShown = true; }, [&] { state.ValueInputShown = false; });
    tBackground& background = loop.Background();
    background.Picture.SetSize(8, 8);
    background.Picture.Clear(0xFF203040);
    background.TileWidth = background.TileHeight = 8;
    anything("background picture", [] { SetSwitch(Switch::BackgroundPicture, true); },
             [] { SetSwitch(Switch::BackgroundPicture, false); });
    // A figure that may draw on the surface itself.
    ShowOwnDemo({{"line", [this] { studio.GetStage().Pax().DrawRight(100); }}});
    loop.FormPaint();
    EXPECT_FALSE(callbacks.shownArea.Known);
}

TEST_F(PictureLoopTest, TheRunningLoopShowsEveryPictureItWouldDrawAtOnceOnePictureLater) {
    // Drawn behind, or as a picture is drawn alone: each library figure's pictures of four steps
    // of its animation, from its start.
    // Behind, every show is owed to the next picture, which hands the finished one over.
    const auto pictures = [&](DemoSelection at, bool behind) {
        callbacks.owesShows = behind;
        callbacks.owedPictures.clear();
        studio.Player().ShowDemo(at.Demo, at.Figure);
        studio.Animations().SetRotateAnimation(1, 2, 3);
        studio.GetStage().View().SetDrawingShares(2);
        std::vector<std::vector<TColor32>> shown;
        // The animation steps follow the clock: 25 ms a picture in both runs.
        const testing::ManualClock clock;
        for (uint32_t i = 0; i < 5; ++i) {
            SetManualClock(true, 2000000 + 25 * i);
            // The window's loop, or the same picture as the benchmark asks for it.
            if (behind && i % 2 == 0)
                loop.FormPaint();
            else if (behind)
                loop.ShowNextPictureBehind();
            else
                loop.ShowNextPicture();
            const TBitmap32& p = studio.Picture();
            shown.emplace_back(p.Bits(), p.Bits() + size_t(p.Width()) * p.Height());
        }
        return shown;
    };
    Switches()[Switch::Paused] = false;
    state.SetSyncMode(0);
    for (const char* name : {"Plant-26", "SierpinskiCarpet1", "Boll3", "Phyllotaxis-100"}) {
        SCOPED_TRACE(name);
        const std::optional<DemoSelection> at = studio.Catalogue().FindFigure(name);
        ASSERT_TRUE(at.has_value());
        const auto alone = pictures(*at, false);
        const auto behind = pictures(*at, true);
        EXPECT_NE(alone[0], alone[1]);   // the figure moves
        for (size_t i = 0; i + 1 < alone.size(); ++i) EXPECT_TRUE(behind[i + 1] == alone[i]) << "picture " << i;
        // Each picture after the first handed over the one before it, whole, as its drawing began.
        ASSERT_EQ(callbacks.owedPictures.size(), behind.size() - 1);
        for (size_t i = 0; i < callbacks.owedPictures.size(); ++i)
            EXPECT_TRUE(callbacks.owedPictures[i] == behind[i]) << "show " << i;
        EXPECT_TRUE(loop.ShowsOwedPictureBeside());
        // Drawn behind, the picture of the last walk waits in the window.
        EXPECT_TRUE(studio.GetStage().View().HoldsPicture());
    }
    // Pictures drawn over the one before keep it: nothing is handed over from them.
    callbacks.owesShows = true;
    callbacks.owedPictures.clear();
    SetSwitch(Switch::RefreshBackground, false);
    EXPECT_FALSE(loop.ShowsOwedPictureBeside());
    loop.FormPaint();
    loop.FormPaint();
    EXPECT_TRUE(studio.GetStage().View().HoldsPicture());
    EXPECT_TRUE(callbacks.owedPictures.empty());
    SetSwitch(Switch::RefreshBackground, true);
    callbacks.owesShows = false;

    // A figure of its own, one that may draw on the surface, and the z-buffer are drawn at once.
    ShowOwnDemo({{"line", [this] { studio.GetStage().Pax().DrawRight(100); }}});
    loop.FormPaint();
    EXPECT_FALSE(studio.GetStage().View().HoldsPicture());
    EXPECT_FALSE(loop.ShowsOwedPictureBeside());
    EXPECT_GT(testing::CountPixelsNot(studio.Picture(), clBlack32), 0);
    const DemoSelection plant = *studio.Catalogue().FindFigure("Plant-26");
    studio.Player().ShowDemo(plant.Demo, plant.Figure);
    SetSwitch(Switch::ZBuffer, true);
    loop.FormPaint();
    EXPECT_FALSE(studio.GetStage().View().HoldsPicture());
    SetSwitch(Switch::ZBuffer, false);
    loop.FormPaint();
    EXPECT_TRUE(studio.GetStage().View().HoldsPicture());
    // A synchronised loop draws each picture in its own tick.
    state.SetSyncMode(1);
    state.TickCount = 1;
    loop.FormPaint();
    EXPECT_FALSE(studio.GetStage().View().HoldsPicture());
    state.SetSyncMode(0);
    loop.FormPaint();
    EXPECT_TRUE(studio.GetStage().View().HoldsPicture());
    // A step while pausing shows the picture of its own walk.
    loop.SetPause(true);
    EXPECT_FALSE(studio.GetStage().View().HoldsPicture());
}

}  // namespace
}  // namespace pax
