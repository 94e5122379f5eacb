#include "render/windows/zbuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/surface_test_support.h"
#include "support/golden.h"

namespace pax {
namespace {

constexpr TColor32 Red = 0xFFFF0000, Blue = 0xFF0000FF;

TZBuffer32 Buffer(int width, int height) {
    TZBuffer32 z;
    z.SetSize(width, height);
    return z;
}

// The line walk exactly as the rule states it, every step through PlotZ: from the end with the
// smaller y, depth stepping by the truncated quotient.
void ReferenceLineZ(TZBuffer32& z, TZPoint p1, TZPoint p2, TColor32 c) {
    const int64_t dx = std::abs(int64_t(p2.X) - p1.X), dy = std::abs(int64_t(p2.Y) - p1.Y);
    if (dx == 0 && dy == 0) return p2.Z <= p1.Z ? z.PlotZ(p2.X, p2.Y, c, p2.Z) : z.PlotZ(p1.X, p1.Y, c, p1.Z);
    const TZPoint s = p2.Y >= p1.Y ? p1 : p2, f = p2.Y >= p1.Y ? p2 : p1;
    const int64_t n = std::max(dx, dy), xStep = f.X > s.X ? 1 : -1, zStep = (int64_t(f.Z) - s.Z) / n;
    int64_t e = n / 2, x = s.X, y = s.Y, depth = s.Z;
    z.PlotZ(int(x), int(y), c, int32_t(depth));
    for (int64_t i = 0; i < n; ++i) {
        if (dy > e) e += dx, ++y;
        if (dy <= e) e -= dy, x += xStep;
        depth += zStep;
        z.PlotZ(int(x), int(y), c, int32_t(depth));
    }
}

::testing::AssertionResult SamePlanes(const TZBuffer32& a, const TZBuffer32& b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.ColorPlane().Pixel(x, y) != b.ColorPlane().Pixel(x, y) || a.Depth(x, y) != b.Depth(x, y))
                return ::testing::AssertionFailure() << "differ at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

int CountLinePixels(const TZBuffer32& z) {
    const std::vector<TColor32> colours = testing::Pixels(z.ColorPlane());
    return int(colours.size() - std::count(colours.begin(), colours.end(), 0u));
}

TEST(ZBuffer, NearerWinsEqualDepthKeepsTheFirstAndSetSizeClearsToTransparentAndFar) {
    TZBuffer32 z = Buffer(11, 11);
    z.LineZ(TZPoint{0, 5, 100 << 16}, TZPoint{10, 5, 100 << 16}, Red);
    z.LineZ(TZPoint{5, 0, 50 << 16}, TZPoint{5, 10, 50 << 16}, Blue);
    EXPECT_EQ(z.ColorPlane().Pixel(5, 5), Blue);
    EXPECT_EQ(z.Depth(5, 5), 50 << 16);
    z.LineZ(TZPoint{0, 0, 50 << 16}, TZPoint{10, 10, 50 << 16}, Red);
    EXPECT_EQ(z.ColorPlane().Pixel(5, 5), Blue);
    EXPECT_EQ(z.ColorPlane().Pixel(4, 4), Red);
    z.SetSize(11, 11);
    EXPECT_TRUE(z.ColorPlane().Pixel(5, 5) == 0u && z.Depth(5, 5) == TZBuffer32::FarDepth);
    // A zero-length segment plots its nearer end.
    z.LineZ(TZPoint{2, 3, 900}, TZPoint{2, 3, 400}, Red);
    z.LineZ(TZPoint{1, 1, -7}, TZPoint{1, 1, 300}, Blue);
    EXPECT_TRUE(z.Depth(2, 3) == 400 && z.Depth(1, 1) == -7 && CountLinePixels(z) == 2);
    z.SetSize(-3, 7);
    z.LineZ(TZPoint{0, 0, 0}, TZPoint{5, 5, 0}, Red);   // nothing to draw on
    EXPECT_EQ(z.Width(), 0);
}

// Ends far outside the surface: only the visible steps are walked, which must be the very
// pixels and depths of the whole walk, whichever end the segment is given from.
TEST(ZBuffer, ClippedWalkInEitherDirectionMatchesTheFullWalk) {
    std::mt19937 rng(12);
    std::uniform_int_distribution<int> coord(-3000, 3000), depth(-(1 << 30), 1 << 30);
    TZBuffer32 fast = Buffer(64, 48), backward = Buffer(64, 48), reference = Buffer(64, 48);
    for (int i = 0; i < 4000; ++i) {
        // Ranges from +-3000 down to +-60 pixels, so that ends often sit near the edges.
        TZPoint a{coord(rng) / (i % 50 + 1), coord(rng) / (i % 47 + 1), depth(rng)};
        TZPoint b{coord(rng) / (i % 43 + 1), coord(rng) / (i % 3 + 1), depth(rng)};
        const TColor32 c = 0xFF000000 | rng();
        fast.LineZ(a, b, c);
        backward.LineZ(a.Y == b.Y ? a : b, a.Y == b.Y ? b : a, c);   // equal y: p1 is the start
        ReferenceLineZ(reference, a, b, c);
    }
    EXPECT_GT(CountLinePixels(fast), 1500);
    EXPECT_TRUE(SamePlanes(fast, reference));
    EXPECT_TRUE(SamePlanes(backward, reference));
}

TEST(ZBuffer, PointsOutsideAreIgnored) {
    TZBuffer32 z = Buffer(8, 8);
    for (auto [x, y] : {std::pair{-1, 0}, {8, 0}, {0, -1}, {0, 8}, {std::numeric_limits<int>::min(), 3}})
        z.PlotZ(x, y, Red, 0);
    z.LineZ(TZPoint{-5, -5, 0}, TZPoint{-1, 20, 0}, Red);
    z.LineZ(TZPoint{20, 9, 0}, TZPoint{-20, 9, 0}, Red);
    EXPECT_EQ(CountLinePixels(z), 0);
    // A diagonal between the extremes of the int range crosses exactly the diagonal pixels.
    const int32_t lo = std::numeric_limits<int32_t>::min() + 1, hi = std::numeric_limits<int32_t>::max();
    z.LineZ(TZPoint{lo, lo, 0}, TZPoint{hi, hi, 0}, Red);
    EXPECT_EQ(CountLinePixels(z), 8);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(z.ColorPlane().Pixel(i, i), Red);
}

TEST(ZBuffer, FloatPointsRoundHalvesToEvenAndDepthToFixedAndNonFiniteOnesAreIgnored) {
    TZBuffer32 z = Buffer(16, 12);
    z.LineZ(TZPointF{2.5L, 0.5L, 1.0L}, TZPointF{2.5L, 0.5L, 1.0L}, Red);   // (2, 0)
    z.LineZ(TZPointF{3.5L, 1.5L, -0.25L}, TZPointF{3.5L, 1.5L, 0}, Blue);   // (4, 2)
    EXPECT_EQ(z.Depth(2, 0), 65536);
    EXPECT_EQ(z.Depth(4, 2), -16384);
    z.LineZ(TZPointF{5, 5, -1e12L}, TZPointF{5, 5, -1e12L}, Red);
    EXPECT_EQ(z.Depth(5, 5), std::numeric_limits<int32_t>::min());
    z.LineZ(TZPointF{6, 6, 1e12L}, TZPointF{6, 6, 1e12L}, Red);   // as far as an empty pixel
    EXPECT_EQ(z.ColorPlane().Pixel(6, 6), 0u);
    const Extended inf = std::numeric_limits<Extended>::infinity(), nan = std::numeric_limits<Extended>::quiet_NaN();
    z.LineZ(TZPointF{0, 0, 0}, TZPointF{inf, 3, 0}, Red);
    z.LineZ(TZPointF{nan, 0, 0}, TZPointF{3, 3, 0}, Red);
    z.LineZ(TZPointF{0, 0, nan}, TZPointF{3, 3, 0}, Red);
    // Ends so far apart that their difference overflows.
    z.LineZ(TZPointF{-1.1e4932L, 3, 0}, TZPointF{1.1e4932L, 3, 0}, Red);
    EXPECT_EQ(CountLinePixels(z), 3);
    z.LineZ(TZPointF{-1e15L, 7, 2}, TZPointF{1e15L, 7, 2}, Blue);
    EXPECT_EQ(CountLinePixels(z), 3 + 16);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(z.Depth(x, 7), 2 << 16);
}

// A run's first pixel is kept as it is; the next ones are darkened by the depth gradient over
// the divisor (0 counts as 1), 127 meaning flat. The run goes on across the row end; the last
// two columns and the last row stay.
TEST(ZBuffer, ComposeFollowsTheRuleOnRandomPlanes) {
    std::mt19937 rng(5);
    TZBuffer32 z = Buffer(31, 17);
    for (int i = 0; i < 300; ++i) z.PlotZ(int(rng() % 31), int(rng() % 17), rng() | 1, int32_t(rng() % 600) - 300);
    for (int divisor : {7, 0}) {
        TBitmap32 d = testing::Filled(31, 17, Blue);
        z.Compose(d, divisor);
        TColor32 previous = 0;
        int shaded = 0;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 31; ++x) {
                const TColor32 c = z.ColorPlane().Pixel(x, y);
                TColor32 expected = Blue;
                if (x < 29 && y < 16 && c != 0 && previous == 0) expected = c;
                if (x < 29 && y < 16 && c != 0 && previous != 0) {
                    // Uncovered neighbours add no slope.
                    auto depthOr = [&](int nx, int ny) -> int64_t {
                        return z.ColorPlane().Pixel(nx, ny) != 0 ? z.Depth(nx, ny) : z.Depth(x, y);
                    };
                    const int64_t g = (depthOr(x + 1, y) - z.Depth(x, y)) + (depthOr(x, y + 1) - z.Depth(x, y));
                    const int64_t w = g / std::max(divisor, 1) + 127;
                    shaded += w > 0 && w < 255 && w != 127;
                    expected = BlendColor(c, 0xFF000000, uint32_t(std::clamp<int64_t>(w, 0, 255)));
                }
                ASSERT_EQ(d.Pixel(x, y), expected) << x << "," << y << " divisor " << divisor;
                if (x < 29 && y < 16) previous = c;
            }
        EXPECT_GT(shaded, 10) << divisor;
    }
}

TEST(ZBuffer, ComposeOfAnEmptyPlaneChangesNothingAndSmallDestinationsAreSafe) {
    TBitmap32 d(10, 3);
    d.Clear(Blue);
    Buffer(10, 3).Compose(d, 1);
    EXPECT_EQ(std::count(d.Bits(), d.Bits() + 30, Blue), 30);
    TZBuffer32 z = Buffer(10, 3);
    z.PlotZ(2, 0, Red, 0);
    TBitmap32 small(3, 1);
    z.Compose(small, 1);
    EXPECT_EQ(small.Pixel(2, 0), Red);
}

TEST(ZBuffer, ComposedLineDrawingMatchesItsGoldenPicture) {
    // A fan of lines and a band of close parallel lines, tilted in depth, over a dark field.
    TZBuffer32 z = Buffer(64, 64);
    for (int i = 0; i < 12; ++i) {
        const Extended a = i * Pi / 12;
        z.LineZ(TZPointF{32, 32, 5}, TZPointF{32 + 30 * std::cos(a), 32 - 30 * std::sin(a), 5 + 4 * std::cos(a)},
                HSVToColor(MakeHSV(i / 12.0L, 1, 1)));
    }
    for (int y = 40; y < 60; ++y)
        z.LineZ(TZPointF{4, Extended(y), 1 + (y - 40) * 0.02L}, TZPointF{60, Extended(y) - 6, 2 + (y - 40) * 0.02L},
                0xFFE0C060);
    TBitmap32 picture(64, 64);
    picture.Clear(0xFF202040);
    z.Compose(picture, 100);
    testing::ExpectMatchesGolden(picture, "render/zbuffer_compose");
}

}  // namespace
}  // namespace pax
