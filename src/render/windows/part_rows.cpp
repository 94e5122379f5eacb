#include "render/windows/part_rows.h"

#include <algorithm>
#include <cmath>

#include "render/windows/object_window.h"
#include "scene/plane_obj.h"

namespace pax {

namespace {

// Antialiased lines reach less than a pixel and a half beyond their end points' rows and
// columns, points one row below and one column right of theirs.
constexpr double RowMargin = 2;
constexpr double FarRow = 1e9;

// What drawing a part costs, in nanoseconds as measured on one core: a fixed part, the steps
// of a line, the edges of a polygon (each an antialiased outline) and the pixels of a fill.
constexpr float PartCost = 200;
constexpr float LineStepCost = 10;
constexpr float EdgeCost = 150;
constexpr float PixelCost = 10;

// What a part costs again when a band boundary cuts it and two bands draw it.
constexpr double CutCost = 600;

PartRows EveryRow() { return {INT_MIN, INT_MAX, PartCost}; }
PartReach Everywhere() { return {EveryRow(), {INT_MIN, INT_MAX}}; }

// std::floor for |v| <= FarRow, without the call into the maths library.
int FloorToInt(double v) {
    const int i = static_cast<int>(v);
    return i - (v < i);
}

// The pixels from lo to hi >= lo along one axis, widened by the margin: first .. end - 1.
struct Pixels {
    int first, end;
};
Pixels PixelsOf(double lo, double hi) {
    lo -= RowMargin;
    hi += RowMargin;
    return {lo < -FarRow ? INT_MIN : FloorToInt(lo), hi > FarRow ? INT_MAX : 1 - FloorToInt(-hi)};
}

// The rows from lo to hi (widened by the margin), with the cost given by their extent.
template <class Cost>
PartRows Rows(double lo, double hi, Cost cost) {
    if (!(lo <= hi)) return EveryRow();   // NaN
    const double rows = std::min(hi - lo, FarRow);
    const Pixels p = PixelsOf(lo, hi);
    return {p.first, p.end, PartCost + cost(static_cast<float>(rows))};
}

// The same for two ends in either order.
template <class Cost>
PartRows Rows2(double a, double b, Cost cost) {
    if (std::isnan(a) || std::isnan(b)) return EveryRow();
    return Rows(std::min(a, b), std::max(a, b), cost);
}

// The columns from lo to hi, and from a to b in either order, as the rows.
PartColumns Columns(double lo, double hi) {
    if (!(lo <= hi)) return {INT_MIN, INT_MAX};   // NaN
    const Pixels p = PixelsOf(lo, hi);
    return {p.first, p.end};
}
PartColumns Columns2(double a, double b) { return a <= b ? Columns(a, b) : Columns(b, a); }

float Area(double width, double height) {
    return PixelCost * static_cast<float>(std::min(std::fabs(width * height), FarRow));
}
float LineSteps(double width, double height) {
    return LineStepCost * static_cast<float>(std::min(std::max(std::fabs(width), std::fabs(height)), FarRow));
}

PartReach PolygonReach(const tPolygonPart& p) {
    const int32_t count = std::clamp(p.Count2d, 0, MaxPlanePoints);
    if (count == 0) return {};
    const tPoint2f* points = p.Points2d();
    float top = points[0].y, bottom = points[0].y, left = points[0].x, right = points[0].x;
    for (int32_t i = 1; i < count; ++i) {
        const tPoint2f q = points[i];
        if (std::isnan(q.x) || std::isnan(q.y)) return Everywhere();
        top = std::min(top, q.y), bottom = std::max(bottom, q.y);
        left = std::min(left, q.x), right = std::max(right, q.x);
    }
    const double width = double(right) - left;
    return {Rows(top, bottom,
                 [&](float rows) { return count == 2 ? LineSteps(width, rows) : EdgeCost * count + Area(width, rows); }),
            Columns(left, right)};
}

}  // namespace

PartReach ReachOfPart(const tPartHeader& part) {
    switch (part.Type) {
    case PartType::Empty: return {};
    case PartType::Point: {
        const auto& p = static_cast<const tPointPart&>(part);
        return {Rows(p.Y, p.Y, [](float) { return 0.0f; }), Columns(p.X, p.X)};
    }
    case PartType::Line: {
        const auto& p = static_cast<const tLinePart&>(part);
        const double width = p.EndX - p.StartX;
        return {Rows2(p.StartY, p.EndY, [&](float rows) { return LineSteps(width, rows); }),
                Columns2(p.StartX, p.EndX)};
    }
    case PartType::Box: {
        const auto& p = static_cast<const tBoxPart&>(part);
        const double width = p.X2 - p.X1;
        return {Rows2(p.Y1, p.Y2, [&](float rows) { return Area(width, rows); }), Columns2(p.X1, p.X2)};
    }
    case PartType::Circle: {
        const auto& p = static_cast<const tCirclePart&>(part);
        const double r = std::fabs(p.Ry), rx = std::fabs(p.Rx);
        return {Rows(p.Y - r, p.Y + r,
                     [&](float rows) { return EdgeCost * ObjectWindow::EllipseVertices + 0.8f * Area(2 * p.Rx, rows); }),
                Columns(p.X - rx, p.X + rx)};
    }
    case PartType::Polygon: return PolygonReach(static_cast<const tPolygonPart&>(part));
    case PartType::Sprite: {
        const auto& p = static_cast<const tSpritePart&>(part);
        const double width = double(p.Right) - p.Left;
        return {Rows2(p.Top, p.Bottom, [&](float rows) { return 0.5f * Area(width, rows); }),
                Columns2(p.Left, p.Right)};
    }
    default: return Everywhere();
    }
}

PartRows RowsOfPart(const tPartHeader& part) { return ReachOfPart(part).rows; }

RowSplit SplitRows(std::span<const PartRows> parts, int height, std::span<const double> fractions) {
    RowSplit split;
    SplitRows(parts, height, fractions, split);
    return split;
}

void SplitRows(std::span<const PartRows> parts, int height, std::span<const double> fractions, RowSplit& split) {
    const size_t bands = std::max<size_t>(fractions.size(), 1);
    split.bounds.assign(bands + 1, 0);
    split.bounds.front() = INT_MIN;
    split.bounds.back() = INT_MAX;
    split.work.assign(bands, 0);
    const size_t rows = static_cast<size_t>(std::max(height, 1));
    // Work per row, and the parts that a boundary above each row cuts, both by differences: a
    // part adds its work per row where it begins and takes it away where it ends.
    std::vector<double>& workChange = split.rowWork;
    std::vector<int>& cutChange = split.rowCuts;
    workChange.assign(rows + 1, 0);
    cutChange.assign(rows + 1, 0);
    double total = 0;
    for (const PartRows& part : parts) {
        const int top = std::clamp(part.top, 0, static_cast<int>(rows));
        const int bottom = std::clamp(part.bottom, 0, static_cast<int>(rows));
        if (top >= bottom) continue;
        const double work = std::isfinite(part.work) ? part.work : PartCost;
        workChange[static_cast<size_t>(top)] += work / (bottom - top);
        workChange[static_cast<size_t>(bottom)] -= work / (bottom - top);
        total += work;
        if (bottom - top >= 2) {
            ++cutChange[static_cast<size_t>(top) + 1];
            --cutChange[static_cast<size_t>(bottom)];
        }
    }
    if (bands == 1) {
        split.work[0] = total;
        return;
    }
    // before[r]: the work of the rows above row r; cut[r]: the parts a boundary there cuts.
    std::vector<double>& before = split.workAbove;
    std::vector<int>& cut = split.cutsAt;
    before.assign(rows + 1, 0);
    cut.assign(rows + 1, 0);
    double perRow = 0;
    int cuts = 0;
    for (size_t r = 0; r <= rows; ++r) {
        if (r > 0) before[r] = before[r - 1] + perRow;
        if (r < rows) perRow += workChange[r];
        cuts += cutChange[r];
        cut[r] = cuts;
    }
    // Each boundary near its share of the work, moved a little to where it cuts fewer parts.
    const size_t slack = std::max<size_t>(1, rows / (4 * bands));
    size_t previous = 0;
    double share = 0;
    for (size_t k = 1; k < bands; ++k) {
        share += fractions[k - 1];
        const double goal = total * share;
        const size_t aim = static_cast<size_t>(std::lower_bound(before.begin(), before.end(), goal) - before.begin());
        const size_t lo = std::max(previous, aim > slack ? aim - slack : 0), hi = std::min(rows, aim + slack);
        size_t best = std::max(previous, std::min(aim, rows));
        double bestScore = INFINITY;
        // Never so far that the band above loses half of its own share: a small share would
        // move to empty rows above the figure, and a band with nothing to draw is never timed.
        const double leeway = 0.5 * fractions[k - 1] * total;
        for (size_t r = lo; r <= hi; ++r) {
            if (std::fabs(before[r] - goal) > leeway && r != best) continue;
            const double score = cut[r] * CutCost + std::fabs(before[r] - goal);
            if (score < bestScore) bestScore = score, best = r;
        }
        split.bounds[k] = static_cast<int>(best);
        split.work[k - 1] = before[best] - before[previous];
        previous = best;
    }
    split.work[bands - 1] = before[rows] - before[previous];
}

}  // namespace pax
