#pragma once
// Pixel arithmetic shared by the drawing operations of TBitmap32. Internal to the surface.
//
// The blend of S over D with weight a (0..255) is (S a + D (255 - a)) / 255 per channel,
// rounded to nearest. The alpha channel follows the same formula with S = 255, so the result's
// alpha is a + D.a (255 - a) / 255: an opaque destination stays opaque, and a transparent one
// takes the weight as its alpha.

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/color32.h"

namespace pax::blend {

// Two 16-bit lanes at once: each lane holds x in 0..65025 and becomes round(x / 255).
inline uint32_t Div255Lanes(uint32_t x) {
    x += 0x00800080;
    return ((x + ((x >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
}

inline uint32_t Div255(uint32_t x) {
    x += 128;
    return (x + (x >> 8)) >> 8;
}

// S over D with weight a; S's own alpha is ignored (the caller folded it into a).
inline TColor32 Mix(TColor32 s, TColor32 d, uint32_t a) {
    const uint32_t ia = 255 - a;
    const uint32_t rb = Div255Lanes((s & 0x00FF00FF) * a + (d & 0x00FF00FF) * ia);
    const uint32_t ag = Div255Lanes((((s >> 8) & 0x00FF00FF) | 0x00FF0000) * a + ((d >> 8) & 0x00FF00FF) * ia);
    return rb | (ag << 8);
}

// Blends in place with weight a, taking the shortcuts for the two exact ends.
inline void MixInto(TColor32& d, TColor32 s, uint32_t a) {
    if (a == 0) return;
    if (a == 255) {
        d = s | 0xFF000000;
        return;
    }
    d = Mix(s, d, a);
}

#if defined(__SSE2__)
// Mix for four pixels at once, d[k] = Mix(s[k], d[k], a[k]) to the bit, a[k] in 0..255 in
// the 32-bit lanes of a. With no shortcuts for a = 0 and a = 255: the formula gives exactly d
// and exactly s | 0xFF000000 there. Each channel becomes a 16-bit lane, whose sum
// s a + d (255 - a) + 128 plus its upper byte stays below 65536, so the division by 255 is
// that of Div255 lane by lane.
inline __m128i MixFour(__m128i s, __m128i d, __m128i a) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(255), half = _mm_set1_epi16(128);
    s = _mm_or_si128(s, _mm_set1_epi32(static_cast<int>(0xFF000000u)));   // the alpha channel mixes 255
    // a per channel: the weight of pixel k in the four lanes of its channels.
    const __m128i a16 = _mm_packs_epi32(a, a);   // a0 a1 a2 a3 a0 a1 a2 a3
    const __m128i pairs = _mm_unpacklo_epi16(a16, a16);   // a0 a0 a1 a1 a2 a2 a3 a3
    const __m128i aLow = _mm_unpacklo_epi32(pairs, pairs), aHigh = _mm_unpackhi_epi32(pairs, pairs);
    const auto mixHalf = [&](__m128i s16, __m128i d16, __m128i w) {
        __m128i x = _mm_add_epi16(_mm_mullo_epi16(s16, w), _mm_mullo_epi16(d16, _mm_sub_epi16(full, w)));
        x = _mm_add_epi16(x, half);
        return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    };
    const __m128i low = mixHalf(_mm_unpacklo_epi8(s, zero), _mm_unpacklo_epi8(d, zero), aLow);
    const __m128i high = mixHalf(_mm_unpackhi_epi8(s, zero), _mm_unpackhi_epi8(d, zero), aHigh);
    return _mm_packus_epi16(low, high);
}

// Div255 of the four 32-bit lanes of x, each at most 65025.
inline __m128i Div255Four(__m128i x) {
    x = _mm_add_epi32(x, _mm_set1_epi32(128));
    return _mm_srli_epi32(_mm_add_epi32(x, _mm_srli_epi32(x, 8)), 8);
}
#endif

// Weight of a colour alpha a scaled by coverage (0..256, 256 = full pixel).
inline uint32_t Cover256(uint32_t a, uint32_t coverage) { return (a * coverage + 128) >> 8; }

// A colour's alpha scaled by master / 255.
inline uint32_t ScaleAlpha(uint32_t a, uint32_t master) { return Div255(a * master); }

// n pixels from p blended with colour s at weight a (the colour's own alpha ignored).
inline void MixSpan(TColor32* p, int n, TColor32 s, uint32_t a) {
    if (a == 0 || n <= 0) return;
    if (a == 255) {
        const TColor32 opaque = s | 0xFF000000;
        for (int i = 0; i < n; ++i) p[i] = opaque;
        return;
    }
    const uint32_t ia = 255 - a;
    const uint32_t srb = (s & 0x00FF00FF) * a;
    const uint32_t sag = (((s >> 8) & 0x00FF00FF) | 0x00FF0000) * a;
    for (int i = 0; i < n; ++i) {
        const TColor32 d = p[i];
        p[i] = Div255Lanes(srb + (d & 0x00FF00FF) * ia) | (Div255Lanes(sag + ((d >> 8) & 0x00FF00FF) * ia) << 8);
    }
}

// Integer coordinates beyond this cannot reach any surface; clamping to it keeps the
// arithmetic of rectangles and spans free of overflow.
inline constexpr int CoordLimit = 1 << 29;
inline int ClampCoord(int v) { return v < -CoordLimit ? -CoordLimit : (v > CoordLimit ? CoordLimit : v); }

}  // namespace pax::blend
