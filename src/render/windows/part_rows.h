#pragma once
// The surface rows a part of the object window can touch, and the split of a run of parts into
// bands of rows of about equal work for the drawing threads. A part that lies wholly in one
// band is drawn there alone; one that crosses a boundary is drawn in each band it touches,
// each time on that band's rows only.

#include <climits>
#include <span>
#include <vector>

#include "render/windows/part_list.h"

namespace pax {

// Conservative: the rows and columns of the part's screen coordinates widened by what
// antialiasing and rounding add; every one when a coordinate is not a number.
struct PartReach {
    PartRows rows;
    PartColumns columns;
};
PartReach ReachOfPart(const tPartHeader& part);
PartRows RowsOfPart(const tPartHeader& part);

struct RowSplit {
    // bands + 1 boundaries rising from INT_MIN to INT_MAX: band k is the rows bounds[k] ..
    // bounds[k + 1] - 1.
    std::vector<int> bounds;
    std::vector<double> work;   // of each band, by the parts' estimates
    // The rows' work and cuts, kept from split to split: a picture's split allocates nothing.
    std::vector<double> rowWork, workAbove;
    std::vector<int> rowCuts, cutsAt;
};

// Bands of rows for the parts, one per fraction: each part's work is spread evenly over its
// rows on the surface (height rows), and band k gets about fractions[k] of the whole (the
// fractions add up to 1). Into split, in the memory it has.
void SplitRows(std::span<const PartRows> parts, int height, std::span<const double> fractions, RowSplit& split);
RowSplit SplitRows(std::span<const PartRows> parts, int height, std::span<const double> fractions);

}  // namespace pax
