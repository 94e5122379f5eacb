#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "render/bitmap32.h"
#include "render/surface_test_support.h"

namespace pax {
namespace {

using testing::Filled;
using testing::Marks;

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
    TBitmap32 b = Filled(20, 20);
    const int big = std::numeric_limits<int>::max(), small = std::numeric_limits<int>::min();
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    b.LineAAF(nan, 1, 8, 8, clWhite32);
    b.LineAAF(1, 1, inf, 8, clWhite32);
    EXPECT_EQ(Marks(b), Marks(Filled(20, 20)));
    b.LineOpaque(small, 10, big, 10, clWhite32, true);
    b.LineBlend(3, small, 3, big, clWhite32);
    for (int k = 0; k < 20; ++k) EXPECT_TRUE(b.Pixel(k, 10) == clWhite32 && b.Pixel(3, k) == clWhite32) << k;
    EXPECT_EQ(b.Pixel(5, 9), clBlack32);
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

}  // namespace
}  // namespace pax
