// Rectangles and axis-parallel lines of TBitmap32.

#include <algorithm>
#include <utility>

#include "render/surface/bitmap32.h"
#include "render/surface/bitmap32_blend.h"
#include "render/surface/row_share.h"

namespace pax {

using blend::ClampCoord;

namespace {

// The part of [x1, x2) x [y1, y2) inside the clip rectangle; empty when reversed.
TRect ClippedBox(const TRect& clip, int x1, int y1, int x2, int y2) {
    return IntersectRect({ClampCoord(x1), ClampCoord(y1), ClampCoord(x2), ClampCoord(y2)}, clip);
}

}  // namespace

void TBitmap32::HorzLineBlend(int x1, int y, int x2, TColor32 c) {
    if (x1 > x2) std::swap(x1, x2);
    const TRect r = ClippedBox(m_clip, x1, y, ClampCoord(x2) + 1, ClampCoord(y) + 1);
    if (r.Empty() || !RowShare::Of(*this).Owns(r.Top)) return;
    blend::MixSpan(ScanLine(r.Top) + r.Left, r.Width(), c, AlphaOf(c));
}

void TBitmap32::VertLineBlend(int x, int y1, int y2, TColor32 c) {
    if (y1 > y2) std::swap(y1, y2);
    const TRect r = ClippedBox(m_clip, x, y1, ClampCoord(x) + 1, ClampCoord(y2) + 1);
    if (r.Empty() || AlphaOf(c) == 0) return;
    const RowShare share = RowShare::Of(*this);
    for (int y = r.Top; y < r.Bottom; ++y)
        if (share.Owns(y)) blend::MixInto(ScanLine(y)[r.Left], c, AlphaOf(c));
}

void TBitmap32::FillRectOpaque(int x1, int y1, int x2, int y2, TColor32 c) {
    const TRect r = ClippedBox(m_clip, x1, y1, x2, y2);
    if (r.Empty()) return;
    const RowShare share = RowShare::Of(*this);
    for (int y = r.Top; y < r.Bottom; ++y)
        if (share.Owns(y)) std::fill_n(ScanLine(y) + r.Left, r.Width(), c);
}

void TBitmap32::FillRectBlend(int x1, int y1, int x2, int y2, TColor32 c) {
    const uint32_t a = AlphaOf(c);
    if (a == 0) return;
    if (a == 255) {
        FillRectOpaque(x1, y1, x2, y2, c);
        return;
    }
    const TRect r = ClippedBox(m_clip, x1, y1, x2, y2);
    if (r.Empty()) return;
    const RowShare share = RowShare::Of(*this);
    for (int y = r.Top; y < r.Bottom; ++y)
        if (share.Owns(y)) blend::MixSpan(ScanLine(y) + r.Left, r.Width(), c, a);
}

void TBitmap32::FrameRectOpaque(int x1, int y1, int x2, int y2, TColor32 c) {
    x1 = ClampCoord(x1), y1 = ClampCoord(y1), x2 = ClampCoord(x2), y2 = ClampCoord(y2);
    if (x2 <= x1 || y2 <= y1) return;
    FillRectOpaque(x1, y1, x2, y1 + 1, c);
    FillRectOpaque(x1, y2 - 1, x2, y2, c);
    FillRectOpaque(x1, y1 + 1, x1 + 1, y2 - 1, c);
    FillRectOpaque(x2 - 1, y1 + 1, x2, y2 - 1, c);
}

}  // namespace pax
