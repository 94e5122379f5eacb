#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/surface_test_support.h"

namespace pax {
namespace {

struct P {
    double x, y;
};

using testing::Filled;
using testing::Marks;
using testing::Pixels;

TArrayOfFixedPoint ToFixed(const std::vector<P>& poly) {
    TArrayOfFixedPoint out;
    for (const P& p : poly) out.push_back(FixedPoint(p.x, p.y));
    return out;
}

// The integral of the winding number over the box [x0, x1] x [y0, y1]. The box is cut into
// vertical slabs at every vertex, edge crossing and crossing with the box's top and bottom, so
// that in each slab the edges are straight, do not cross and keep their order.
double WindingOverBox(const std::vector<P>& poly, double x0, double y0, double x1, double y1) {
    const size_t n = poly.size();
    std::vector<double> xs = {x0, x1};
    auto addX = [&](double x) {
        if (x > x0 && x < x1) xs.push_back(x);
    };
    for (size_t i = 0; i < n; ++i) {
        const P a = poly[i], b = poly[(i + 1) % n];
        addX(a.x);
        for (double yb : {y0, y1})
            if ((a.y - yb) * (b.y - yb) < 0) addX(a.x + (b.x - a.x) * (yb - a.y) / (b.y - a.y));
        for (size_t j = i + 1; j < n; ++j) {
            const P c = poly[j], d = poly[(j + 1) % n];
            const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
            if (den == 0) continue;
            const double t = ((c.x - a.x) * (d.y - c.y) - (c.y - a.y) * (d.x - c.x)) / den;
            const double u = ((c.x - a.x) * (b.y - a.y) - (c.y - a.y) * (b.x - a.x)) / den;
            if (t > 0 && t < 1 && u > 0 && u < 1) addX(a.x + t * (b.x - a.x));
        }
    }
    std::sort(xs.begin(), xs.end());
    double winding = 0;
    std::vector<std::pair<double, int>> ys;   // clamped y at the slab's middle, winding step
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
        const double l = xs[k], r = xs[k + 1], mid = (l + r) / 2;
        if (r - l < 1e-12) continue;
        ys.clear();
        for (size_t i = 0; i < n; ++i) {
            const P a = poly[i], b = poly[(i + 1) % n];
            if ((a.x < mid) == (b.x < mid)) continue;
            const double y = std::clamp(a.y + (b.y - a.y) * (mid - a.x) / (b.x - a.x), y0, y1);
            ys.push_back({y, b.x > a.x ? 1 : -1});
        }
        std::sort(ys.begin(), ys.end());
        int w = 0;
        for (size_t i = 0; i + 1 < ys.size(); ++i) {
            w += ys[i].second;
            winding += w * (ys[i + 1].first - ys[i].first) * (r - l);
        }
    }
    return winding;
}

// The even-odd rule applied to an integral of the winding number, as a coverage in [0, 1]:
// exact wherever the winding number inside the pixel takes two neighbouring values only.
double FoldEvenOdd(double winding) {
    const double v = std::fmod(std::fabs(winding), 2.0);
    return v > 1 ? 2 - v : v;
}

// Whether pixel (i, j)'s centre is inside by the even-odd rule, with the ownership of the
// plain fill: crossings of the row at y = j counted over edges with y0 <= j < y1, and a
// crossing at x counts for the pixels i >= x. Exact with vertices on the 1/256 grid.
bool CentreInside(const std::vector<P>& poly, int i, int j) {
    int count = 0;
    for (size_t k = 0; k < poly.size(); ++k) {
        P a = poly[k], b = poly[(k + 1) % poly.size()];
        if (a.y == b.y) continue;
        if (a.y > b.y) std::swap(a, b);
        if (!(a.y <= j && j < b.y)) continue;
        // x = a.x + (b.x - a.x)(j - a.y)/(b.y - a.y) <= i, in integers of 1/256.
        const int64_t ax = std::llround(a.x * 256), ay = std::llround(a.y * 256);
        const int64_t bx = std::llround(b.x * 256), by = std::llround(b.y * 256);
        if (ax * (by - ay) + (bx - ax) * (int64_t(j) * 256 - ay) <= int64_t(i) * 256 * (by - ay)) ++count;
    }
    return count % 2 == 1;
}

double Grid(std::mt19937& rng, double lo, double hi) {
    std::uniform_int_distribution<int> d(static_cast<int>(lo * 256), static_cast<int>(hi * 256));
    return d(rng) / 256.0;
}

std::vector<P> RandomPolygon(std::mt19937& rng, int corners, double lo, double hi) {
    std::vector<P> poly;
    for (int k = 0; k < corners; ++k) poly.push_back({Grid(rng, lo, hi), Grid(rng, lo, hi)});
    return poly;
}

TEST(Bitmap32PolygonAA, CoverageIsTheExactAreaOfRandomPolygonsInsideTheClipRectangle) {
    std::mt19937 rng(2024);
    for (int k = 0; k < 100; ++k) {
        const bool clipped = k % 5 >= 3;   // corners far past a clip rectangle
        const std::vector<P> poly = clipped ? RandomPolygon(rng, 3 + k % 8, -30, 60) : RandomPolygon(rng, 3 + k % 10, 1, 31);
        TBitmap32 b = Filled(32, 32);
        if (clipped) b.SetClipRect({5, 7, 27, 25});
        b.FillPolygonAA(ToFixed(poly), clWhite32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool inClip = !clipped || (x >= 5 && x < 27 && y >= 7 && y < 25);
                const double want = inClip ? 255 * FoldEvenOdd(WindingOverBox(poly, x - 0.5, y - 0.5, x + 0.5, y + 0.5)) : 0;
                ASSERT_NEAR(RedOf(b.Pixel(x, y)), want, inClip ? 2.5 : 0) << "polygon " << k << " at " << x << "," << y;
            }
    }
}

// A centre on an edge belongs to the polygon on its right (below, on a horizontal edge), so
// polygons sharing an edge never both take a pixel nor both leave it.
TEST(Bitmap32Polygon, FillTakesThePixelsWhoseCentresAreInside) {
    std::mt19937 rng(77);
    for (int k = 0; k < 80; ++k) {
        std::vector<P> poly = RandomPolygon(rng, 3 + k % 10, -4, 36);
        // Corners on whole and half pixels put many centres exactly on edges and corners.
        if (k % 2) for (P& p : poly) p = {std::round(p.x * 2) / 2, std::round(p.y * 2) / 2};
        TBitmap32 b = Filled(32, 32);
        b.SetClipRect({2, 1, 30, 31});
        b.FillPolygon(ToFixed(poly), clWhite32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const bool inClip = x >= 2 && x < 30 && y >= 1 && y < 31;
                const TColor32 want = inClip && CentreInside(poly, x, y) ? clWhite32 : clBlack32;
                ASSERT_EQ(b.Pixel(x, y), want) << "polygon " << k << " at " << x << "," << y;
            }
    }
}

// A square region [lo, hi]^2, cut by a random zigzag from top to bottom into a left and a
// right polygon that share the zigzag's edges.
void SplitSquare(std::mt19937& rng, double lo, double hi, std::vector<P>& left, std::vector<P>& right, double grid) {
    std::vector<P> zig = {{std::round(Grid(rng, lo + 2, hi - 2) / grid) * grid, lo}};
    const int steps = 6;
    for (int s = 1; s < steps; ++s) {
        const double y = lo + (hi - lo) * s / steps + std::round(Grid(rng, -2, 2) / grid) * grid;
        zig.push_back({std::round(Grid(rng, lo + 1, hi - 1) / grid) * grid, y});
    }
    zig.push_back({std::round(Grid(rng, lo + 2, hi - 2) / grid) * grid, hi});
    left = {{lo, lo}};
    left.insert(left.end(), zig.begin(), zig.end());
    left.push_back({lo, hi});
    right = {{hi, hi}};
    right.insert(right.end(), zig.rbegin(), zig.rend());
    right.push_back({hi, lo});
}

// The antialiased coverages of two polygons sharing a zigzag edge add up to full coverage.
TEST(Bitmap32PolygonAA, PolygonsSharingAnEdgeAddUpToFullCoverage) {
    std::mt19937 rng(5);
    for (int k = 0; k < 40; ++k) {
        std::vector<P> left, right;
        SplitSquare(rng, 3.5, 36.5, left, right, k % 2 ? 0.5 : 1.0 / 256);   // covers pixels 4..36
        TBitmap32 a = Filled(40, 40), b = Filled(40, 40);
        a.FillPolygonAA(ToFixed(left), clWhite32);
        b.FillPolygonAA(ToFixed(right), clWhite32);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= 4 && x <= 36 && y >= 4 && y <= 36;
                ASSERT_NEAR(RedOf(a.Pixel(x, y)) + RedOf(b.Pixel(x, y)), inside ? 255 : 0, 1) << "split " << k << " at " << x << "," << y;
            }
    }
}

TEST(Bitmap32Polygon, FillsBlendByAlphaClipHugeCoordinatesAndIgnoreDegenerateInput) {
    const TColor32 half = Color32(255, 255, 255, 128), grey = Color32(128, 128, 128);
    TBitmap32 b = Filled(8, 8), s = Filled(8, 8);
    b.FillPolygon(ToFixed({{1, 1}, {5, 1}, {5, 5}, {1, 5}}), half);
    b.FillPolygon(ToFixed({{1, 6}, {7, 6}}), clWhite32);
    b.FillPolygonAA(ToFixed({{1, 6}, {7, 7}}), clWhite32);
    b.FillPolygonAA(ToFixed({{1, 6}, {7, 6}, {3, 6}}), clWhite32);   // no area
    s.FillPolygonAA(ToFixed({{1.5, 1.5}, {5.5, 1.5}, {5.5, 5.5}, {1.5, 5.5}}), half);
    s.FillPolygonAA(ToFixed({{1.5, 6}, {5.5, 6}, {5.5, 6.5}, {1.5, 6.5}}), clWhite32);   // half a pixel high
    EXPECT_EQ(Marks(b), "........\n.####...\n.####...\n.####...\n.####...\n........\n........\n........\n");
    EXPECT_EQ(Marks(s), "........\n........\n..####..\n..####..\n..####..\n..####..\n..####..\n........\n");
    for (const TBitmap32* p : {&b, &s})
        for (TColor32 c : Pixels(*p)) EXPECT_TRUE(c == clBlack32 || c == grey) << std::hex << c;
    const TFixed big = std::numeric_limits<TFixed>::max(), small = std::numeric_limits<TFixed>::min();
    const TArrayOfFixedPoint all = {{small, small}, {big, small}, {big, big}, {small, big}};
    TBitmap32 plain = Filled(6, 6), smooth = Filled(6, 6);
    plain.FillPolygon(all, clWhite32);
    smooth.FillPolygonAA(all, clWhite32);
    EXPECT_TRUE(Pixels(plain) == std::vector<TColor32>(36, clWhite32) && Pixels(smooth) == Pixels(plain));
}

}  // namespace
}  // namespace pax
