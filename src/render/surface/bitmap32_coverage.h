#pragma once
// Exact area coverage of even-odd polygons, the way the classic cell rasterisers compute it:
// every edge adds, to the pixel (cell) it passes through, its signed share of that pixel's
// area and, to the pixel after it, the rest of its height; a running sum along the row then
// gives the integral of the winding number over each pixel. Internal to TBitmap32.
//
// Units: coordinates in 1/256 pixel relative to the band's top-left corner, pixel (i, j)
// covering [256 i, 256 i + 256) x [256 j, 256 j + 256). A whole pixel of winding 1 sums to
// FullCover. The buffer is dense (one int per pixel of the band) and is left all zero after
// each sweep, so reusing it costs nothing. Sums are kept modulo 2^32: the even-odd rule needs
// them only modulo 2 FullCover, so wrapping on absurd edge counts changes nothing.

#include <cstdint>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/surface/row_share.h"

namespace pax {

class CoverageAccumulator {
public:
    static constexpr uint32_t FullCover = 2 * 256 * 256;

    // A band of width x height pixels, all coverage zero, whose top row is row top of a
    // surface of which the calling thread draws share: rows that are not its own gather nothing.
    void Begin(int width, int height, RowShare share = {}, int top = 0);
    // Any coordinates: what lies above, below or right of the band has no effect, what lies
    // left of it acts as a vertical edge on the band's left side.
    void AddEdge(int64_t x0, int64_t y0, int64_t x1, int64_t y1);
    // Blends colour c by the even-odd coverage into the band's pixels, the band's top-left
    // pixel being (left, top) of the surface; clears the buffer on the way.
    void Sweep(TBitmap32& surface, int left, int top, TColor32 c);

private:
    void ClipX(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int sign);
    void Rows(int64_t x0, int64_t y0, int64_t x1, int64_t y1, int sign);
    void Cells(int row, int xa, int ya, int xb, int yb, int sign);
    void Add(uint32_t* row, int cell, int fa, int fb, int dy) {
        row[cell] += static_cast<uint32_t>(dy * (512 - fa - fb));
        row[cell + 1] += static_cast<uint32_t>(dy * (fa + fb));
    }

    int m_width = 0, m_height = 0, m_stride = 0;
    int m_ownTop = 0, m_ownBottom = 0;   // the rows of the calling thread's share

    std::vector<uint32_t> m_cells;
    std::vector<int> m_rowMin, m_rowMax;   // touched cells per row, inclusive
};

}  // namespace pax
