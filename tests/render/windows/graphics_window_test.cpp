#include "render/windows/graphics_window.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "render/window_test_support.h"
#include "system/display_info.h"

namespace pax {
namespace {

using testing::CountPixelsNot;
using testing::LastBox;
using testing::ScopedPresenter;

struct GraphicsWindowTest : ::testing::Test {
    testing::SceneParts scene;
    oWindow window{"w", scene.surfaces, scene.sprites};
    TBitmap32& Picture() { return scene.surfaces.Drawing; }
    void OpenOnPicture() { testing::OpenOnPicture(window, scene.surfaces, false); }
    std::array<int, 8> Geometry() const {
        return {window.X1(),    window.Y1(),     window.X2(),      window.Y2(),
                window.Width(), window.Height(), window.CenterX(), window.CenterY()};
    }
    std::vector<TColor32> At(std::initializer_list<std::pair<int, int>> points) {
        std::vector<TColor32> colours;
        for (auto [x, y] : points) colours.push_back(Picture().Pixel(x, y));
        return colours;
    }
};

TEST_F(GraphicsWindowTest, CreationSetsTheDefaultsAndTheScreenScales) {
    EXPECT_EQ(window.WindowId(), 22000);
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(Geometry(), (std::array{1, 1, 639, 479, 639, 479, 319, 239}));
    EXPECT_EQ(window.TextRows(), 29);
    EXPECT_EQ(window.Color(), 0xFFFFFF00u);
    EXPECT_EQ(window.Surface(), &scene.surfaces.Default);
    EXPECT_EQ(scene.surfaces.CurrentWindow, &window);
    const tDisplayInfo& d = DisplayInfo();
    const Extended ppmx = Extended(d.HorzRes) / d.HorzSize, ppmy = Extended(d.VertRes) / d.VertSize;
    EXPECT_DOUBLE_EQ(double(window.PixelsPerMmX()), double(ppmx));
    EXPECT_DOUBLE_EQ(double(window.PerspectiveScaleX()), double(0.7L * ppmx / ppmy));
    EXPECT_DOUBLE_EQ(double(window.PerspectiveScaleY()), 0.7);
    EXPECT_TRUE(window.LineAntialiasing && window.FillPolygons && window.DrawOutlines && !window.FillAntialiasing);
}

TEST_F(GraphicsWindowTest, SetSizeTakesOnlyExtentsAboveEightAndWidensToThirtyTwo) {
    window.SetSize(10, 10, 15, 200);
    EXPECT_EQ(Geometry(), (std::array{1, 10, 639, 200, 639, 191, 319, 95}));
    window.SetSize(100, 0, 119, 99);   // 20 wide
    EXPECT_EQ(Geometry(), (std::array{100, 0, 131, 99, 32, 100, 16, 50}));
    // Opposite-signed extremes neither overflow nor get taken as small.
    window.SetSize(INT32_MIN, 0, INT32_MAX, 99);
    EXPECT_EQ(window.X1(), INT32_MIN);
    EXPECT_EQ(window.Width(), INT32_MAX);
    // Widened at the top of the range, the far corner stays in it.
    window.SetSize(0, INT32_MAX - 20, 99, INT32_MAX);
    EXPECT_EQ(window.Height(), 32);
    EXPECT_EQ(window.Y2(), INT32_MAX);
}

TEST_F(GraphicsWindowTest, OpenClearsAndFramesTheRectangleAndTheBackupCopiesOnlyPictures) {
    window.SelectBitmap(&Picture());
    window.SetSize(10, 20, 109, 119);
    window.BackgroundColor = 0x80102030;   // made opaque by the clear
    window.Open();
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(Picture().OuterColor, 0xFF102030u);
    // Outside, top, left, bottom, right, inside.
    EXPECT_EQ(At({{0, 0}, {50, 19}, {9, 50}, {50, 120}, {110, 50}, {50, 50}}),
              (std::vector<TColor32>{0xFF102030, 0xFFD3D3D3, 0xFFD3D3D3, 0xFF404040, 0xFF404040, 0xFF102030}));
    scene.surfaces.RefreshBackup(Picture());
    scene.surfaces.RefreshBackup(TBitmap32());
    EXPECT_EQ(scene.surfaces.Backup.Width(), testing::PictureWidth);
}

TEST_F(GraphicsWindowTest, ErrorsNameTheOperation) {
    ScopedPresenter presenter;
    window.SelectBitmap(nullptr);
    EXPECT_EQ(LastBox(presenter), "GrWindow:  oWindow.SelectBitmap | bitmap pointer = nil");
    EXPECT_EQ(window.Surface(), &scene.surfaces.Default);
    window.SelectBitmap(&Picture());
    window.Clear(0xFFFF0000);   // not open: warned, nothing drawn
    EXPECT_EQ(LastBox(presenter), "GrWindow:  oWindow.Clear | window is not open");
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);
    window.Close();
    EXPECT_EQ(LastBox(presenter), "GrWindow: oWindow.Close | window not opened");
    // A wrong id is reported; going on, the window still opens and clears.
    window.SetWindowId(21999);
    window.BackgroundColor = 0xFF0000FF;
    window.Open();
    EXPECT_EQ(LastBox(presenter), "GrWindow:  oWindow.Open | window has wrong win-ID");
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(Picture().Pixel(200, 200), 0xFF0000FFu);
    // Close of a window with a low id does nothing more.
    const size_t shown = presenter.Count();
    window.Close();
    EXPECT_TRUE(window.IsOpen());
    EXPECT_EQ(presenter.Count(), shown);
}

TEST_F(GraphicsWindowTest, EllipseFillsOutlinesOrPlotsItsThirtySevenVerticesByTheFlags) {
    OpenOnPicture();
    window.LineAntialiasing = false;
    window.Ellipse(240, 180, 100, 60, 0xFFFFFFFF, 0xFFFF0000);
    EXPECT_EQ(At({{240, 180}, {340, 180}}), (std::vector<TColor32>{0xFFFF0000, 0xFFFFFFFF}));
    window.FillPolygons = false;   // an open polyline around the centre, nothing inside
    Picture().Clear();
    window.Ellipse(240, 180, 100, 60, 0xFFFFFFFF, 0xFFFF0000);
    EXPECT_EQ(At({{240, 180}, {240, 240}}), (std::vector<TColor32>{clBlack32, 0xFFFFFFFF}));
    window.DrawOutlines = false;
    Picture().Clear();
    window.Ellipse(240, 180, 100, 60, 0x80FFFFFF, 0xFFFF0000);
    // 36 distinct pixels; the first vertex is plotted twice, so its pixel is brighter.
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 36);
    EXPECT_NE(Picture().Pixel(240, 240), clBlack32);
    EXPECT_GT(RedOf(Picture().Pixel(340, 180)), RedOf(Picture().Pixel(240, 240)));
}

// A polygon's fill and outline are each skipped when their alpha is zero; a box blends its fill
// and frames opaquely.
TEST_F(GraphicsWindowTest, PolygonAndBoxFillsAndOutlinesFollowTheirAlpha) {
    OpenOnPicture();
    const std::vector<tPoint2f> square{{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    window.FillPolygon(square, 0x00FF0000, 0xFFFFFFFF, false, false);
    EXPECT_EQ(At({{150, 150}, {150, 100}, {100, 150}}), (std::vector<TColor32>{clBlack32, 0xFFFFFFFF, 0xFFFFFFFF}));
    Picture().Clear();
    window.FillPolygon(square, 0xFFFF0000, 0x00FFFFFF, false, false);
    EXPECT_EQ(Picture().Pixel(150, 150), 0xFFFF0000u);
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 100 * 100);
    window.Box(10, 10, 20, 20, 0x80FF0000, 0xFF00FF00);   // fill (255 128) / 255 = 128
    EXPECT_EQ(At({{10, 10}, {19, 15}, {15, 15}, {20, 20}}),
              (std::vector<TColor32>{0xFF00FF00, 0xFF00FF00, 0xFF800000, clBlack32}));
}

TEST_F(GraphicsWindowTest, FarCoordinatesAreClippedNotWrapped) {
    OpenOnPicture();
    // A triangle with corners millions of pixels away covers the whole picture.
    window.FillPolygon(std::vector<tPoint2f>{{-4e6f, -4e6f}, {4e6f, -4e6f}, {0, 4e6f}}, 0xFF00FF00, 0, true, true);
    EXPECT_EQ(CountPixelsNot(Picture(), 0xFF00FF00), 0);
    Picture().Clear();
    window.LineAntialiasing = false;
    window.LineF(-1e12, 10, 1e12, 10, 0xFFFFFFFF);
    EXPECT_EQ(At({{0, 10}, {240, 10}, {479, 10}}), (std::vector<TColor32>(3, 0xFFFFFFFF)));
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), testing::PictureWidth);
    Picture().Clear();
    window.Box(-1e15, 50, 1e15, 60, 0xFF0000FF, 0xFF0000FF);
    EXPECT_EQ(Picture().Pixel(240, 55), 0xFF0000FFu);
    window.Ellipse(1e20, 1e20, 1e20, 1e20, 0xFFFFFFFF, 0xFFFFFFFF);   // must not hang or crash
}

}  // namespace
}  // namespace pax
