#include "render/bitmap32.h"

#include <algorithm>
#include <cmath>

namespace pax {

TFixed Fixed(double v) { return static_cast<TFixed>(std::lround(v * 65536.0)); }

TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Empty()) return {};
    return r;
}

TBitmap32::TBitmap32(int width, int height) { SetSize(width, height); }

void TBitmap32::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == 0 || height == 0) width = height = 0;
    m_width = width;
    m_height = height;
    m_bits.assign(static_cast<size_t>(width) * height, 0);
    ResetClipRect();
}

void TBitmap32::Assign(const TBitmap32& source) {
    if (&source == this) return;
    m_width = source.m_width;
    m_height = source.m_height;
    m_bits = source.m_bits;
    DrawMode = source.DrawMode;
    CombineMode = source.CombineMode;
    MasterAlpha = source.MasterAlpha;
    OuterColor = source.OuterColor;
    Font = source.Font;
    ResetClipRect();
}

void TBitmap32::Clear(TColor32 c) { std::fill(m_bits.begin(), m_bits.end(), c); }

void TBitmap32::ResetAlpha() {
    for (TColor32& p : m_bits) p |= 0xFF000000;
}

TColor32 TBitmap32::PixelS(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return Pixel(x, y);
}

void TBitmap32::SetClipRect(const TRect& r) { m_clip = IntersectRect(r, {0, 0, m_width, m_height}); }

void TBitmap32::ResetClipRect() { m_clip = {0, 0, m_width, m_height}; }

void TBitmap32::EndUpdate() {
    if (m_updateCount > 0) --m_updateCount;
}

void TBitmap32::Changed() {
    if (m_updateCount == 0 && m_onChange) m_onChange();
}

}  // namespace pax
