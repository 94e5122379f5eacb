#include "render/windows/part_rows.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "render/windows/object_window.h"

namespace pax {
namespace {

TEST(PartRows, APartsRowsHoldAllItCanTouch) {
    tLinePart line;
    line.Type = PartType::Line;
    line.StartX = 10, line.StartY = 40.5, line.EndX = 90, line.EndY = 12.25;
    const PartRows rows = RowsOfPart(line);
    EXPECT_LE(rows.top, 12 - 1);
    EXPECT_GE(rows.bottom, 41 + 2);
    EXPECT_LE(rows.bottom - rows.top, 29 + 8);   // a margin, not the whole surface
    EXPECT_GT(rows.work, 0);

    tCirclePart circle;
    circle.Type = PartType::Circle;
    circle.X = 50, circle.Y = 100, circle.Rx = 30, circle.Ry = -20;   // a radius may be negative
    const PartRows round = RowsOfPart(circle);
    EXPECT_LE(round.top, 80 - 1);
    EXPECT_GE(round.bottom, 120 + 2);

    // The columns the same way, from ends in either order.
    const PartColumns across = ReachOfPart(line).columns;
    EXPECT_LE(across.left, 10 - 1);
    EXPECT_GE(across.right, 91 + 1);
    EXPECT_LE(across.right - across.left, 81 + 8);
    std::swap(line.StartX, line.EndX);
    EXPECT_EQ(ReachOfPart(line).columns.left, across.left);
    EXPECT_EQ(ReachOfPart(line).columns.right, across.right);
    const PartColumns wide = ReachOfPart(circle).columns;
    EXPECT_LE(wide.left, 20 - 1);
    EXPECT_GE(wide.right, 80 + 2);

    // A coordinate that is not a number may touch anything; an empty part touches nothing.
    line.EndY = std::nan("");
    EXPECT_TRUE(RowsOfPart(line).Meets(-1000000, -999999));
    EXPECT_TRUE(RowsOfPart(line).Meets(999999, 1000000));
    line.EndY = 12.25, line.StartX = std::nan("");
    EXPECT_EQ(ReachOfPart(line).columns.left, INT_MIN);
    EXPECT_EQ(ReachOfPart(line).columns.right, INT_MAX);
    tPartHeader empty;
    empty.Type = PartType::Empty;
    EXPECT_FALSE(RowsOfPart(empty).Meets(INT_MIN, INT_MAX));
    EXPECT_GE(ReachOfPart(empty).columns.left, ReachOfPart(empty).columns.right);
}

// The boundaries of bands of equal shares.
std::vector<int> EqualBands(const std::vector<PartRows>& parts, int height, int bands) {
    return SplitRows(parts, height, std::vector<double>(static_cast<size_t>(bands), 1.0 / bands)).bounds;
}

TEST(PartRows, BandsShareTheWorkAndCoverEveryRow) {
    // Equal parts on every row of the lower half: two bands split it in the middle.
    std::vector<PartRows> parts;
    for (int row = 100; row < 200; ++row) parts.push_back({row, row + 1, 50});
    const std::vector<int> two = EqualBands(parts, 200, 2);
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two.front(), INT_MIN);
    EXPECT_EQ(two.back(), INT_MAX);
    EXPECT_NEAR(two[1], 150, 1);

    // One heavy part among light ones draws a boundary at its edge; the bands always rise.
    parts.push_back({20, 30, 10000});
    const std::vector<int> four = EqualBands(parts, 200, 4);
    for (size_t k = 1; k < four.size(); ++k) EXPECT_LE(four[k - 1], four[k]);
    EXPECT_GE(four[1], 20);
    EXPECT_LE(four[1], 30);

    // Unequal shares of the same parts: a quarter of the work above the boundary, and the
    // bands' work is all of it.
    parts.pop_back();
    const double quarter[] = {0.25, 0.75};
    const RowSplit split = SplitRows(parts, 200, quarter);
    EXPECT_NEAR(split.bounds[1], 125, 1);
    ASSERT_EQ(split.work.size(), 2u);
    EXPECT_NEAR(split.work[0], 1250, 50);
    EXPECT_NEAR(split.work[0] + split.work[1], 5000, 1e-6);

    // A small share over tall parts: rows above the figure would cut none of them, but the
    // band keeps at least half of its share, or its thread would have nothing to be timed by.
    const std::vector<PartRows> tall(300, PartRows{100, 200, 50});
    const double tenth[] = {0.1, 0.9};
    const RowSplit small = SplitRows(tall, 200, tenth);
    EXPECT_GE(small.work[0], 0.05 * 15000);
    EXPECT_LE(small.work[0], 0.15 * 15000);

    // Nothing to share, or one band: the whole surface.
    EXPECT_EQ(EqualBands({}, 200, 2).size(), 3u);
    EXPECT_EQ(EqualBands(parts, 200, 1), (std::vector<int>{INT_MIN, INT_MAX}));
    EXPECT_EQ(EqualBands(parts, 0, 2).back(), INT_MAX);
}

}  // namespace
}  // namespace pax
