// Lines of TBitmap32: Bresenham lines with integer end points and antialiased lines with
// sub-pixel end points. Pixel centres sit on whole coordinates: pixel (i, j) covers
// [i - 0.5, i + 0.5) x [j - 0.5, j + 0.5).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "foundation/math2.h"
#include "render/surface/bitmap32.h"
#include "render/surface/bitmap32_blend.h"
#include "render/surface/row_share.h"

namespace pax {

namespace {

using Int128 = __int128;

Int128 FloorDiv(Int128 a, Int128 b) {   // b > 0
    Int128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

Int128 CeilDiv(Int128 a, Int128 b) { return -FloorDiv(-a, b); }

// Calls plot(x, y) for the pixels of the Bresenham line that lie in clip. Step i along the
// major axis (n steps) moves the minor axis by floor((2 i m + n) / 2n), m the minor extent,
// so that a clipped line lands on exactly the pixels of the whole one.
template <class Plot>
void BresenhamClipped(const TRect& clip, int x1, int y1, int x2, int y2, bool drawLast, Plot plot) {
    if (clip.Empty()) return;
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const int64_t n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const int64_t m = xMajor ? std::llabs(dy) : std::llabs(dx);
    const int64_t last = drawLast ? n : n - 1;
    if (last < 0) return;
    const int64_t maj0 = xMajor ? x1 : y1, min0 = xMajor ? y1 : x1;
    const int majStep = (xMajor ? dx : dy) < 0 ? -1 : 1, minStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int64_t majLo = xMajor ? clip.Left : clip.Top, majHi = (xMajor ? clip.Right : clip.Bottom) - 1;
    const int64_t minLo = xMajor ? clip.Top : clip.Left, minHi = (xMajor ? clip.Bottom : clip.Right) - 1;

    // Steps whose major coordinate is inside.
    Int128 iLo = majStep > 0 ? majLo - maj0 : maj0 - majHi;
    Int128 iHi = majStep > 0 ? majHi - maj0 : maj0 - majLo;
    // Minor offsets inside, then the steps that produce them.
    const int64_t oLo = minStep > 0 ? minLo - min0 : min0 - minHi;
    const int64_t oHi = minStep > 0 ? minHi - min0 : min0 - minLo;
    if (m == 0) {
        if (oLo > 0 || oHi < 0) return;
    } else {
        iLo = std::max(iLo, CeilDiv(Int128(2) * n * oLo - n, Int128(2) * m));
        iHi = std::min(iHi, FloorDiv(Int128(2) * n * (oHi + 1) - n - 1, Int128(2) * m));
    }
    iLo = std::max<Int128>(iLo, 0);
    iHi = std::min<Int128>(iHi, last);
    if (iLo > iHi) return;

    const int64_t i0 = static_cast<int64_t>(iLo), count = static_cast<int64_t>(iHi - iLo) + 1;
    int64_t off = 0, err = 0;
    if (n > 0) {
        const Int128 t = Int128(2) * i0 * m + n;
        off = static_cast<int64_t>(t / (Int128(2) * n));
        err = static_cast<int64_t>(t % (Int128(2) * n));
    }
    int64_t maj = maj0 + majStep * i0, minor = min0 + minStep * off;
    for (int64_t k = 0; k < count; ++k) {
        if (xMajor)
            plot(static_cast<int>(maj), static_cast<int>(minor));
        else
            plot(static_cast<int>(minor), static_cast<int>(maj));
        maj += majStep;
        err += 2 * m;
        if (err >= 2 * n) {
            err -= 2 * n;
            minor += minStep;
        }
    }
}

// Liang-Barsky: shrinks the segment to the part inside [lo, hi] in both axes. With both ends
// inside, t0 stays 0 and t1 stays 1 (each q[k] is at least 0 and, rounding being monotonic,
// at least p[k]), so the divisions are skipped; the end points take the same formulas.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double xLo, double yLo, double xHi,
                 double yHi) {
    double t0 = 0, t1 = 1;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xLo, xHi - x1, y1 - yLo, yHi - y1};
    const auto in = [&](double x, double y) { return x >= xLo && x <= xHi && y >= yLo && y <= yHi; };
    const bool inside = in(x1, y1) && in(x2, y2);
    for (int k = 0; k < 4 && !inside; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0) return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    x2 = x1 + t1 * dx, y2 = y1 + t1 * dy;
    x1 = nx1, y1 = ny1;
    return true;
}

constexpr double Scale32 = 4294967296.0;   // 32.32 fixed point
constexpr double FarColumns = 1e12;        // beyond any surface, within int64_t

// An antialiased line worked out before any pixel is touched: which columns (major steps) it
// draws and where its band lies in the first of them. A polyline works out all its segments
// first and then draws them in order: the divisions and the square root of one segment no
// longer wait for the pixels of the one before.
struct LinePlan {
    enum class Kind : uint8_t { None, Pixel, Flat, Steep };
    Kind kind = Kind::None;
    int first = 0, last = 0;   // the columns the line covers
    int from = 0, to = 0;      // of those, the ones that can meet the calling thread's rows
    int64_t top = 0, width = 0, step = 0;   // the band in 32.32: its edge at column from
    uint32_t alongFirst = 0, alongLast = 0;   // the end columns' weights along the line, 1/65536
    float x = 0, y = 0;        // Kind::Pixel: the one pixel of a line without length
};

// Antialiased line along its major axis: the line is a band one pixel thick (measured across
// the line), so every column (major step) carries sqrt(1 + slope^2) of minor extent spread
// exactly over the two or three pixels it overlaps. Columns at the ends are weighted by how
// much of them the segment covers, so that segments meeting end to end do not double up.
// (a0, b0) .. (a1, b1) are major and minor coordinates with a0 <= a1, already clipped to
// the neighbourhood of the clip rectangle.
template <bool Steep>
void PlanBand(const TBitmap32& bmp, const RowShare& share, double a0, double b0, double a1, double b1,
              LinePlan& plan) {
    const TRect& clip = bmp.ClipRect();
    const int majLo = Steep ? clip.Top : clip.Left, majHi = Steep ? clip.Bottom : clip.Right;
    const int minLo = Steep ? clip.Left : clip.Top, minHi = Steep ? clip.Right : clip.Bottom;
    const double len = a1 - a0;
    if (len <= 0) return;
    const double slope = (b1 - b0) / len;
    const double half = 0.5 * std::sqrt(1 + slope * slope);

    int first = static_cast<int>(std::floor(a0 + 0.5)), last = static_cast<int>(std::floor(a1 + 0.5));
    first = std::max(first, majLo);
    last = std::min(last, majHi - 1);
    if (first > last) return;

    // Band edges in 32.32, shifted by half a pixel so that row r covers [r, r + 1).
    const double bAtFirst = b0 + slope * (first - a0) + 0.5;
    int64_t top = RoundHalfAway((bAtFirst - half) * Scale32);
    const int64_t width = RoundHalfAway(2 * half * Scale32);
    const int64_t step = RoundHalfAway(slope * Scale32);
    // Columns outside the share are stepped over at once, exactly, as the edge moves by whole
    // steps. A steep line's columns are surface rows; of a flat one's, those that can meet the
    // share's rows are found from the band's edge and widened by a column on each side (the
    // rows of each are checked when drawn).
    int from = first, to = last;
    if (Steep) {
        from = std::max(first, share.Top());
        to = static_cast<int>(std::min<int64_t>(last, int64_t(share.Bottom()) - 1));
    } else if (!share.Whole()) {
        const double rowsTop = std::max(share.Top(), minLo), rowsBottom = std::min(share.Bottom(), minHi);
        if (rowsTop >= rowsBottom) return;
        const double edge = top / Scale32, rise = step / Scale32, thickness = width / Scale32;
        if (rise != 0) {
            // Column first + k meets the rows when edge + rise k + thickness > rowsTop and
            // edge + rise k < rowsBottom.
            double kLo = (rowsTop - thickness - edge) / rise, kHi = (rowsBottom - edge) / rise;
            if (rise < 0) std::swap(kLo, kHi);
            const auto column = [first](double k) {
                return first + static_cast<int64_t>(std::clamp(k, -FarColumns, FarColumns));
            };
            from = static_cast<int>(std::max<int64_t>(first, column(std::floor(kLo)) - 1));
            to = static_cast<int>(std::min<int64_t>(last, column(std::ceil(kHi)) + 1));
        } else if (edge + thickness <= rowsTop - 1 || edge >= rowsBottom + 1) {
            return;
        }
    }
    top += step * (int64_t(from) - first);
    plan.kind = Steep ? LinePlan::Kind::Steep : LinePlan::Kind::Flat;
    plan.first = first, plan.last = last, plan.from = from, plan.to = to;
    plan.top = top, plan.width = width, plan.step = step;
    // An end column is weighted by how much of it the stretch covers (0: none, it draws nothing).
    const auto along = [a0, a1](int i) {
        const double cover = std::min(a1, i + 0.5) - std::max(a0, i - 0.5);
        return cover <= 0 ? 0u : static_cast<uint32_t>(RoundHalfAway(std::min(cover, 1.0) * 65536));
    };
    plan.alongFirst = along(first), plan.alongLast = along(last);
}

// The planned columns in colour c, each spreading its band over the pixels it overlaps.
template <bool Steep>
void DrawBand(TBitmap32& bmp, const RowShare& share, const LinePlan& plan, TColor32 c) {
    const TRect& clip = bmp.ClipRect();
    const int minLo = Steep ? clip.Left : clip.Top, minHi = Steep ? clip.Right : clip.Bottom;
    const int first = plan.first, last = plan.last;
    const int64_t width = plan.width, step = plan.step;
    const uint32_t alpha = AlphaOf(c);
    const int stride = bmp.Width();
    TColor32* const bits = bmp.Bits();
    int64_t top = plan.top;
    for (int i = plan.from; i <= plan.to; ++i, top += step) {
        // Weight of this column along the major axis, 1/65536.
        uint32_t along = 65536;
        if (i == first || i == last) {
            along = i == first ? plan.alongFirst : plan.alongLast;
            if (along == 0) continue;
        }
        const int64_t bottom = top + width;
        const int64_t r0 = top >> 32, r1 = (bottom - 1) >> 32;
        // A share is a band of rows: owning a column's first and last row means owning all.
        const bool owned = Steep || (share.Owns(static_cast<int>(r0)) && share.Owns(static_cast<int>(r1)));
        if (along == 65536 && r0 >= minLo && r1 < minHi && owned) {
            // The common column: inside the clip and at full weight along the line, so the
            // first and last rows take their share of the band and any row between all of it.
            const size_t rowStep = Steep ? 1 : static_cast<size_t>(stride);
            TColor32* px = bits + (Steep ? static_cast<size_t>(i) * stride : static_cast<size_t>(i)) +
                           static_cast<size_t>(r0) * rowStep;
            const auto weight = [alpha](int64_t span) {
                return (alpha * static_cast<uint32_t>(static_cast<uint64_t>(span) >> 16) + 0x8000) >> 16;
            };
            if (r0 == r1) {
                blend::MixInto(*px, c, weight(width));
                continue;
            }
            blend::MixInto(*px, c, weight(((r0 + 1) << 32) - top));
            for (int64_t r = r0 + 1; r < r1; ++r) blend::MixInto(*(px += rowStep), c, alpha);
            blend::MixInto(*(px + rowStep), c, weight(bottom - (r1 << 32)));
            continue;
        }
        for (int64_t r = r0; r <= r1; ++r) {
            if (r < minLo || r >= minHi || (!Steep && !share.Owns(static_cast<int>(r)))) continue;
            const int64_t lo = std::max(top, r << 32), hi = std::min(bottom, (r + 1) << 32);
            const uint64_t cover = static_cast<uint64_t>(hi - lo) >> 16;   // 1/65536 pixel
            const uint64_t w = (cover * along + 0x8000) >> 16;
            const uint32_t a = static_cast<uint32_t>((alpha * w + 0x8000) >> 16);
            TColor32& px = Steep ? bits[static_cast<size_t>(i) * stride + r] : bits[static_cast<size_t>(r) * stride + i];
            blend::MixInto(px, c, a);
        }
    }
}

// The plan of a line; Kind::None when it draws nothing in the calling thread's rows.
LinePlan PlanLineAA(const TBitmap32& bmp, const RowShare& share, double x1, double y1, double x2, double y2,
                    bool drawLast) {
    LinePlan plan;
    const TRect& clip = bmp.ClipRect();
    // A line that another thread's share holds costs nothing more here. Its pixels' centres lie
    // within 1.71 of its end points' y: half a pixel of the end's stretch, half a pixel on to
    // the centre of the last column, and half the band's width across (0.71 at 45 degrees), so
    // that a row of pixels, reaching half a pixel further, is within 2.21 of them.
    constexpr double Reach = 3;
    if (!share.Whole() && (std::max(y1, y2) + Reach < share.Top() || std::min(y1, y2) - Reach >= share.Bottom()))
        return plan;
    const double dx = x2 - x1, dy = y2 - y1;
    const bool steep = std::fabs(dy) > std::fabs(dx);
    const double major = steep ? dy : dx;
    if (major == 0) {
        if (drawLast) {
            plan.kind = LinePlan::Kind::Pixel;
            plan.x = static_cast<float>(x2), plan.y = static_cast<float>(y2);
        }
        return plan;
    }
    // The covered stretch of the major axis starts half a pixel before the first end point
    // and stops half a pixel before the last one (or after it, with drawLast), so that whole
    // end points give the pixels of the plain line and the segments of a path tile.
    const double k = 0.5 / std::fabs(major);
    x1 -= dx * k, y1 -= dy * k;
    const double endShift = drawLast ? k : -k;
    x2 += dx * endShift, y2 += dy * endShift;
    constexpr double Margin = 2;
    if (!ClipSegment(x1, y1, x2, y2, clip.Left - Margin, clip.Top - Margin, clip.Right + Margin,
                     clip.Bottom + Margin))
        return plan;
    if (steep) {
        if (y1 > y2) std::swap(x1, x2), std::swap(y1, y2);
        PlanBand<true>(bmp, share, y1, x1, y2, x2, plan);
    } else {
        if (x1 > x2) std::swap(x1, x2), std::swap(y1, y2);
        PlanBand<false>(bmp, share, x1, y1, x2, y2, plan);
    }
    return plan;
}

void DrawPlannedLine(TBitmap32& bmp, const RowShare& share, const LinePlan& plan, TColor32 c) {
    switch (plan.kind) {
    case LinePlan::Kind::None: return;
    case LinePlan::Kind::Pixel: bmp.SetPixelAA(plan.x, plan.y, c); return;
    case LinePlan::Kind::Flat: DrawBand<false>(bmp, share, plan, c); return;
    case LinePlan::Kind::Steep: DrawBand<true>(bmp, share, plan, c); return;
    }
}

void DrawLineAA(TBitmap32& bmp, double x1, double y1, double x2, double y2, TColor32 c, bool drawLast) {
    if (bmp.ClipRect().Empty() || AlphaOf(c) == 0) return;
    const RowShare share = RowShare::Of(bmp);
    DrawPlannedLine(bmp, share, PlanLineAA(bmp, share, x1, y1, x2, y2, drawLast), c);
}

}  // namespace

void TBitmap32::LineOpaque(int x1, int y1, int x2, int y2, TColor32 c, bool drawLastPixel) {
    const RowShare share = RowShare::Of(*this);
    BresenhamClipped(m_clip, x1, y1, x2, y2, drawLastPixel, [&](int x, int y) {
        if (share.Owns(y)) SetPixel(x, y, c);
    });
}

void TBitmap32::LineBlend(int x1, int y1, int x2, int y2, TColor32 c, bool drawLastPixel) {
    const uint32_t a = AlphaOf(c);
    if (a == 0) return;
    const RowShare share = RowShare::Of(*this);
    BresenhamClipped(m_clip, x1, y1, x2, y2, drawLastPixel, [&](int x, int y) {
        if (share.Owns(y)) blend::MixInto(ScanLine(y)[x], c, a);
    });
}

void TBitmap32::LineAA(TFixed x1, TFixed y1, TFixed x2, TFixed y2, TColor32 c, bool drawLastPixel) {
    DrawLineAA(*this, FixedToFloat(x1), FixedToFloat(y1), FixedToFloat(x2), FixedToFloat(y2), c, drawLastPixel);
}

void TBitmap32::PolylineAA(const TArrayOfFixedPoint& points, TColor32 c, bool closed) {
    if (points.size() < 2 || m_clip.Empty() || AlphaOf(c) == 0) return;
    const RowShare share = RowShare::Of(*this);
    // Like the plain polyline: each segment leaves its end to the next one.
    const size_t segments = closed ? points.size() : points.size() - 1;
    constexpr size_t Batch = 8;
    std::array<LinePlan, Batch> plans;
    for (size_t from = 0; from < segments; from += Batch) {
        const size_t n = std::min(Batch, segments - from);
        for (size_t j = 0; j < n; ++j) {
            const size_t i = from + j;
            const TFixedPoint& p = points[i];
            const TFixedPoint& q = points[i + 1 < points.size() ? i + 1 : 0];
            plans[j] = PlanLineAA(*this, share, FixedToFloat(p.X), FixedToFloat(p.Y), FixedToFloat(q.X),
                                  FixedToFloat(q.Y), !closed && i + 1 == segments);
        }
        for (size_t j = 0; j < n; ++j) DrawPlannedLine(*this, share, plans[j], c);
    }
}

void TBitmap32::LineAAF(float x1, float y1, float x2, float y2, TColor32 c, bool drawLastPixel) {
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2))) return;
    // To 1/65536 of a pixel like a fixed-point end point, where that is representable.
    auto snap = [](double v) { return std::fabs(v) < 1e9 ? std::nearbyint(v * 65536.0) / 65536.0 : v; };
    DrawLineAA(*this, snap(x1), snap(y1), snap(x2), snap(y2), c, drawLastPixel);
}

}  // namespace pax
