#include "system/numbers.h"

namespace pax {
namespace {

uint32_t g_seed = 0;

uint32_t NextSeed() {
    g_seed = g_seed * 1664525u + 1013904223u;
    return g_seed;
}

// A whole number in 0 .. range - 1 for range in 1 .. 2^32 - 1. The high bits of an LCG are
// the random ones: scale rather than take a remainder.
uint32_t Scaled(uint64_t range) { return static_cast<uint32_t>((NextSeed() * range) >> 32); }

}  // namespace

uint32_t RandomSeed() { return g_seed; }
void SetRandomSeed(uint32_t seed) { g_seed = seed; }

int32_t Random(int32_t n) {
    if (n <= 0) return 0;
    return static_cast<int32_t>(Scaled(static_cast<uint64_t>(n)));
}

long double RandomFloat() { return NextSeed() / 4294967296.0L; }

int32_t RandomInt(int32_t lo, int32_t hi) {
    if (hi <= lo) return lo;
    int64_t range = static_cast<int64_t>(hi) - lo;  // up to 2^32 - 1: no overflow
    return static_cast<int32_t>(lo + static_cast<int64_t>(Scaled(static_cast<uint64_t>(range))));
}

}  // namespace pax
