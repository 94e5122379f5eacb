#pragma once
// 32-bit colours 0xAARRGGBB (alpha 255 opaque) and their arithmetic. The memory layout is
// that of QImage::Format_ARGB32. The toolkit's 24-bit colour is 0x00BBGGRR.

#include <cstdint>
#include <string>

#include "foundation/extended.h"

namespace pax {

struct tVector3d;

using TColor32 = uint32_t;
using TWinColor = int32_t;   // 0x00BBGGRR; negative values name system colours

inline constexpr TColor32 clBlack32 = 0xFF000000;
inline constexpr TColor32 clWhite32 = 0xFFFFFFFF;
inline constexpr TColor32 clTransparent32 = 0x00000000;
inline constexpr TColor32 clYellow32 = 0xFFFFFF00;

inline constexpr uint8_t AlphaOf(TColor32 c) { return c >> 24; }
inline constexpr uint8_t RedOf(TColor32 c) { return (c >> 16) & 0xFF; }
inline constexpr uint8_t GreenOf(TColor32 c) { return (c >> 8) & 0xFF; }
inline constexpr uint8_t BlueOf(TColor32 c) { return c & 0xFF; }
inline constexpr TColor32 Color32(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return (TColor32(a) << 24) | (TColor32(r) << 16) | (TColor32(g) << 8) | b;
}

// c with alpha a.
inline constexpr TColor32 SetAlpha(TColor32 c, uint8_t a) { return (c & 0x00FFFFFF) | (TColor32(a) << 24); }

// The toolkit colour 0x00BBGGRR of c, and back (alpha 255). System colours (negative) resolve
// to their RGB value first; we know only black for them.
TWinColor ColorToWin(TColor32 c);
TColor32 WinColor(TWinColor c);

// "r=%3d  g=%3d  b=%3d" of a toolkit colour.
std::string ColorToText(TWinColor c);

// Red, green and blue each lo + random in [0, hi - lo); alpha 255.
TColor32 RandomColor(int lo, int hi);

// Every channel, alpha included: (c1 (256 - w) + c2 w) >> 8, w its low byte.
TColor32 BlendColor(TColor32 c1, TColor32 c2, uint32_t w);

// Red, green and blue: (channel f) >> 8, f its low byte; alpha kept.
TColor32 ScaleColor(TColor32 c, uint32_t f);

// Components in [0, 1]: blue from x, green from y, red from z (each trunc(v 255.99) mod 256).
TColor32 VectorToColor(const tVector3d& v);

// Hue, saturation, value, each in [0, 1].
struct tHSV {
    Extended h = 0, s = 0, v = 0;
};

// h wrapped into [0, 1) as frac(h + 1); s and v clamped to [0, 1].
tHSV MakeHSV(Extended h, Extended s, Extended v);
TColor32 HSVToColor(const tHSV& hsv);

}  // namespace pax
