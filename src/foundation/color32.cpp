#include "foundation/color32.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/vector3d.h"

namespace pax {

TWinColor ColorToWin(TColor32 c) {
    return static_cast<TWinColor>((TColor32(BlueOf(c)) << 16) | (TColor32(GreenOf(c)) << 8) | RedOf(c));
}

TColor32 WinColor(TWinColor c) {
    if (c < 0) return clBlack32;
    uint32_t u = static_cast<uint32_t>(c);
    return Color32(u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
}

std::string ColorToText(TWinColor c) {
    uint32_t u = static_cast<uint32_t>(c);
    char text[40];
    std::snprintf(text, sizeof text, "r=%3u  g=%3u  b=%3u", u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF);
    return text;
}

TColor32 RandomColor(int lo, int hi) {
    auto channel = [&] { return static_cast<uint8_t>(hi > lo ? lo + std::rand() % (hi - lo) : lo); };
    uint8_t r = channel(), g = channel(), b = channel();
    return Color32(r, g, b);
}

TColor32 BlendColor(TColor32 c1, TColor32 c2, uint32_t w) {
    w &= 0xFF;
    TColor32 out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        uint32_t a = (c1 >> shift) & 0xFF, b = (c2 >> shift) & 0xFF;
        out |= (((a * (256 - w) + b * w) >> 8) & 0xFF) << shift;
    }
    return out;
}

TColor32 ScaleColor(TColor32 c, uint32_t f) {
    f &= 0xFF;
    return Color32((RedOf(c) * f) >> 8, (GreenOf(c) * f) >> 8, (BlueOf(c) * f) >> 8, AlphaOf(c));
}

TColor32 VectorToColor(const tVector3d& v) {
    auto byte = [](Extended x) { return static_cast<uint8_t>(static_cast<int64_t>(std::trunc(x * 255.99L)) & 0xFF); };
    return Color32(byte(v.z), byte(v.y), byte(v.x));
}

tHSV MakeHSV(Extended h, Extended s, Extended v) {
    Extended wrapped = h + 1;
    wrapped -= std::floor(wrapped);
    return {wrapped, std::clamp<Extended>(s, 0, 1), std::clamp<Extended>(v, 0, 1)};
}

TColor32 HSVToColor(const tHSV& hsv) {
    auto frac = [](Extended x) { return x - std::trunc(x); };
    Extended v = frac(hsv.v - 0.0001L);
    Extended r, g, b;
    if (hsv.s == 0) {
        r = g = b = v;
    } else {
        Extended h = 5.999L - frac(hsv.h) * 5.999L;
        int i = static_cast<int>(h);
        Extended f = h - i;
        Extended p = v * (1 - hsv.s), q = v * (1 - hsv.s * f), t = v * (1 - (1 - f) * hsv.s);
        switch (i) {
            case 0: r = v; g = p; b = t; break;
            case 1: r = q; g = p; b = v; break;
            case 2: r = p; g = t; b = v; break;
            case 3: r = p; g = v; b = q; break;
            case 4: r = t; g = v; b = p; break;
            default: r = v; g = q; b = p; break;
        }
    }
    auto byte = [](Extended c) { return static_cast<uint8_t>(std::trunc(std::clamp<Extended>(c, 0, 1) * 255.99L)); };
    return Color32(byte(r), byte(g), byte(b));
}

}  // namespace pax
