#include "render/surface/row_share.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <climits>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax {
namespace {

using Drawing = std::function<void(TBitmap32&)>;

// A mix of every operation that honours a share: lines of every slope (steep and flat,
// clipped, reaching far outside), plain and antialiased polygons (concave, crossing,
// taller than the surface), rectangles, frames, points and polylines, half of them
// translucent, all drawn over each other so that the order of the blends matters.
std::vector<Drawing> Mixture(int width, int height) {
    std::mt19937 random(20261208);
    std::uniform_real_distribution<double> x(-0.3 * width, 1.3 * width), y(-0.3 * height, 1.3 * height);
    std::uniform_int_distribution<uint32_t> colour(0, 0xFFFFFF), alpha(0, 3);
    const auto paint = [&] { return colour(random) | (alpha(random) == 0 ? 0xFF000000u : 0x60000000u); };
    const auto point = [&] { return FixedPoint(x(random), y(random)); };
    std::vector<Drawing> drawings;
    for (int i = 0; i < 120; ++i) {
        const TColor32 c = paint();
        const TFixedPoint a = point(), b = point(), d = point(), e = point();
        switch (i % 9) {
        case 0: drawings.push_back([=](TBitmap32& s) { s.LineAA(a.X, a.Y, b.X, b.Y, c, i % 2 == 0); }); break;
        case 1:   // nearly vertical and nearly horizontal, where the column spans most rows
            drawings.push_back([=](TBitmap32& s) { s.LineAA(a.X, a.Y, a.X + 0x9000, b.Y, c); });
            drawings.push_back([=](TBitmap32& s) { s.LineAAF(-5.25f, 17.5f, width + 3.5f, 40.75f, c); });
            break;
        case 2: drawings.push_back([=](TBitmap32& s) { s.LineBlend(a.X >> 16, a.Y >> 16, b.X >> 16, b.Y >> 16, c, true); }); break;
        case 3: drawings.push_back([=](TBitmap32& s) { s.FillPolygonAA({a, b, d, e}, c); }); break;
        case 4: drawings.push_back([=](TBitmap32& s) { s.FillPolygon({a, b, d, e}, c); }); break;
        case 5:
            drawings.push_back([=](TBitmap32& s) {
                s.FillRectBlend(a.X >> 16, a.Y >> 16, b.X >> 16, b.Y >> 16, c);
                s.FrameRectOpaque(d.X >> 16, d.Y >> 16, e.X >> 16, e.Y >> 16, c | 0xFF000000);
            });
            break;
        case 6:
            drawings.push_back([=](TBitmap32& s) {
                s.SetPixelAAFixed(a.X / 3, a.Y / 3, c);
                s.SetPixelAA(static_cast<float>(FixedToFloat(b.X) / 2), static_cast<float>(FixedToFloat(b.Y) / 2), c);
                s.SetPixelBlend(d.X >> 17, d.Y >> 17, c);
            });
            break;
        case 7:
            drawings.push_back([=](TBitmap32& s) {
                s.PolylineAA({a, b, d}, c, false);
                s.Polyline({a, d, e}, c, true);
                s.LineOpaque(e.X >> 16, e.Y >> 16, a.X >> 16, a.Y >> 16, c);
            });
            break;
        case 8:
            drawings.push_back([=](TBitmap32& s) {
                s.HorzLineBlend(a.X >> 16, b.Y >> 17, d.X >> 16, c);
                s.VertLineBlend(e.X >> 17, a.Y >> 16, d.Y >> 16, c);
                s.FillPolygonAA({{0x8000, -4 * FixedOne}, {40 * FixedOne, height * 3 * FixedOne}, e}, c);
            });
            break;
        }
    }
    return drawings;
}

// The bands of rows from bounds[k] to bounds[k + 1], one after the other: they are disjoint, so
// their order cannot matter.
TBitmap32 Drawn(const std::vector<Drawing>& drawings, int width, int height, const std::vector<int>& bounds,
                const TRect* clip) {
    TBitmap32 surface(width, height);
    surface.Clear(0xFF102030);
    if (clip) surface.SetClipRect(*clip);
    for (size_t k = 0; k + 1 < bounds.size(); ++k) {
        const RowShareScope scope(surface, bounds[k], bounds[k + 1]);
        for (const Drawing& d : drawings) d(surface);
    }
    return surface;
}

int DifferingPixels(const TBitmap32& a, const TBitmap32& b) {
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
    return differing;
}

TEST(RowShare, SharesTogetherDrawExactlyTheWholePicture) {
    const TRect clip{7, 5, 90, 77};
    for (const TRect* c : {static_cast<const TRect*>(nullptr), &clip}) {
        const int width = 97, height = 83;
        const std::vector<Drawing> drawings = Mixture(width, height);
        TBitmap32 whole(width, height);
        whole.Clear(0xFF102030);
        if (c) whole.SetClipRect(*c);
        for (const Drawing& d : drawings) d(whole);
        // Bands that split the clip, cut through it near its edges, and reach beyond the surface.
        const std::vector<std::vector<int>> splits = {
            {INT_MIN, 41, INT_MAX}, {-5, 6, 8, 40, 76, 78, 200}, {0, 1, 2, 3, 82, 83}};
        for (const std::vector<int>& bounds : splits) {
            SCOPED_TRACE(bounds.size());
            EXPECT_EQ(DifferingPixels(whole, Drawn(drawings, width, height, bounds, c)), 0);
        }
    }
}

TEST(RowShare, ShortSlantedLinesReachTheRowsBelowAndAboveTheirEnds) {
    // Lines under a pixel and a half long at about 45 degrees, that end a little over two rows
    // above or below a boundary and lead away from it: their antialiased pixels reach across.
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> gap(1.9, 2.4), length(0.2, 1.5), slope(0.8, 1.2), x(10, 50);
    std::vector<Drawing> drawings;
    for (int i = 0; i < 400; ++i) {
        const double side = i % 2 ? 1 : -1, dx = length(random) * (i % 4 < 2 ? 1 : -1);
        const TFixedPoint near = FixedPoint(x(random), 40 + side * gap(random));
        const TFixedPoint far = FixedPoint(FixedToFloat(near.X) + dx, FixedToFloat(near.Y) + side * std::fabs(dx) * slope(random));
        if (i % 3 == 0)
            drawings.push_back([=](TBitmap32& s) { s.LineAA(far.X, far.Y, near.X, near.Y, 0xFD0000FF, i % 5 == 0); });
        else
            drawings.push_back([=](TBitmap32& s) { s.LineAA(near.X, near.Y, far.X, far.Y, 0xFD0000FF, i % 5 == 0); });
    }
    TBitmap32 whole(64, 80);
    whole.Clear(0xFF102030);
    for (const Drawing& d : drawings) d(whole);
    EXPECT_EQ(DifferingPixels(whole, Drawn(drawings, 64, 80, {INT_MIN, 40, INT_MAX}, nullptr)), 0);
}

TEST(RowShare, AShareWritesOnlyItsOwnRowsOfItsOwnSurface) {
    const int width = 64, height = 70;
    TBitmap32 surface(width, height), other(width, height);
    surface.Clear(clBlack32);
    other.Clear(clBlack32);
    {
        const RowShareScope scope(surface, 20, 37);
        EXPECT_FALSE(RowShare::Of(surface).Whole());
        EXPECT_TRUE(RowShare::Of(other).Whole());
        surface.FillRectOpaque(0, 0, width, height, clWhite32);
        other.FillRectOpaque(0, 0, width, height, clWhite32);
    }
    EXPECT_TRUE(RowShare::Of(surface).Whole());
    for (int y = 0; y < height; ++y) {
        const bool own = y >= 20 && y < 37;
        EXPECT_EQ(surface.Pixel(10, y), own ? clWhite32 : clBlack32) << y;
        EXPECT_EQ(other.Pixel(10, y), clWhite32) << y;
    }
}

TEST(RowShare, AReversedBandOwnsNoRow) {
    TBitmap32 surface(8, 8);
    surface.Clear(clBlack32);
    {
        const RowShareScope scope(surface, 5, 2);
        surface.FillRectOpaque(0, 0, 8, 8, clWhite32);
    }
    for (int y = 0; y < 8; ++y) EXPECT_EQ(surface.Pixel(3, y), clBlack32) << y;
}

}  // namespace
}  // namespace pax
