#pragma once
// RowShare: the rows of one surface that the calling thread draws. Several threads can draw one
// picture at the same time when each takes its own band of rows: each pixel then has one
// writer, and as every thread goes through the same operations in the same order, each pixel
// ends exactly as if one thread had drawn them all. Only the pixel loops consult the share; the
// geometry (clipping, edge stepping, line slopes) is worked out for the whole surface as ever,
// which is what keeps the pictures equal to the last bit.
//
// The operations of points, lines, rectangles and polygons honour it, and stretched transfers
// (sprites). Text and plain transfers do not: their callers draw those on one thread with the
// whole surface.

#include <climits>

namespace pax {

class TBitmap32;

class RowShare {
public:
    // The calling thread's share of surface: every row unless a RowShareScope set one. Inline:
    // every line and polygon asks, and a short line costs little more than the call.
    static RowShare Of(const TBitmap32& surface);

    bool Owns(int row) const { return row >= m_top && row < m_bottom; }
    bool Whole() const { return m_top == INT_MIN && m_bottom == INT_MAX; }
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }

private:
    friend class RowShareScope;
    int m_top = INT_MIN;
    int m_bottom = INT_MAX;   // exclusive
};

namespace row_share_detail {
struct ActiveShare {
    const TBitmap32* surface = nullptr;
    RowShare share;
};
constinit inline thread_local ActiveShare active;
}  // namespace row_share_detail

inline RowShare RowShare::Of(const TBitmap32& surface) {
    const row_share_detail::ActiveShare& a = row_share_detail::active;
    return a.surface == &surface ? a.share : RowShare{};
}

// For its lifetime the calling thread draws the rows top .. bottom - 1 of surface (none when
// bottom <= top). Scopes do not nest.
class RowShareScope {
public:
    RowShareScope(const TBitmap32& surface, int top, int bottom);
    ~RowShareScope();
    RowShareScope(const RowShareScope&) = delete;
    RowShareScope& operator=(const RowShareScope&) = delete;
};

}  // namespace pax
