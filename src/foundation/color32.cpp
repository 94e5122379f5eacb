#include "foundation/color32.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/vector3d.h"
#include "system/numbers.h"

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

// From the process-wide generator, so that a seed gives the same colours on every machine.
TColor32 RandomColor(int lo, int hi) {
    auto channel = [&] { return static_cast<uint8_t>(RandomInt(lo, hi)); };
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
    // Modulo 256 in the real domain: converting a huge or non-finite value to an integer first
    // would be undefined.
    auto byte = [](Extended x) {
        Extended t = std::fmod(std::trunc(x * 255.99L), 256.0L);
        if (std::isnan(t)) return uint8_t(0);
        return static_cast<uint8_t>(t < 0 ? t + 256 : t);
    };
    return Color32(byte(v.z), byte(v.y), byte(v.x));
}

tHSV MakeHSV(Extended h, Extended s, Extended v) {
    Extended wrapped = h + 1;
    wrapped -= std::floor(wrapped);
    return {wrapped, std::clamp<Extended>(s, 0, 1), std::clamp<Extended>(v, 0, 1)};
}

TColor32 HSVToColor(const tHSV& hsv) {
    auto frac = [](Extended x) { return x - std::trunc(x); };
    // A hue outside [0, 1) (a record not made by MakeHSV) is wrapped like MakeHSV does; with
    // the plain fraction a negative hue would select no sector at all.
    Extended hue = std::isfinite(hsv.h) ? hsv.h - std::floor(hsv.h) : 0;
    Extended v = frac(hsv.v - 0.0001L);
    Extended r, g, b;
    if (hsv.s == 0) {
        r = g = b = v;
    } else {
        Extended h = 5.999L - hue * 5.999L;
        int i = std::clamp(static_cast<int>(h), 0, 5);
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
    auto byte = [](Extended c) {
        if (!(c > 0)) return uint8_t(0);  // also a NaN from a saturation or value that is not finite
        return static_cast<uint8_t>(std::trunc(std::min<Extended>(c, 1) * 255.99L));
    };
    return Color32(byte(r), byte(g), byte(b));
}

}  // namespace pax
