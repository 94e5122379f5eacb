#include "render/windows/zbuffer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace pax {

namespace {

using Wide = __int128;

// The step counter of the line's minor axis after i steps, floor((A + B i) / D), with
// 0 <= A < D and B >= 0; it is 0 at step 0 and never falls. Its inverses give the steps at
// which the minor coordinate enters or leaves a range.
struct MinorCount {
    int64_t A, B, D;

    int64_t At(int64_t i) const { return static_cast<int64_t>((Wide(A) + Wide(B) * i) / D); }
    // The first step whose count is at least k; n + 1 when there is none.
    int64_t FirstAtLeast(int64_t k, int64_t n) const {
        if (k <= 0) return 0;
        if (B == 0) return n + 1;
        const Wide i = (Wide(k) * D - A + B - 1) / B;
        return i > n ? n + 1 : static_cast<int64_t>(i);
    }
    // The last step whose count is at most k; -1 when there is none.
    int64_t LastAtMost(int64_t k, int64_t n) const {
        if (k < 0) return -1;
        if (B == 0) return n;
        const Wide i = ((Wide(k) + 1) * D - A - 1) / B;
        return i > n ? n : static_cast<int64_t>(i);
    }
};

// A NaN depth (only from clipping a segment between infinite depths) counts as far.
int32_t FixedDepth(Extended depth) {
    if (std::isnan(depth)) return TZBuffer32::FarDepth;
    constexpr Extended lo = std::numeric_limits<int32_t>::min(), hi = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::lrint(std::clamp<Extended>(depth * 65536.0L, lo, hi)));
}

// Cuts the segment a-b to the box [lo, hi] (Liang-Barsky), depth interpolated; false when
// nothing is left.
bool ClipSegment(TZPointF& a, TZPointF& b, Extended xLo, Extended yLo, Extended xHi, Extended yHi) {
    const Extended dx = b.X - a.X, dy = b.Y - a.Y;
    Extended t0 = 0, t1 = 1;
    auto edge = [&](Extended p, Extended q) {
        if (p == 0) return q >= 0;
        const Extended t = q / p;
        if (p < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
        return true;
    };
    if (!edge(-dx, a.X - xLo) || !edge(dx, xHi - a.X) || !edge(-dy, a.Y - yLo) || !edge(dy, yHi - a.Y)) return false;
    const TZPointF from = a, to = b;
    auto at = [&](Extended t) {
        return TZPointF{from.X + t * dx, from.Y + t * dy, from.Depth + t * (to.Depth - from.Depth)};
    };
    a = at(t0);
    b = at(t1);
    return true;
}

// BlendColor(c, opaque black, w) for w in 0 .. 255, inlined for the per-pixel loop.
inline TColor32 Darken(TColor32 c, uint32_t w) {
    const uint32_t keep = 256 - w;
    return ((AlphaOf(c) * keep + 255 * w) >> 8) << 24 | ((RedOf(c) * keep) >> 8) << 16 |
           ((GreenOf(c) * keep) >> 8) << 8 | ((BlueOf(c) * keep) >> 8);
}

}  // namespace

void TZBuffer32::SetSize(int width, int height) {
    const int oldWidth = Width(), oldHeight = Height();
    m_colors.SetSize(width, height);
    if (Width() != oldWidth || Height() != oldHeight)
        m_depths.assign(static_cast<size_t>(Width()) * Height(), FarDepth);
    m_clean = false;
    Clear();
}

void TZBuffer32::Clear() {
    // Every picture without lines in depth clears the buffer too: 12 bytes a pixel that
    // need no writing when nothing was drawn since the last clear.
    if (m_clean) return;
    m_colors.Clear(0x00000000);
    std::fill(m_depths.begin(), m_depths.end(), FarDepth);
    std::fill(m_secondDepths.begin(), m_secondDepths.end(), FarDepth);
    m_clean = true;
}

void TZBuffer32::LineZ(const TZPoint& p1, const TZPoint& p2, TColor32 colour) {
    const int width = Width(), height = Height();
    if (width == 0) return;
    const int64_t dx = std::abs(int64_t(p2.X) - p1.X), dy = std::abs(int64_t(p2.Y) - p1.Y);
    if (dx == 0 && dy == 0) {
        if (p2.Z <= p1.Z)
            PlotZ(p2.X, p2.Y, colour, p2.Z);
        else
            PlotZ(p1.X, p1.Y, colour, p1.Z);
        return;
    }
    const TZPoint& s = p2.Y >= p1.Y ? p1 : p2;
    const TZPoint& f = p2.Y >= p1.Y ? p2 : p1;
    const int64_t n = std::max(dx, dy);
    const int xStep = f.X > s.X ? 1 : -1;
    const int64_t zStep = (int64_t(f.Z) - s.Z) / n;
    const int64_t e0 = n / 2;
    const bool xMajor = dx >= dy;

    // Closed forms of the walk: the major coordinate moves every step; the minor one has
    // moved Count.At(i) times after i steps, and the error term follows from both.
    const MinorCount count = xMajor ? MinorCount{dx - 1 - e0, dy, dx} : MinorCount{e0, dx, dy};
    const int64_t sx = s.X, sy = s.Y;
    int64_t lo = 0, hi = n, x = sx, y = sy, e = e0;
    const bool inside = f.X >= 0 && f.X < width && f.Y < height && s.X >= 0 && s.X < width && s.Y >= 0;
    if (!inside) {
        // The steps that land inside, as the intersection of one range per axis.
        auto keep = [&](int64_t from, int64_t to) {
            lo = std::max(lo, from);
            hi = std::min(hi, to);
        };
        auto keepMinor = [&](int64_t countLo, int64_t countHi) {
            keep(count.FirstAtLeast(countLo, n), count.LastAtMost(countHi, n));
        };
        if (xMajor) {
            if (xStep > 0)
                keep(-sx, width - 1 - sx);
            else
                keep(sx - (width - 1), sx);
            keepMinor(-sy, height - 1 - sy);
        } else {
            keep(-sy, height - 1 - sy);
            if (xStep > 0)
                keepMinor(-sx, width - 1 - sx);
            else
                keepMinor(sx - (width - 1), sx);
        }
        if (lo > hi) return;
        const int64_t moved = count.At(lo);
        if (xMajor) {
            x = sx + xStep * lo;
            y = sy + moved;
            e = static_cast<int64_t>(Wide(e0) + Wide(dx) * moved - Wide(dy) * lo);
        } else {
            x = sx + xStep * moved;
            y = sy + lo;
            e = static_cast<int64_t>(Wide(e0) + Wide(dx) * lo - Wide(dy) * moved);
        }
    }
    int64_t z = s.Z + lo * zStep;
    m_clean = false;
    int32_t* depths = m_depths.data();
    TColor32* colours = m_colors.Bits();
    std::ptrdiff_t i = static_cast<std::ptrdiff_t>(y) * width + x;
    auto plot = [&] {
        if (z < depths[i]) {
            depths[i] = static_cast<int32_t>(z);
            colours[i] = colour;
        }
    };
    plot();
    // The rule's two tests per step, knowing that the major coordinate moves on every step
    // (the error term stays within [0, max(dx, dy))).
    if (xMajor) {
        for (int64_t step = lo; step < hi; ++step) {
            if (dy > e) {
                e += dx;
                i += width;
            }
            e -= dy;
            i += xStep;
            z += zStep;
            plot();
        }
    } else {
        for (int64_t step = lo; step < hi; ++step) {
            e += dx;
            i += width;
            if (dy <= e) {
                e -= dy;
                i += xStep;
            }
            z += zStep;
            plot();
        }
    }
}

void TZBuffer32::LineZ(const TZPointF& p1, const TZPointF& p2, TColor32 colour) {
    if (Width() == 0) return;
    if (!std::isfinite(p1.X) || !std::isfinite(p1.Y) || !std::isfinite(p2.X) || !std::isfinite(p2.Y) ||
        std::isnan(p1.Depth) || std::isnan(p2.Depth))
        return;
    TZPointF a = p1, b = p2;
    constexpr Extended Far = Extended(1 << 30);
    const bool far = std::fabs(a.X) > Far || std::fabs(a.Y) > Far || std::fabs(b.X) > Far || std::fabs(b.Y) > Far;
    if (far) {
        // Far ends of the extended range overflow the differences; such segments are dropped.
        if (!ClipSegment(a, b, -2, -2, Width() + 1, Height() + 1)) return;
        if (!std::isfinite(a.X) || !std::isfinite(a.Y) || !std::isfinite(b.X) || !std::isfinite(b.Y)) return;
    }
    LineZ(TZPoint{static_cast<int32_t>(std::lrint(a.X)), static_cast<int32_t>(std::lrint(a.Y)), FixedDepth(a.Depth)},
          TZPoint{static_cast<int32_t>(std::lrint(b.X)), static_cast<int32_t>(std::lrint(b.Y)), FixedDepth(b.Depth)},
          colour);
}

void TZBuffer32::Compose(TBitmap32& destination, int32_t divisor) const {
    const int64_t k = divisor == 0 ? 1 : divisor;
    const int width = Width(), height = Height();
    TColor32 previous = 0;
    for (int y = 0; y + 1 < height; ++y) {
        const TColor32* row = m_colors.ScanLine(y);
        const int32_t* z = m_depths.data() + static_cast<size_t>(y) * width;
        const int32_t* below = z + width;
        TColor32* out = y < destination.Height() ? destination.ScanLine(y) : nullptr;
        const int outWidth = out ? destination.Width() : 0;
        for (int x = 0; x + 2 < width; ++x) {
            const TColor32 c = row[x];
            if (c != 0 && x < outWidth) {
                if (previous == 0) {
                    out[x] = c;
                } else {
                    // A neighbour that no line covers holds the far depth; taking it would
                    // turn every thin line black, so it adds no slope.
                    const TColor32* rowBelow = m_colors.ScanLine(y + 1);
                    const int64_t right = row[x + 1] != 0 ? z[x + 1] : z[x];
                    const int64_t down = rowBelow[x] != 0 ? below[x] : z[x];
                    const int64_t g = (right - z[x]) + (down - z[x]);
                    const int64_t w = std::clamp<int64_t>(g / k + 127, 0, 255);
                    out[x] = Darken(c, static_cast<uint32_t>(w));
                }
            }
            previous = c;
        }
    }
    destination.Changed();
}

}  // namespace pax
