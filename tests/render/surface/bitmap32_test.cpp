#include "render/surface/bitmap32.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/surface/bitmap32_blend.h"
#include "render/surface/row_share.h"
#include "render/surface_test_support.h"
#include "support/golden.h"

namespace pax {
namespace {

using testing::Filled;
using testing::Marks;
using testing::Pixels;

TEST(Bitmap32Blend, SourceAlphaMixesEveryChannelRoundedToNearest) {
    const TColor32 d = Color32(10, 20, 30, 40), black = clBlack32;
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
    for (auto [v, want] : {std::pair{0x8000, 1}, {0x7FFF, 0}, {0x18000, 2}, {-0x8000, 0}, {-0x8001, -1},
                           {std::numeric_limits<TFixed>::max(), 32768}})
        EXPECT_EQ(FixedRound(v), want) << v;
    EXPECT_TRUE(Fixed(1.5) == 0x18000 && Fixed(-0.25) == -0x4000);
}

TEST(Bitmap32Pixels, SetPixelBlendIsClippedAndBlended) {
    TBitmap32 b = Filled(7, 4);
    b.SetClipRect({2, 2, 6, 4});
    for (int x : {1, 6}) b.SetPixelBlend(x, 3, clWhite32);
    b.SetPixelBlend(3, 3, Color32(255, 255, 255, 128));
    b.SetPixelBlend(4, 3, Color32(9, 8, 7, 0));
    EXPECT_EQ(Marks(b), ".......\n.......\n.......\n...#...\n");
    EXPECT_EQ(b.Pixel(3, 3), Color32(128, 128, 128));
}

TEST(Bitmap32Pixels, AntialiasedPointSpreadsOverFourPixelsByFractionsAndIgnoresNaNAndFarPoints) {
    TBitmap32 b = Filled(16, 16);
    b.SetPixelAA(5.25f, 7.5f, clWhite32);
    // Weights 0.375 and 0.125 of 255, rounded.
    for (auto [x, y, v] : {std::tuple{5, 7, 96}, {6, 7, 32}, {5, 8, 96}, {6, 8, 32}, {4, 7, 0}})
        EXPECT_EQ(b.Pixel(x, y), Color32(v, v, v)) << x << "," << y;
    // On a whole coordinate the point is one opaque pixel, like the clipped set-pixel.
    b.SetPixelAAFixed(2 * FixedOne, 3 * FixedOne, Color32(1, 2, 3));
    EXPECT_TRUE(b.Pixel(2, 3) == Color32(1, 2, 3) && b.Pixel(3, 3) == clBlack32 && b.Pixel(2, 4) == clBlack32);
    TBitmap32 c = Filled(4, 4);
    c.SetPixelAA(std::numeric_limits<float>::quiet_NaN(), 1, clWhite32);
    c.SetPixelAA(1e30f, -1e30f, clWhite32);
    c.SetPixelAA(-0.5f, 1, clWhite32);   // half of it lands on column 0
    c.SetPixelAAFixed(std::numeric_limits<TFixed>::max(), std::numeric_limits<TFixed>::min(), clWhite32);
    EXPECT_EQ(Marks(c), "....\n#...\n....\n....\n");
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
    TBitmap32 empty, other = Filled(3, 3, Color32(1, 2, 3));
    empty.Clear(clWhite32);
    empty.ResetAlpha();
    DrawEverything(empty, other);
    EXPECT_TRUE(empty.Width() == 0 && empty.ClipRect().Empty());
    EXPECT_EQ(other.Pixel(1, 1), Color32(1, 2, 3));
    empty.SetSize(-5, 7);
    EXPECT_TRUE(empty.Empty() && empty.Height() == 0);
    TBitmap32 b = Filled(6, 6, Color32(9, 9, 9));
    const TBitmap32 snapshot = b;
    b.SetClipRect({3, 3, 3, 3});
    DrawEverything(b, other);
    EXPECT_TRUE(testing::SamePicture(b, snapshot));
}

TEST(Bitmap32Lines, OpaqueLineStepsByRoundingAndDrawsTheLastPixelOnlyWhenAsked) {
    TBitmap32 b = Filled(7, 6);
    b.LineOpaque(0, 0, 5, 0, clWhite32, false);
    b.LineOpaque(3, 1, 3, 1, clWhite32, false);   // zero length, no last pixel: nothing
    b.LineOpaque(0, 2, 6, 5, clWhite32, true);
    EXPECT_EQ(Marks(b), "#####..\n.......\n#......\n.##....\n...##..\n.....##\n");
    b.LineOpaque(3, 1, 3, 1, clWhite32, true);
    EXPECT_EQ(b.Pixel(3, 1), clWhite32);
    TBitmap32 steep = Filled(3, 5);
    steep.LineOpaque(2, 4, 0, 0, Color32(1, 2, 3), false);
    EXPECT_EQ(Marks(steep), "...\n#..\n.#.\n.#.\n..#\n");
    EXPECT_EQ(steep.Pixel(2, 4), Color32(1, 2, 3));
}

// A clipped line lands on the same pixels as the whole line drawn on a surface large
// enough to hold it: clipped, not wrapped or shifted.
TEST(Bitmap32Lines, ClippedLineKeepsThePixelsOfTheWholeLine) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> coord(-300, 340);
    constexpr int Off = 400;
    for (int k = 0; k < 300; ++k) {
        const int x1 = coord(rng), y1 = coord(rng), x2 = coord(rng), y2 = coord(rng);
        const bool last = k % 2 == 0;
        TBitmap32 small = Filled(40, 30);
        small.SetClipRect({5, 4, 33, 26});
        small.LineOpaque(x1, y1, x2, y2, clWhite32, last);
        TBitmap32 big = Filled(1200, 1200);
        big.LineOpaque(x1 + Off, y1 + Off, x2 + Off, y2 + Off, clWhite32, last);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inClip = x >= 5 && x < 33 && y >= 4 && y < 26;
                const TColor32 want = inClip ? big.Pixel(x + Off, y + Off) : clBlack32;
                ASSERT_EQ(small.Pixel(x, y), want) << "line " << k << " at " << x << "," << y;
            }
    }
}

TEST(Bitmap32Lines, HugeEndPointsAreClippedWithoutWalkingThemAndNonFiniteOnesIgnored) {
    TBitmap32 b = Filled(6, 5);
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    b.LineAAF(nan, 1, 4, 4, clWhite32);
    b.LineAAF(1, 1, inf, 4, clWhite32);
    b.LineOpaque(small, 3, big, 3, clWhite32, true);
    b.LineBlend(2, small, 2, big, clWhite32);
    EXPECT_EQ(Marks(b), "..#...\n..#...\n..#...\n######\n..#...\n");
    EXPECT_TRUE(b.Pixel(0, 3) == clWhite32 && b.Pixel(2, 0) == clWhite32);
}

// Along the major axis the line covers from half a pixel before its first end point to half a
// pixel before its last; coverage scales the colour's alpha.
TEST(Bitmap32LinesAA, LineCoversItsPixelRunWeightedByCoveredLengthAndAlpha) {
    TBitmap32 b = Filled(40, 40);
    b.LineAAF(10, 20, 30, 20, clWhite32);
    b.LineAA(5 * FixedOne, 15 * FixedOne, 5 * FixedOne, 5 * FixedOne, clWhite32, true);
    for (int k = 0; k < 40; ++k) {
        EXPECT_EQ(b.Pixel(k, 20), k >= 10 && k < 30 ? clWhite32 : clBlack32) << k;
        EXPECT_TRUE(b.Pixel(k, 19) == clBlack32 && b.Pixel(k, 21) == clBlack32) << k;
        EXPECT_EQ(b.Pixel(5, k), k >= 5 && k <= 15 ? clWhite32 : clBlack32) << k;
    }
    b.LineAAF(10.25f, 30, 20, 30, clWhite32);   // covers x from 9.75 to 19.5
    EXPECT_EQ(b.Pixel(9, 30), clBlack32);
    EXPECT_EQ(RedOf(b.Pixel(10, 30)), 191);
    EXPECT_EQ(b.Pixel(19, 30), clWhite32);
    EXPECT_EQ(b.Pixel(20, 30), clBlack32);
    b.LineAAF(22, 7.5f, 35, 7.5f, Color32(255, 255, 255, 128));
    EXPECT_EQ(RedOf(b.Pixel(28, 7)), 64);
    b.LineAAF(22, 3, 35, 3, Color32(255, 255, 255, 0));
    EXPECT_EQ(b.Pixel(28, 3), clBlack32);
}

// Every inner column of a one-pixel line of slope m carries sqrt(1 + m^2) pixels of colour,
// so lines look equally bright at every angle.
TEST(Bitmap32LinesAA, InnerColumnsCarryTheLinesThicknessAtEveryAngle) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> pos(8, 56);
    for (int k = 0; k < 40; ++k) {
        const float x1 = pos(rng), y1 = pos(rng), x2 = pos(rng), y2 = pos(rng);
        if (std::fabs(x2 - x1) < 6 && std::fabs(y2 - y1) < 6) continue;
        TBitmap32 b = Filled(64, 64);
        b.LineAAF(x1, y1, x2, y2, clWhite32);
        const bool steep = std::fabs(y2 - y1) > std::fabs(x2 - x1);
        const double m = steep ? (x2 - x1) / (y2 - y1) : (y2 - y1) / (x2 - x1);
        const double want = std::sqrt(1 + m * m) * 255;
        const int lo = static_cast<int>(std::ceil(std::min(steep ? y1 : x1, steep ? y2 : x2))) + 1;
        const int hi = static_cast<int>(std::floor(std::max(steep ? y1 : x1, steep ? y2 : x2))) - 1;
        for (int i = lo; i <= hi; ++i) {
            int sum = 0;
            for (int j = 0; j < 64; ++j) sum += RedOf(steep ? b.Pixel(j, i) : b.Pixel(i, j));
            ASSERT_NEAR(sum, want, 3.0) << "line " << k << " column " << i;
        }
    }
}

// Half-transparent paths: a doubled joint would show as a brighter pixel.
TEST(Bitmap32Lines, PolylinesBlendEveryPixelOnceAndIncludeTheEndPoint) {
    const TColor32 half = Color32(255, 255, 255, 128), grey = Color32(128, 128, 128);
    TBitmap32 b = Filled(30, 30);
    b.PolylineAA({FixedPoint(3, 5), FixedPoint(12, 5), FixedPoint(24, 5)}, half, false);
    for (int x = 0; x < 30; ++x) EXPECT_EQ(b.Pixel(x, 5), x >= 3 && x <= 24 ? grey : clBlack32) << x;
    TBitmap32 p = Filled(6, 6);
    const TArrayOfFixedPoint path = {FixedPoint(1, 1), FixedPoint(4, 1), FixedPoint(4, 4)};
    p.Polyline(path, half, false);
    for (auto [x, y] : {std::pair{1, 1}, {4, 1}, {4, 4}}) EXPECT_EQ(p.Pixel(x, y), grey) << x << "," << y;
    p.Polyline(path, clWhite32, true);
    EXPECT_EQ(p.Pixel(2, 2), clWhite32);   // the closing diagonal
}

// A polyline works out its segments in batches before it draws them: longer ones than a batch,
// segments without length, corners far outside, and a thread's band of rows must all give the
// pixels of its segments drawn one after the other.
TEST(Bitmap32Lines, APolylineDrawsTheSameAsItsSegmentsOneByOne) {
    std::mt19937 rng(19);
    std::uniform_real_distribution<double> pos(-30, 90), far(-5000, 5000);
    std::uniform_int_distribution<int> corners(2, 21), channel(0, 255);
    for (int k = 0; k < 60; ++k) {
        TArrayOfFixedPoint points;
        const int n = corners(rng);
        for (int i = 0; i < n; ++i) {
            if (i > 0 && i % 5 == 0)
                points.push_back(points.back());   // a segment of no length
            else
                points.push_back(FixedPoint(i % 7 == 6 ? far(rng) : pos(rng), pos(rng)));
        }
        const bool closed = k % 2 == 0;
        const TColor32 c = Color32(channel(rng), channel(rng), channel(rng), k % 3 ? 255 : channel(rng));
        for (const auto& [top, bottom] : {std::pair{INT_MIN, INT_MAX}, {17, 41}}) {
            TBitmap32 whole = Filled(60, 60), apart = Filled(60, 60);
            {
                const RowShareScope share(whole, top, bottom);
                whole.PolylineAA(points, c, closed);
            }
            {
                const RowShareScope share(apart, top, bottom);
                const size_t segments = closed ? points.size() : points.size() - 1;
                for (size_t i = 0; i < segments; ++i) {
                    const TFixedPoint& p = points[i];
                    const TFixedPoint& q = points[(i + 1) % points.size()];
                    apart.LineAA(p.X, p.Y, q.X, q.Y, c, !closed && i + 1 == segments);
                }
            }
            ASSERT_EQ(Pixels(whole), Pixels(apart)) << "polyline " << k << " of " << n << " corners, rows from " << top;
        }
    }
}

TEST(Bitmap32LinesAA, NothingIsDrawnOutsideTheClipRectangle) {
    std::mt19937 rng(3);
    std::uniform_real_distribution<float> pos(-80, 120), far(-1e7f, 1e7f);
    TBitmap32 b = Filled(40, 40);
    b.SetClipRect({10, 12, 30, 28});
    for (int k = 0; k < 400; ++k) {
        auto p = [&] { return k % 4 == 0 ? far(rng) : pos(rng); };
        b.LineAAF(p(), p(), p(), p(), clWhite32, k % 2 == 0);
        b.LineAA(Fixed(p()), Fixed(pos(rng)), std::numeric_limits<TFixed>::max(), Fixed(pos(rng)), clWhite32);
    }
    int inside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool in = x >= 10 && x < 30 && y >= 12 && y < 28;
            if (!in) { ASSERT_EQ(b.Pixel(x, y), clBlack32) << x << "," << y; }
            inside += in && b.Pixel(x, y) != clBlack32;
        }
    EXPECT_GT(inside, 100);
}

constexpr TColor32 Ground = 0xFF102030;

TEST(Bitmap32Rects, AxisLinesIncludeBothEndsAndAreClipped) {
    TBitmap32 b = Filled(6, 4, Ground);
    b.HorzLineBlend(4, 1, 1, clWhite32);
    b.VertLineBlend(5, 0, 3, clWhite32);
    EXPECT_EQ(Marks(b, Ground), ".....#\n.#####\n.....#\n.....#\n");
    EXPECT_EQ(b.Pixel(1, 1), clWhite32);
    TBitmap32 c = Filled(6, 4, Ground);
    c.SetClipRect({1, 1, 5, 3});
    c.HorzLineBlend(-100, 1, 100, clWhite32);
    c.HorzLineBlend(0, 0, 5, clWhite32);
    c.VertLineBlend(4, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), clWhite32);
    EXPECT_EQ(Marks(c, Ground), "......\n.####.\n....#.\n......\n");
}

TEST(Bitmap32Rects, FillRectOpaqueCopiesAndFillRectBlendBlendsBothClippedAndExcludingRightAndBottom) {
    TBitmap32 b = Filled(5, 4, Ground);
    b.FillRectOpaque(1, 1, 3, 3, Color32(1, 2, 3, 40));
    b.FillRectOpaque(4, 1, 2, 3, clWhite32);   // reversed: empty
    EXPECT_EQ(Marks(b, Ground), ".....\n.##..\n.##..\n.....\n");
    EXPECT_EQ(b.Pixel(1, 1), Color32(1, 2, 3, 40));   // copied, alpha and all
    TBitmap32 r = Filled(3, 1, Ground);
    r.FillRectBlend(0, 0, 1, 1, Color32(200, 100, 50, 0));
    r.FillRectBlend(1, 0, 2, 1, Color32(200, 100, 50, 255));
    r.FillRectBlend(2, 0, 3, 1, Color32(255, 255, 255, 128));
    // (255 128 + D 127) / 255 for D = 0x10, 0x20, 0x30.
    EXPECT_EQ(Pixels(r), (std::vector<TColor32>{Ground, Color32(200, 100, 50), Color32(136, 144, 152)}));
    TBitmap32 c = Filled(5, 5, Ground);
    c.SetClipRect({1, 1, 4, 4});
    c.FillRectBlend(-10, 2, 10, 3, Color32(255, 255, 255, 100));
    c.FillRectBlend(4, 0, 9, 9, Color32(255, 255, 255, 100));
    EXPECT_EQ(Marks(c, Ground), ".....\n.....\n.###.\n.....\n.....\n");
}

TEST(Bitmap32Rects, ClearRowsFillsWholeRowsOfTheSurfaceWhateverTheClip) {
    TBitmap32 b = Filled(4, 5, Ground);
    b.SetClipRect({1, 1, 2, 2});
    b.ClearRows(1, 3, Color32(1, 2, 3, 40));
    EXPECT_EQ(Marks(b, Ground), "....\n####\n####\n....\n....\n");
    EXPECT_EQ(b.Pixel(0, 2), Color32(1, 2, 3, 40));
    // Rows beyond the surface are none of its own, and a reversed range is empty.
    b.ClearRows(std::numeric_limits<int>::min(), 1, clWhite32);
    b.ClearRows(4, std::numeric_limits<int>::max(), clWhite32);
    b.ClearRows(3, 2, clWhite32);
    EXPECT_EQ(Marks(b, Ground), "####\n####\n####\n....\n####\n");
    TBitmap32 empty;
    empty.ClearRows(0, 10, clWhite32);
    EXPECT_TRUE(empty.Empty());
}

TEST(Bitmap32Rects, FrameRectDrawsTheFourEdgesInsideTheRectangleAndIsClipped) {
    TBitmap32 b = Filled(6, 5, Ground), thin = Filled(3, 3, Ground), c = Filled(6, 5, Ground);
    b.FrameRectOpaque(1, 0, 5, 4, clWhite32);
    EXPECT_EQ(Marks(b, Ground), ".####.\n.#..#.\n.#..#.\n.####.\n......\n");
    thin.FrameRectOpaque(1, 0, 2, 3, clWhite32);
    EXPECT_EQ(Marks(thin, Ground), ".#.\n.#.\n.#.\n");
    c.SetClipRect({0, 0, 4, 5});
    c.FrameRectOpaque(1, 1, 8, 4, clWhite32);
    EXPECT_EQ(Marks(c, Ground), "......\n.###..\n.#....\n.###..\n......\n");
}

constexpr TColor32 A = Color32(255, 0, 0), B = Color32(0, 255, 0), C = Color32(0, 0, 255), D = Color32(255, 255, 255);
constexpr TColor32 G = Ground;
using Px = std::vector<TColor32>;

TBitmap32 TwoByTwo() { return testing::FromPixels(2, {A, B, C, D}); }

TEST(Bitmap32Stretch, PicksTheNearestSourcePixelWhenGrowingAndShrinking) {
    TBitmap32 dst = Filled(4, 4), half = Filled(2, 1), one = Filled(3, 1);
    TwoByTwo().StretchTo(dst, {0, 0, 4, 4});
    EXPECT_EQ(Pixels(dst), (Px{A, A, B, B, A, A, B, B, C, C, D, D, C, C, D, D}));
    const TBitmap32 row = testing::FromPixels(4, {Color32(0, 0, 0), Color32(10, 0, 0), Color32(20, 0, 0), Color32(30, 0, 0)});
    row.StretchTo(half, {0, 0, 2, 1});   // centres 0.5 and 1.5 of 2 -> source 1 and 3
    EXPECT_EQ(Pixels(half), (Px{Color32(10, 0, 0), Color32(30, 0, 0)}));
    row.StretchTo(one, {0, 0, 3, 1}, {2, 0, 3, 1});   // one source pixel over three
    EXPECT_EQ(Pixels(one), Px(3, Color32(20, 0, 0)));
}

TEST(Bitmap32Stretch, IsClippedAndLeavesPixelsMappedOutsideTheSourceAlone) {
    TBitmap32 dst = Filled(4, 4, G), part = Filled(4, 1, G);
    dst.SetClipRect({1, 1, 4, 4});
    TwoByTwo().StretchTo(dst, {-2, -2, 6, 6});   // 4 x 4 blocks, centred on the corner at (2, 2)
    EXPECT_EQ(Pixels(dst), (Px{G, G, G, G, G, A, B, B, G, C, D, D, G, C, D, D}));
    TwoByTwo().StretchTo(part, {0, 0, 4, 1}, {-1, 0, 1, 1});   // the left half lies outside the source
    EXPECT_EQ(Pixels(part), (Px{G, G, A, A}));
}

TEST(Bitmap32DrawTo, OpaqueCopiesAlphaIncludedAndTransparentSkipsTheOuterColour) {
    const TColor32 E = Color32(1, 2, 3, 0);
    TBitmap32 src = testing::FromPixels(2, {A, B, C, E}), dst = Filled(4, 3, G), t = Filled(2, 2, G);
    src.DrawTo(dst, 1, 1);
    EXPECT_EQ(Pixels(dst), (Px{G, G, G, G, G, A, B, G, G, C, E, G}));
    src.DrawMode = TDrawMode::dmTransparent;
    src.OuterColor = B;
    src.DrawTo(t, 0, 0);
    EXPECT_EQ(Pixels(t), (Px{A, G, C, E}));
}

TEST(Bitmap32DrawTo, BlendModeWeighsBySourceAlphaTimesMasterAlpha) {
    TBitmap32 src = testing::FromPixels(2, {Color32(200, 100, 0), Color32(255, 255, 255, 200)});
    src.DrawMode = TDrawMode::dmBlend;
    src.MasterAlpha = 128;
    TBitmap32 dst = Filled(2, 1, Color32(0, 0, 100));
    src.DrawTo(dst, 0, 0);
    // Weight 128: (200 128 + 0) / 255 = 100.4, (100 128) / 255 = 50.2, (100 127) / 255 = 49.8.
    // Weight 200 128 / 255 = 100: 25500 / 255 = 100, (100 255 + 100 155) / 255 = 160.8.
    const Px blended{Color32(100, 50, 50), Color32(100, 100, 161)};
    EXPECT_EQ(Pixels(dst), blended);
    src.MasterAlpha = 0;
    src.DrawTo(dst, 0, 0);
    EXPECT_EQ(Pixels(dst), blended);
    TBitmap32 white = Filled(1, 1, clWhite32), stretched = Filled(2, 2);
    white.DrawMode = TDrawMode::dmBlend;
    white.MasterAlpha = 128;
    white.StretchTo(stretched, {0, 0, 2, 2});
    EXPECT_EQ(Pixels(stretched), Px(4, Color32(128, 128, 128)));
}

#if defined(__SSE2__)
TEST(Bitmap32Blend, FourPixelMixIsTheOnePixelMixForEveryChannelWeightAndPair) {
    // Every (source, destination, weight) triple in every channel, the two ends included.
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t sv = 0; sv < 256; ++sv)
            for (uint32_t dv = 0; dv < 256; dv += 4) {
                uint32_t s[4], d[4], mixed[4];
                for (uint32_t k = 0; k < 4; ++k) {
                    s[k] = sv * 0x01010101u;
                    d[k] = (dv + k) * 0x01010101u;
                }
                const __m128i out = blend::MixFour(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s)),
                                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(d)),
                                                   _mm_set1_epi32(static_cast<int>(a)));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(mixed), out);
                for (uint32_t k = 0; k < 4; ++k) {
                    TColor32 want = d[k];
                    blend::MixInto(want, s[k], a);
                    ASSERT_EQ(mixed[k], want) << "s " << sv << " d " << dv + k << " a " << a;
                }
            }
}
#endif

TEST(Bitmap32Stretch, BlendedStretchMatchesThePixelByPixelBlendWithTintAndMasterAlpha) {
    // Rows of odd lengths, so that the last pixels of a row are left over from groups of four.
    std::mt19937 random(7);
    TBitmap32 sprite(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) sprite.ScanLine(y)[x] = static_cast<TColor32>(random());
    sprite.ScanLine(0)[0] &= 0x00FFFFFFu;   // alpha 0
    sprite.ScanLine(0)[1] |= 0xFF000000u;   // alpha 255
    for (const bool tinted : {false, true})
        for (const uint8_t master : {uint8_t(255), uint8_t(77)}) {
            TBitmap32 dst(23, 11);
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 23; ++x) dst.ScanLine(y)[x] = static_cast<TColor32>(random());
            TBitmap32 before;
            before.Assign(dst);
            const TColor32 tint = 0x12345678u;
            sprite.StretchBlendTo(dst, {1, 0, 22, 11}, master, tinted, tint);
            for (int y = 0; y < 11; ++y)
                for (int x = 1; x < 22; ++x) {
                    // Nearest source pixel: floor((k + 1/2) 7 / 21) across, (k + 1/2) 5 / 11 down.
                    TColor32 s = sprite.ScanLine((2 * y + 1) * 5 / 22)[(2 * (x - 1) + 1) * 7 / 42];
                    if (tinted) s = (s & 0xFF000000u) | (tint & 0x00FFFFFFu);
                    const uint32_t a = master == 255 ? AlphaOf(s) : blend::ScaleAlpha(AlphaOf(s), master);
                    TColor32 want = before.ScanLine(y)[x];
                    blend::MixInto(want, s, a);
                    ASSERT_EQ(dst.ScanLine(y)[x], want) << x << "," << y << " tinted " << tinted;
                }
            EXPECT_EQ(dst.ScanLine(5)[0], before.ScanLine(5)[0]);
            EXPECT_EQ(dst.ScanLine(5)[22], before.ScanLine(5)[22]);
        }
}

TEST(Bitmap32DrawTo, SourceRectangleAndClippingCutBothSides) {
    const TBitmap32 src = TwoByTwo();
    TBitmap32 dst = Filled(3, 3, G), clipped = Filled(3, 3, G);
    // Source rows -5..-1 do not exist, so source row 0 lands at y = 5, below the surface.
    src.DrawTo(dst, 1, 0, {1, -5, 9, 2});
    EXPECT_EQ(Pixels(dst), Px(9, G));
    src.DrawTo(dst, 1, 0, {1, 0, 9, 2});
    EXPECT_EQ(Pixels(dst), (Px{G, B, G, G, D, G, G, G, G}));
    clipped.SetClipRect({0, 0, 2, 3});
    src.DrawTo(clipped, 1, 1);
    src.DrawTo(clipped, std::numeric_limits<int>::max(), std::numeric_limits<int>::min());
    src.DrawTo(clipped, -2, -2);
    EXPECT_EQ(Pixels(clipped), (Px{G, G, G, G, A, G, G, C, G}));
}

TEST(Bitmap32DrawTo, DrawingOntoItselfReadsTheOriginalPixels) {
    TBitmap32 b = testing::FromPixels(4, {Color32(0, 0, 0), Color32(1, 0, 0), Color32(2, 0, 0), Color32(3, 0, 0)});
    b.DrawTo(b, 1, 0, {0, 0, 3, 1});
    EXPECT_EQ(Pixels(b), (Px{Color32(0, 0, 0), Color32(0, 0, 0), Color32(1, 0, 0), Color32(2, 0, 0)}));
    b.StretchTo(b, {0, 0, 4, 1}, {2, 0, 4, 1});
    EXPECT_EQ(Pixels(b), (Px{Color32(1, 0, 0), Color32(1, 0, 0), Color32(2, 0, 0), Color32(2, 0, 0)}));
}

// One picture of everything the surface draws: antialiased and plain lines, polygons plain
// and antialiased (a self-crossing star shows the even-odd rule), blended rectangles, text.
TEST(Bitmap32Picture, SceneMatchesItsGoldenPicture) {
    TBitmap32 b = Filled(480, 360, Color32(20, 24, 40));
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
        const double a = k * M_PI / 5 - M_PI / 2, r = k % 2 ? 30 : 70, p = k * 4 * M_PI / 5 - M_PI / 2;
        star.push_back(FixedPoint(120 + r * std::cos(a), 285 + r * std::sin(a)));
        if (k < 5) pentagram.push_back(FixedPoint(300 + 60 * std::cos(p), 290 + 60 * std::sin(p)));
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
