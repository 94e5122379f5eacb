#include <gtest/gtest.h>

#include <limits>

#include "render/bitmap32.h"
#include "render/surface_test_support.h"

namespace pax {
namespace {

constexpr TColor32 A = Color32(255, 0, 0), B = Color32(0, 255, 0), C = Color32(0, 0, 255), D = Color32(255, 255, 255);
constexpr TColor32 Ground = Color32(10, 20, 30);

TBitmap32 TwoByTwo() {
    TBitmap32 s(2, 2);
    s.SetPixel(0, 0, A);
    s.SetPixel(1, 0, B);
    s.SetPixel(0, 1, C);
    s.SetPixel(1, 1, D);
    return s;
}

TBitmap32 Filled(int w, int h, TColor32 c = Ground) { return testing::Filled(w, h, c); }

TEST(Bitmap32Stretch, PicksTheNearestSourcePixelWhenGrowingAndShrinking) {
    const TBitmap32 src = TwoByTwo();
    TBitmap32 dst = Filled(4, 4);
    src.StretchTo(dst, {0, 0, 4, 4});
    const TColor32 want[4][4] = {{A, A, B, B}, {A, A, B, B}, {C, C, D, D}, {C, C, D, D}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.Pixel(x, y), want[y][x]) << x << "," << y;
    TBitmap32 row(4, 1);
    for (int x = 0; x < 4; ++x) row.SetPixel(x, 0, Color32(x * 10, 0, 0));
    TBitmap32 half = Filled(2, 1);
    row.StretchTo(half, {0, 0, 2, 1});   // centres 0.5 and 1.5 of 2 -> source 1 and 3
    EXPECT_EQ(half.Pixel(0, 0), Color32(10, 0, 0));
    EXPECT_EQ(half.Pixel(1, 0), Color32(30, 0, 0));
    TBitmap32 one = Filled(3, 1);
    row.StretchTo(one, {0, 0, 3, 1}, {2, 0, 3, 1});   // one source pixel over three
    for (int x = 0; x < 3; ++x) EXPECT_EQ(one.Pixel(x, 0), Color32(20, 0, 0));
}

TEST(Bitmap32Stretch, IsClippedAndLeavesPixelsMappedOutsideTheSourceAlone) {
    const TBitmap32 src = TwoByTwo();
    TBitmap32 dst = Filled(4, 4);
    dst.SetClipRect({1, 1, 4, 4});
    src.StretchTo(dst, {-2, -2, 6, 6});   // 4 x 4 blocks, centred on the corner at (2, 2)
    EXPECT_EQ(dst.Pixel(0, 0), Ground);
    EXPECT_EQ(dst.Pixel(1, 1), A);
    EXPECT_EQ(dst.Pixel(2, 2), D);
    EXPECT_EQ(dst.Pixel(3, 1), B);
    TBitmap32 part = Filled(4, 1);
    src.StretchTo(part, {0, 0, 4, 1}, {-1, 0, 1, 1});   // the left half lies outside the source
    for (int x = 0; x < 4; ++x) EXPECT_EQ(part.Pixel(x, 0), x < 2 ? Ground : A) << x;
}

TEST(Bitmap32DrawTo, OpaqueCopiesAlphaIncludedAndTransparentSkipsTheOuterColour) {
    TBitmap32 src = TwoByTwo();
    src.SetPixel(1, 1, Color32(1, 2, 3, 0));
    TBitmap32 dst = Filled(4, 4);
    src.DrawTo(dst, 1, 2);
    EXPECT_EQ(dst.Pixel(1, 2), A);
    EXPECT_EQ(dst.Pixel(2, 3), Color32(1, 2, 3, 0));
    EXPECT_EQ(dst.Pixel(0, 2), Ground);
    EXPECT_EQ(dst.Pixel(1, 1), Ground);
    src.DrawMode = TDrawMode::dmTransparent;
    src.OuterColor = B;
    TBitmap32 t = Filled(2, 2);
    src.DrawTo(t, 0, 0);
    EXPECT_EQ(t.Pixel(0, 0), A);
    EXPECT_EQ(t.Pixel(1, 0), Ground);
    EXPECT_EQ(t.Pixel(1, 1), Color32(1, 2, 3, 0));
}

TEST(Bitmap32DrawTo, BlendModeWeighsBySourceAlphaTimesMasterAlpha) {
    TBitmap32 src = Filled(2, 1, Color32(200, 100, 0, 255));
    src.SetPixel(1, 0, Color32(255, 255, 255, 200));
    src.DrawMode = TDrawMode::dmBlend;
    src.MasterAlpha = 128;
    TBitmap32 dst = Filled(2, 1, Color32(0, 0, 100));
    src.DrawTo(dst, 0, 0);
    // Weight 128: (200 128 + 0) / 255 = 100.4, (100 128) / 255 = 50.2, (100 127) / 255 = 49.8.
    EXPECT_EQ(dst.Pixel(0, 0), Color32(100, 50, 50));
    // Weight 200 128 / 255 = 100: 25500 / 255 = 100, (100 255 + 100 155) / 255 = 160.8.
    EXPECT_EQ(dst.Pixel(1, 0), Color32(100, 100, 161));
    src.MasterAlpha = 0;
    src.DrawTo(dst, 0, 0);
    EXPECT_EQ(dst.Pixel(0, 0), Color32(100, 50, 50));
    TBitmap32 white = Filled(1, 1, clWhite32);
    white.DrawMode = TDrawMode::dmBlend;
    white.MasterAlpha = 128;
    TBitmap32 stretched = Filled(2, 2, clBlack32);
    white.StretchTo(stretched, {0, 0, 2, 2});
    EXPECT_EQ(stretched.Pixel(1, 1), Color32(128, 128, 128));
}

TEST(Bitmap32DrawTo, SourceRectangleAndClippingCutBothSides) {
    const TBitmap32 src = TwoByTwo();
    // Source rows -5..-1 do not exist, so source row 0 lands at y = 5, below the surface.
    TBitmap32 dst = Filled(3, 3);
    src.DrawTo(dst, 1, 0, {1, -5, 9, 2});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(dst.Pixel(x, y), Ground);
    src.DrawTo(dst, 1, 0, {1, 0, 9, 2});
    EXPECT_EQ(dst.Pixel(1, 0), B);
    EXPECT_EQ(dst.Pixel(1, 1), D);
    EXPECT_EQ(dst.Pixel(2, 0), Ground);
    TBitmap32 clipped = Filled(3, 3);
    clipped.SetClipRect({0, 0, 2, 3});
    src.DrawTo(clipped, 1, 1);
    EXPECT_EQ(clipped.Pixel(1, 1), A);
    EXPECT_EQ(clipped.Pixel(2, 1), Ground);
    EXPECT_EQ(clipped.Pixel(1, 2), C);
    src.DrawTo(clipped, std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
    src.DrawTo(clipped, -2, -2);
    EXPECT_EQ(clipped.Pixel(0, 0), Ground);
}

TEST(Bitmap32DrawTo, DrawingOntoItselfReadsTheOriginalPixels) {
    TBitmap32 b(4, 1);
    for (int x = 0; x < 4; ++x) b.SetPixel(x, 0, Color32(x, 0, 0));
    b.DrawTo(b, 1, 0, {0, 0, 3, 1});
    for (int x = 1; x < 4; ++x) EXPECT_EQ(b.Pixel(x, 0), Color32(x - 1, 0, 0));
    b.StretchTo(b, {0, 0, 4, 1}, {2, 0, 4, 1});
    EXPECT_EQ(b.Pixel(0, 0), Color32(1, 0, 0));
    EXPECT_EQ(b.Pixel(3, 0), Color32(2, 0, 0));
}

}  // namespace
}  // namespace pax
