#pragma once
// Small integer helpers and the process-wide random generator. The generator is our own
// 32-bit linear congruential one, so a seed gives the same drawing on every machine and
// with every standard library.

#include <cstdint>

namespace pax {

inline int MinInt(int a, int b) { return a < b ? a : b; }
inline int MaxInt(int a, int b) { return a > b ? a : b; }

// lo when value < lo, else hi when value > hi, else value (lo wins when lo > hi).
inline int ClampInt(int value, int lo, int hi) {
    if (value < lo) return lo;
    if (value > hi) return hi;
    return value;
}

inline uint8_t ClampByte(int value) { return static_cast<uint8_t>(ClampInt(value, 0, 255)); }

inline void SwapInt(int& a, int& b) {
    int t = a;
    a = b;
    b = t;
}

// The seed of the generator; 0 at start.
uint32_t RandomSeed();
void SetRandomSeed(uint32_t seed);

// A whole number in 0 .. n - 1; 0 when n <= 0.
int32_t Random(int32_t n);

// A number in [0, 1).
long double RandomFloat();

// lo + Random(hi - lo): in lo .. hi - 1, and lo when hi <= lo.
int32_t RandomInt(int32_t lo, int32_t hi);

}  // namespace pax
