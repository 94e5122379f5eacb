#include "render/surface/bitmap32.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "render/surface/bitmap32_blend.h"
#include "render/surface/row_share.h"

namespace pax {

TRect IntersectRect(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (r.Empty()) return {};
    return r;
}

TColor32 BlendPixel(TColor32 source, TColor32 dest) {
    TColor32 out = dest;
    blend::MixInto(out, source, AlphaOf(source));
    return out;
}

TColor32 BlendPixelMaster(TColor32 source, TColor32 dest, uint8_t master) {
    TColor32 out = dest;
    blend::MixInto(out, source, blend::ScaleAlpha(AlphaOf(source), master));
    return out;
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

void TBitmap32::SwapPixels(TBitmap32& other) {
    if (&other == this) return;
    if (other.m_width != m_width || other.m_height != m_height) other.SetSize(m_width, m_height);
    m_bits.swap(other.m_bits);
}

void TBitmap32::Clear(TColor32 c) { std::fill(m_bits.begin(), m_bits.end(), c); }

void TBitmap32::ClearRows(int top, int bottom, TColor32 c) {
    top = std::clamp(top, 0, m_height);
    bottom = std::clamp(bottom, top, m_height);
    std::fill(m_bits.begin() + std::ptrdiff_t(top) * m_width, m_bits.begin() + std::ptrdiff_t(bottom) * m_width, c);
}

void TBitmap32::ResetAlpha() {
    for (TColor32& p : m_bits) p |= 0xFF000000;
}

TColor32 TBitmap32::PixelS(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return Pixel(x, y);
}

void TBitmap32::SetPixelBlend(int x, int y, TColor32 c) {
    if (x < m_clip.Left || x >= m_clip.Right || y < m_clip.Top || y >= m_clip.Bottom) return;
    if (!RowShare::Of(*this).Owns(y)) return;
    blend::MixInto(ScanLine(y)[x], c, AlphaOf(c));
}

namespace {

// The point (sx, sy), in 1/256 pixel with pixel centres on whole coordinates, spread over the
// up to four pixels it covers; the weights sum to the colour's alpha.
void SpreadPoint(TBitmap32& b, int64_t sx, int64_t sy, TColor32 c) {
    const TRect& clip = b.ClipRect();
    const int64_t px = sx >> 8, py = sy >> 8;
    if (clip.Empty() || AlphaOf(c) == 0) return;
    if (px + 1 < clip.Left || px >= clip.Right || py + 1 < clip.Top || py >= clip.Bottom) return;
    const uint32_t fx = sx & 0xFF, fy = sy & 0xFF;
    const uint32_t a = AlphaOf(c);
    const uint32_t wx[2] = {256 - fx, fx}, wy[2] = {256 - fy, fy};
    const RowShare share = RowShare::Of(b);
    for (int j = 0; j < 2; ++j) {
        const int64_t yy = py + j;
        if (wy[j] == 0 || yy < clip.Top || yy >= clip.Bottom || !share.Owns(static_cast<int>(yy))) continue;
        TColor32* row = b.ScanLine(static_cast<int>(yy));
        for (int i = 0; i < 2; ++i) {
            const int64_t xx = px + i;
            if (wx[i] == 0 || xx < clip.Left || xx >= clip.Right) continue;
            blend::MixInto(row[xx], c, (a * wx[i] * wy[j] + 0x8000) >> 16);
        }
    }
}

}  // namespace

void TBitmap32::SetPixelAA(float x, float y, TColor32 c) {
    // Far beyond any surface; the comparison also rejects NaN.
    constexpr float Limit = 1.0e9f;
    if (!(std::fabs(x) < Limit && std::fabs(y) < Limit)) return;
    SpreadPoint(*this, std::llround(x * 256.0), std::llround(y * 256.0), c);
}

void TBitmap32::SetPixelAAFixed(TFixed x, TFixed y, TColor32 c) {
    SpreadPoint(*this, (static_cast<int64_t>(x) + 0x80) >> 8, (static_cast<int64_t>(y) + 0x80) >> 8, c);
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
