// Transfers of one TBitmap32 onto another: plain and stretched (nearest neighbour), obeying
// the source's DrawMode and MasterAlpha and the destination's clip rectangle. Stretches write
// only the calling thread's share of the destination's rows.
//
// dmOpaque copies; dmBlend blends by the source alpha scaled by MasterAlpha / 255; dmTransparent
// copies every pixel except those equal to the source's OuterColor (a colour key); dmCustom has
// no custom combiner here and blends like dmBlend.

#include <algorithm>
#include <cstring>
#include <vector>

#include "render/surface/bitmap32.h"
#include "render/surface/bitmap32_blend.h"
#include "render/surface/row_share.h"

namespace pax {

namespace {

using Int128 = __int128;

// How source pixels combine with the destination's: a surface's DrawMode, MasterAlpha and
// OuterColor, or a blend by a given master alpha with the source's colours tinted.
struct Combine {
    TDrawMode mode;
    uint32_t masterAlpha;
    TColor32 outerColor;
    bool tinted = false;
    TColor32 tint = 0;   // red, green and blue; alpha 0

    static Combine Of(const TBitmap32& from) { return {from.DrawMode, from.MasterAlpha, from.OuterColor}; }
};

// Writes n source pixels into dest; sourceIndex maps each destination pixel to its source
// pixel (nullptr: one to one).
void CombineRow(TColor32* dest, const TColor32* source, const int* sourceIndex, int n, const Combine& how) {
    auto at = [&](int i) { return sourceIndex ? source[sourceIndex[i]] : source[i]; };
    switch (how.mode) {
        case TDrawMode::dmOpaque:
            if (!sourceIndex) {
                std::memmove(dest, source, sizeof(TColor32) * n);
                return;
            }
            for (int i = 0; i < n; ++i) dest[i] = at(i);
            return;
        case TDrawMode::dmTransparent:
            for (int i = 0; i < n; ++i) {
                const TColor32 s = at(i);
                if (s != how.outerColor) dest[i] = s;
            }
            return;
        case TDrawMode::dmBlend:
        case TDrawMode::dmCustom: {
            const uint32_t master = how.masterAlpha;
            if (master == 0) return;
            int i = 0;
#if defined(__SSE2__)
            // Sprites are blended by the thousand: four pixels at a time, the same bits.
            const __m128i tintMask = _mm_set1_epi32(how.tinted ? static_cast<int>(0xFF000000u) : -1);
            const __m128i tint = _mm_set1_epi32(how.tinted ? static_cast<int>(how.tint) : 0);
            const __m128i masterLanes = _mm_set1_epi32(static_cast<int>(master));
            for (; i + 4 <= n; i += 4) {
                __m128i s = _mm_set_epi32(static_cast<int>(at(i + 3)), static_cast<int>(at(i + 2)),
                                          static_cast<int>(at(i + 1)), static_cast<int>(at(i)));
                s = _mm_or_si128(_mm_and_si128(s, tintMask), tint);
                __m128i a = _mm_srli_epi32(s, 24);
                if (master != 255) a = blend::Div255Four(_mm_mullo_epi16(a, masterLanes));
                TColor32* const p = dest + i;
                const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(p), blend::MixFour(s, d, a));
            }
#endif
            for (; i < n; ++i) {
                TColor32 s = at(i);
                if (how.tinted) s = (s & 0xFF000000) | how.tint;
                const uint32_t a = master == 255 ? AlphaOf(s) : blend::ScaleAlpha(AlphaOf(s), master);
                blend::MixInto(dest[i], s, a);
            }
            return;
        }
    }
}

// The source when it is also the destination: drawing reads a copy so that overlapping
// rectangles are not read after being written.
const TBitmap32& SafeSource(const TBitmap32& source, const TBitmap32& dest, TBitmap32& copy) {
    if (&source != &dest) return source;
    copy.Assign(source);
    return copy;
}

// Destination pixel k (from the rectangle's start) samples source pixel
// start + floor((k + 1/2) sourceSize / destSize); pixels mapped outside the source are left
// alone. Only the calling thread's rows of dest are written.
void Stretch(const TBitmap32& self, TBitmap32& dest, const TRect& destRect, const TRect& source, const Combine& how) {
    if (self.Empty() || dest.ClipRect().Empty() || destRect.Empty() || source.Empty()) return;
    TRect d = IntersectRect(destRect, dest.ClipRect());
    const RowShare share = RowShare::Of(dest);
    d.Top = std::max(d.Top, share.Top());
    d.Bottom = std::min(d.Bottom, share.Bottom());
    if (d.Empty()) return;
    auto mapping = [](int from, int to, int destStart, int64_t destSize, int sourceStart, int64_t sourceSize, int limit) {
        std::vector<int> index(static_cast<size_t>(to - from));
        for (int i = from; i < to; ++i) {
            const Int128 k = int64_t(i) - destStart;
            const Int128 s = sourceStart + (Int128(2) * k + 1) * sourceSize / (Int128(2) * destSize);
            index[i - from] = (s < 0 || s >= limit) ? -1 : static_cast<int>(s);
        }
        return index;
    };
    const int64_t destW = int64_t(destRect.Right) - destRect.Left, destH = int64_t(destRect.Bottom) - destRect.Top;
    const int64_t srcW = int64_t(source.Right) - source.Left, srcH = int64_t(source.Bottom) - source.Top;
    std::vector<int> cols = mapping(d.Left, d.Right, destRect.Left, destW, source.Left, srcW, self.Width());
    const std::vector<int> rows = mapping(d.Top, d.Bottom, destRect.Top, destH, source.Top, srcH, self.Height());

    // The mapping is monotone, so the columns inside the source form one run.
    const auto firstValid = std::find_if(cols.begin(), cols.end(), [](int v) { return v >= 0; });
    if (firstValid == cols.end()) return;
    const auto lastValid = std::find_if(cols.rbegin(), cols.rend(), [](int v) { return v >= 0; }).base();
    const int offset = static_cast<int>(firstValid - cols.begin());
    const int count = static_cast<int>(lastValid - firstValid);

    TBitmap32 copy;
    const TBitmap32& from = SafeSource(self, dest, copy);
    for (int j = 0; j < d.Height(); ++j) {
        if (rows[j] < 0) continue;
        CombineRow(dest.ScanLine(d.Top + j) + d.Left + offset, from.ScanLine(rows[j]), cols.data() + offset, count, how);
    }
}

}  // namespace

void TBitmap32::DrawTo(TBitmap32& dest, int x, int y) const { DrawTo(dest, x, y, TRect{0, 0, m_width, m_height}); }

void TBitmap32::DrawTo(TBitmap32& dest, int x, int y, const TRect& source) const {
    const TRect s = IntersectRect(source, {0, 0, m_width, m_height});
    if (s.Empty() || dest.ClipRect().Empty()) return;
    // Where the visible part of the source rectangle lands.
    const int64_t dx = int64_t(x) + (s.Left - int64_t(source.Left));
    const int64_t dy = int64_t(y) + (s.Top - int64_t(source.Top));
    const TRect& clip = dest.ClipRect();
    const int64_t l = std::max<int64_t>(dx, clip.Left), t = std::max<int64_t>(dy, clip.Top);
    const int64_t r = std::min<int64_t>(dx + s.Width(), clip.Right), b = std::min<int64_t>(dy + s.Height(), clip.Bottom);
    if (l >= r || t >= b) return;

    TBitmap32 copy;
    const TBitmap32& from = SafeSource(*this, dest, copy);
    const int sx = static_cast<int>(s.Left + (l - dx)), sy = static_cast<int>(s.Top + (t - dy));
    for (int64_t row = t; row < b; ++row)
        CombineRow(dest.ScanLine(static_cast<int>(row)) + l, from.ScanLine(static_cast<int>(sy + (row - t))) + sx,
                   nullptr, static_cast<int>(r - l), Combine::Of(*this));
}

void TBitmap32::StretchTo(TBitmap32& dest, const TRect& destRect) const {
    StretchTo(dest, destRect, TRect{0, 0, m_width, m_height});
}

void TBitmap32::StretchTo(TBitmap32& dest, const TRect& destRect, const TRect& source) const {
    Stretch(*this, dest, destRect, source, Combine::Of(*this));
}

void TBitmap32::StretchBlendTo(TBitmap32& dest, const TRect& destRect, uint8_t masterAlpha, bool tinted,
                               TColor32 tint) const {
    Stretch(*this, dest, destRect, TRect{0, 0, m_width, m_height},
            {TDrawMode::dmBlend, masterAlpha, OuterColor, tinted, tint & 0x00FFFFFF});
}

}  // namespace pax
