// Polygons of TBitmap32: even-odd fills (plain and antialiased) and polylines.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/surface/bitmap32_blend.h"
#include "render/surface/bitmap32_coverage.h"
#include "render/surface/row_share.h"

namespace pax {

namespace {

using Int128 = __int128;

Int128 FloorDiv(Int128 a, Int128 b) {   // b > 0
    const Int128 q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

Int128 CeilDiv(Int128 a, Int128 b) { return -FloorDiv(-a, b); }

// One edge of the plain fill. The scan line of row j samples the pixel centres y = j; the
// edge crosses it when y0 <= j < y1 (16.16), at x = x0 + (x1 - x0)(j - y0)/(y1 - y0). The
// fill takes the pixels i with left crossing <= i < right crossing, so it keeps the first
// pixel index at or right of the crossing, ceil(x), exactly: `start` and `rest` hold
// ceil(N / D) and its remainder (N = start D - rest, 0 <= rest < D) and step by S / D per row.
struct ScanEdge {
    int firstRow = 0, lastRow = 0;
    int64_t start = 0, rest = 0;
    int64_t stepQuot = 0, stepRem = 0, denom = 1;

    void Step() {
        start += stepQuot;
        rest -= stepRem;
        const int64_t borrow = rest >> 63;   // -1 when rest went negative (no branch to mispredict)
        rest += denom & borrow;
        start -= borrow;
    }
};

bool MakeScanEdge(TFixedPoint a, TFixedPoint b, int topRow, int bottomRow, ScanEdge& e) {
    if (a.Y == b.Y) return false;
    if (a.Y > b.Y) std::swap(a, b);
    const int64_t x0 = a.X, y0 = a.Y, dx = int64_t(b.X) - a.X, dy = int64_t(b.Y) - a.Y;
    e.firstRow = static_cast<int>(std::max<Int128>(CeilDiv(y0, FixedOne), topRow));
    e.lastRow = static_cast<int>(std::min<Int128>(CeilDiv(b.Y, FixedOne) - 1, bottomRow));
    if (e.firstRow > e.lastRow) return false;
    // Crossing at firstRow: N / D with N = x0 dy + dx (j 65536 - y0), D = dy 65536.
    const Int128 d = Int128(dy) * FixedOne;
    const Int128 n = Int128(x0) * dy + Int128(dx) * (Int128(e.firstRow) * FixedOne - y0);
    const Int128 q = CeilDiv(n, d);
    e.denom = static_cast<int64_t>(d);
    e.start = static_cast<int64_t>(q);
    e.rest = static_cast<int64_t>(q * d - n);
    const Int128 s = Int128(dx) * FixedOne;   // change of N per row
    const Int128 sq = FloorDiv(s, d);
    e.stepQuot = static_cast<int64_t>(sq);
    e.stepRem = static_cast<int64_t>(s - sq * d);
    return true;
}

// The antialiased fill works in 1/256 pixel with the pixel centres moved to the half
// coordinates: v 16.16 -> round(v / 256) + 128.
int64_t ToCoverageUnits(TFixed v) { return (int64_t(v) + 0x80 + 0x8000) >> 8; }

// Cells of coverage kept at once; taller polygons are swept in bands of rows.
constexpr int64_t MaxBandCells = int64_t(1) << 20;

}  // namespace

void TBitmap32::FillPolygon(const TArrayOfFixedPoint& points, TColor32 c) {
    const uint32_t a = AlphaOf(c);
    if (points.size() < 3 || a == 0 || m_clip.Empty()) return;
    thread_local std::vector<ScanEdge> edgeStore, activeStore;
    std::vector<ScanEdge>& edges = edgeStore;
    std::vector<ScanEdge>& active = activeStore;   // sorted by crossing, left to right
    edges.clear();
    active.clear();
    // Only the rows of the calling thread's share: an edge's crossing is exact at any row, so
    // it may as well start there.
    const RowShare share = RowShare::Of(*this);
    const int topRow = std::max(m_clip.Top, share.Top());
    const int bottomRow = static_cast<int>(std::min<int64_t>(m_clip.Bottom, share.Bottom())) - 1;
    if (topRow > bottomRow) return;
    for (size_t i = 0; i < points.size(); ++i) {
        ScanEdge e;
        if (MakeScanEdge(points[i], points[(i + 1) % points.size()], topRow, bottomRow, e)) edges.push_back(e);
    }
    if (edges.empty()) return;
    std::sort(edges.begin(), edges.end(), [](const ScanEdge& l, const ScanEdge& r) { return l.firstRow < r.firstRow; });

    size_t next = 0;
    for (int row = edges.front().firstRow; row <= bottomRow; ++row) {
        if (active.empty()) {
            if (next == edges.size()) break;
            row = edges[next].firstRow;
        }
        while (next < edges.size() && edges[next].firstRow == row) active.push_back(edges[next++]);
        // The order changes little from row to row, so insertion sort does almost nothing.
        for (size_t i = 1; i < active.size(); ++i)
            for (size_t j = i; j > 0 && active[j - 1].start > active[j].start; --j) std::swap(active[j - 1], active[j]);
        TColor32* line = ScanLine(row);
        for (size_t k = 0; k + 1 < active.size(); k += 2) {
            const int64_t x0 = std::max<int64_t>(active[k].start, m_clip.Left);
            const int64_t x1 = std::min<int64_t>(active[k + 1].start, m_clip.Right);
            if (x0 < x1) blend::MixSpan(line + x0, static_cast<int>(x1 - x0), c, a);
        }
        size_t kept = 0;
        for (size_t i = 0; i < active.size(); ++i) {
            if (active[i].lastRow == row) continue;
            active[i].Step();
            if (kept != i) active[kept] = active[i];
            ++kept;
        }
        active.resize(kept);
    }
}

void TBitmap32::FillPolygonAA(const TArrayOfFixedPoint& points, TColor32 c) {
    if (points.size() < 3 || AlphaOf(c) == 0 || m_clip.Empty()) return;
    int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    for (const TFixedPoint& p : points) {
        const int64_t x = ToCoverageUnits(p.X), y = ToCoverageUnits(p.Y);
        minX = std::min(minX, x), maxX = std::max(maxX, x);
        minY = std::min(minY, y), maxY = std::max(maxY, y);
    }
    // Pixels that can be touched, limited to the clip rectangle. Edges left of it still count
    // (the accumulator folds them onto its left side).
    const int left = static_cast<int>(std::max<int64_t>(minX >> 8, m_clip.Left));
    const int right = static_cast<int>(std::min<int64_t>((maxX + 255) >> 8, m_clip.Right));
    const int top = static_cast<int>(std::max<int64_t>(minY >> 8, m_clip.Top));
    const int bottom = static_cast<int>(std::min<int64_t>((maxY + 255) >> 8, m_clip.Bottom));
    if (left >= right || top >= bottom) return;

    thread_local CoverageAccumulator acc;
    const RowShare share = RowShare::Of(*this);
    const int width = right - left;
    const int bandRows = static_cast<int>(std::max<int64_t>(1, MaxBandCells / (width + 2)));
    for (int bandTop = top; bandTop < bottom; bandTop += bandRows) {
        const int rows = std::min(bandRows, bottom - bandTop);
        if (bandTop >= share.Bottom() || bandTop + rows <= share.Top()) continue;
        acc.Begin(width, rows, share, bandTop);
        const int64_t ox = int64_t(left) * 256, oy = int64_t(bandTop) * 256;
        for (size_t i = 0; i < points.size(); ++i) {
            const TFixedPoint& p = points[i];
            const TFixedPoint& q = points[i + 1 < points.size() ? i + 1 : 0];
            acc.AddEdge(ToCoverageUnits(p.X) - ox, ToCoverageUnits(p.Y) - oy, ToCoverageUnits(q.X) - ox,
                        ToCoverageUnits(q.Y) - oy);
        }
        acc.Sweep(*this, left, bandTop, c);
    }
}

void TBitmap32::Polyline(const TArrayOfFixedPoint& points, TColor32 c, bool closed) {
    if (points.empty() || m_clip.Empty() || AlphaOf(c) == 0) return;
    // Each segment leaves out its last pixel, which the next one starts with.
    const size_t segments = closed ? points.size() : points.size() - 1;
    for (size_t i = 0; i < segments; ++i) {
        const TFixedPoint& p = points[i];
        const TFixedPoint& q = points[(i + 1) % points.size()];
        LineBlend(FixedRound(p.X), FixedRound(p.Y), FixedRound(q.X), FixedRound(q.Y), c, false);
    }
    if (!closed) SetPixelBlend(FixedRound(points.back().X), FixedRound(points.back().Y), c);
}

}  // namespace pax
