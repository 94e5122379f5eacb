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

struct PartRows {
    int top = 0, bottom = 0;   // bottom exclusive; no rows when bottom <= top
    float work = 0;            // about the nanoseconds it takes to draw

    bool Meets(int bandTop, int bandBottom) const { return top < bottom && top < bandBottom && bottom > bandTop; }
};

// Conservative: the rows of the part's screen coordinates widened by what antialiasing and
// rounding add; every row when a coordinate is not a number.
PartRows RowsOfPart(const tPartHeader& part);

// Band boundaries, bands + 1 of them rising from INT_MIN to INT_MAX: band k is the rows
// bounds[k] .. bounds[k + 1] - 1. Each part's work is spread evenly over its rows on the
// surface (height rows), and every band gets about the same share of the whole.
std::vector<int> SplitRows(std::span<const PartRows> parts, int height, int bands);

}  // namespace pax
