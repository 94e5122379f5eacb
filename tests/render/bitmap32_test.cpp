#include "render/bitmap32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/surface_test_support.h"
#include "support/golden.h"

namespace pax {
namespace {

TEST(Bitmap32Blend, SourceAlphaMixesEveryChannelRoundedToNearest) {
    const TColor32 d = Color32(10, 20, 30, 40), black = Color32(0, 0, 0, 255);
    EXPECT_EQ(BlendPixel(Color32(200, 100, 50, 0), d), d);
    EXPECT_EQ(BlendPixel(Color32(200, 100, 50, 255), d), Color32(200, 100, 50, 255));
    // (S 128 + D 127) / 255: red 25600/255 = 100.4, green 19150/255 = 75.1, blue 38150/255 = 149.6.
    EXPECT_EQ(BlendPixel(Color32(200, 100, 50, 128), Color32(0, 50, 250, 255)), Color32(100, 75, 150, 255));
    EXPECT_EQ(BlendPixel(Color32(255, 255, 255, 128), black), Color32(128, 128, 128, 255));
    // The destination alpha grows to a + D.a (255 - a) / 255: an opaque destination stays opaque.
    EXPECT_EQ(AlphaOf(BlendPixel(Color32(1, 2, 3, 128), Color32(0, 0, 0, 0))), 128);
    EXPECT_EQ(AlphaOf(BlendPixel(Color32(1, 2, 3, 128), Color32(0, 0, 0, 100))), 178);
    EXPECT_EQ(AlphaOf(BlendPixel(Color32(1, 2, 3, 1), black)), 255);
    // The master alpha scales the source alpha: 200 * 128 / 255 = 100.4 -> weight 100.
    EXPECT_EQ(BlendPixelMaster(Color32(255, 255, 255, 255), black, 128), Color32(128, 128, 128, 255));
    EXPECT_EQ(BlendPixelMaster(Color32(255, 0, 0, 200), black, 128), Color32(100, 0, 0, 255));
    EXPECT_EQ(BlendPixelMaster(Color32(255, 0, 0, 200), black, 0), black);
    EXPECT_EQ(BlendPixelMaster(Color32(255, 0, 0, 200), black, 255), BlendPixel(Color32(255, 0, 0, 200), black));
}

TEST(Bitmap32Fixed, HalfRoundsUpAndJustBelowHalfRoundsDown) {
    EXPECT_EQ(FixedRound(0x8000), 1);
    EXPECT_EQ(FixedRound(0x7FFF), 0);
    EXPECT_EQ(FixedRound(0x18000), 2);
    EXPECT_EQ(FixedRound(-0x8000), 0);
    EXPECT_EQ(FixedRound(-0x8001), -1);
    EXPECT_EQ(FixedRound(std::numeric_limits<TFixed>::max()), 32768);
    EXPECT_EQ(Fixed(1.5), 0x18000);
    EXPECT_EQ(Fixed(-0.25), -0x4000);
}

TEST(Bitmap32Pixels, SetPixelBlendIsClippedAndBlended) {
    TBitmap32 b = testing::Filled(8, 8);
    b.SetClipRect({2, 2, 6, 6});
    b.SetPixelBlend(1, 3, clWhite32);
    b.SetPixelBlend(6, 3, clWhite32);
    b.SetPixelBlend(3, 3, Color32(255, 255, 255, 128));
    b.SetPixelBlend(4, 4, Color32(9, 8, 7, 0));
    EXPECT_EQ(b.Pixel(1, 3), clBlack32);
    EXPECT_EQ(b.Pixel(6, 3), clBlack32);
    EXPECT_EQ(b.Pixel(3, 3), Color32(128, 128, 128));
    EXPECT_EQ(b.Pixel(4, 4), clBlack32);
}

TEST(Bitmap32Pixels, AntialiasedPointSpreadsOverFourPixelsByFractionsAndIgnoresNaNAndFarPoints) {
    TBitmap32 b = testing::Filled(16, 16);
    b.SetPixelAA(5.25f, 7.5f, clWhite32);
    // Weights 0.375 and 0.125 of 255, rounded.
    EXPECT_EQ(RedOf(b.Pixel(5, 7)), 96);
    EXPECT_EQ(RedOf(b.Pixel(6, 7)), 32);
    EXPECT_EQ(RedOf(b.Pixel(5, 8)), 96);
    EXPECT_EQ(RedOf(b.Pixel(6, 8)), 32);
    EXPECT_EQ(b.Pixel(4, 7), clBlack32);
    // On a whole coordinate the point is one opaque pixel, like the clipped set-pixel.
    b.SetPixelAAFixed(2 * FixedOne, 3 * FixedOne, Color32(1, 2, 3));
    EXPECT_EQ(b.Pixel(2, 3), Color32(1, 2, 3));
    EXPECT_EQ(b.Pixel(3, 3), clBlack32);
    EXPECT_EQ(b.Pixel(2, 4), clBlack32);
    TBitmap32 c = testing::Filled(4, 4);
    c.SetPixelAA(std::numeric_limits<float>::quiet_NaN(), 1, clWhite32);
    c.SetPixelAA(1e30f, -1e30f, clWhite32);
    c.SetPixelAA(-0.5f, 1, clWhite32);   // half of it lands on column 0
    c.SetPixelAAFixed(std::numeric_limits<TFixed>::max(), std::numeric_limits<TFixed>::min(), clWhite32);
    for (int y = 0; y < 4; ++y)
        for (int x = 1; x < 4; ++x) EXPECT_EQ(c.Pixel(x, y), clBlack32);
    EXPECT_EQ(RedOf(c.Pixel(0, 1)), 128);
}

// Every drawing call on an empty surface, with ordinary, huge and NaN arguments.
void DrawEverything(TBitmap32& b, TBitmap32& other) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const TFixed fbig = std::numeric_limits<TFixed>::max(), fsmall = std::numeric_limits<TFixed>::min();
    const TArrayOfFixedPoint poly = {{0, 0}, {fbig, 0}, {fbig, fbig}, {fsmall, fbig}, {5 << 16, 5 << 16}};
    b.SetPixelBlend(0, 0, clWhite32);
    b.SetPixelAA(0.5f, 0.5f, clWhite32);
    b.SetPixelAA(nan, nan, clWhite32);
    b.SetPixelAAFixed(fbig, fsmall, clWhite32);
    b.HorzLineBlend(small, 0, big, clWhite32);
    b.VertLineBlend(0, small, big, clWhite32);
    b.LineOpaque(small, small, big, big, clWhite32, true);
    b.LineBlend(big, small, small, big, Color32(1, 1, 1, 100), true);
    b.LineAA(fsmall, fsmall, fbig, fbig, clWhite32, true);
    b.LineAAF(nan, 0, 5, 5, clWhite32);
    b.LineAAF(-1e38f, -1e38f, 1e38f, 1e38f, clWhite32, true);
    b.FillRectOpaque(small, small, big, big, clWhite32);
    b.FillRectBlend(small, small, big, big, Color32(1, 1, 1, 100));
    b.FrameRectOpaque(small, small, big, big, clWhite32);
    b.FillPolygon(poly, clWhite32);
    b.FillPolygonAA(poly, clWhite32);
    b.Polyline(poly, clWhite32, true);
    b.PolylineAA(poly, clWhite32, false);
    b.DrawTo(other, small, big);
    other.DrawTo(b, 0, 0);
    b.DrawTo(b, 1, 1, {small, small, big, big});
    b.StretchTo(other, {small, small, big, big});
    other.StretchTo(b, {0, 0, 10, 10}, {small, 0, big, 1});
    b.TextOut(0, 0, "Pax3d");
    b.TextOut(big, small, "Pax3d");
}

TEST(Bitmap32Empty, EveryCallOnTheZeroSurfaceOrInsideAnEmptyClipRectangleIsANoOp) {
    TBitmap32 empty, other = testing::Filled(3, 3, Color32(1, 2, 3));
    empty.Clear(clWhite32);
    empty.ResetAlpha();
    DrawEverything(empty, other);
    EXPECT_TRUE(empty.Width() == 0 && empty.ClipRect().Empty());
    EXPECT_EQ(other.Pixel(1, 1), Color32(1, 2, 3));
    empty.SetSize(-5, 7);
    EXPECT_TRUE(empty.Empty() && empty.Height() == 0);
    TBitmap32 b = testing::Filled(6, 6, Color32(9, 9, 9));
    const TBitmap32 snapshot = b;
    b.SetClipRect({3, 3, 3, 3});
    DrawEverything(b, other);
    EXPECT_EQ(testing::Pixels(b), testing::Pixels(snapshot));
}

// One picture of everything the surface draws: antialiased and plain lines, polygons plain
// and antialiased (a self-crossing star shows the even-odd rule), blended rectangles, text.
TEST(Bitmap32Picture, SceneMatchesItsGoldenPicture) {
    TBitmap32 b(480, 360);
    b.Clear(Color32(20, 24, 40));
    for (int k = 0; k < 48; ++k) {
        const double a = k * 2 * M_PI / 48;
        b.LineAAF(120, 130, 120 + 100 * std::cos(a), 130 + 100 * std::sin(a), Color32(255, 255, 255));
    }
    for (int k = 0; k < 24; ++k) {
        const double a = k * 2 * M_PI / 24;
        b.LineOpaque(360, 130, 360 + int(90 * std::cos(a)), 130 + int(90 * std::sin(a)), Color32(255, 200, 0), true);
    }
    TArrayOfFixedPoint star, pentagram;
    for (int k = 0; k < 10; ++k) {
        const double a = k * M_PI / 5 - M_PI / 2, r = k % 2 ? 30 : 70;
        star.push_back(FixedPoint(120 + r * std::cos(a), 285 + r * std::sin(a)));
    }
    for (int k = 0; k < 5; ++k) {
        const double a = k * 4 * M_PI / 5 - M_PI / 2;
        pentagram.push_back(FixedPoint(300 + 60 * std::cos(a), 290 + 60 * std::sin(a)));
    }
    b.FillPolygonAA(star, Color32(255, 60, 60));
    b.FillPolygonAA({FixedPoint(60, 235), FixedPoint(200, 255), FixedPoint(100, 345)}, Color32(60, 160, 255, 128));
    b.FillPolygon(pentagram, Color32(80, 220, 120));
    for (TFixedPoint& p : pentagram) p.X += Fixed(110);
    b.FillPolygonAA(pentagram, Color32(80, 220, 120));
    b.PolylineAA(pentagram, clWhite32, true);
    b.FillRectBlend(240, 205, 300, 235, Color32(255, 255, 255, 100));
    b.FrameRectOpaque(240, 205, 300, 235, Color32(255, 0, 255));
    b.Font.Color = clYellow32;
    b.TextOut(4, 4, "Pax3d  57.3 pictures/s  gjpqy");
    b.Font.Bold = true;
    b.TextOut(4, 20, "Koch curve (depth 4)");
    EXPECT_TRUE(testing::MatchesGolden(b, "render/bitmap32_scene", 2, 40));
}

}  // namespace
}  // namespace pax
