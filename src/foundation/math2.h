#pragma once
// The math-error routine and small number functions.

#include <cstdint>
#include <string_view>

#include "foundation/extended.h"

namespace pax {

// Logs ">>> Math Error in " + name and raises EMathError("\n" + name + "\n").
[[noreturn]] void MathError(std::string_view name);

// x mod y in [0, y) for y > 0.
Extended FloatMod(Extended x, Extended y);

// x rounded to nearest (ties to even), limited to -2147483647 .. 2147483647.
int32_t RoundClamp(Extended x);

// std::llround(v) (halves away from zero) for |v| < 2^62, without the library call that the
// drawing code would pay for every line end. Subtracting the integer part is exact.
inline int64_t RoundHalfAway(double v) {
    const int64_t i = static_cast<int64_t>(v);
    const double f = v - static_cast<double>(i);
    return i + (f >= 0.5) - (f <= -0.5);
}

inline uint8_t MaxByte(uint8_t a, uint8_t b) { return a > b ? a : b; }

}  // namespace pax
