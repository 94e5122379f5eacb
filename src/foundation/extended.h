#pragma once
// The 80-bit extended real of all 3D arithmetic (x86-64: the x87 long double, 64-bit mantissa).

#include <cstdint>
#include <cstring>
#include <limits>

namespace pax {

using Extended = long double;

inline constexpr Extended Pi = 3.141592653589793238462643383279502884L;
inline constexpr Extended DegToRad = Pi / 180.0L;   // 0.017453292519943295...
inline constexpr Extended RadToDeg = 180.0L / Pi;   // 57.29577951308232...

// Below this length a vector has no direction.
inline constexpr Extended LengthTolerance = 1e-6L;
// Components of a direction made from angles that are this small become exactly 0.
inline constexpr Extended ComponentSnap = 1e-18L;

// Whether a and b have the same 80 bits (so -0 differs from 0 and a NaN can equal itself),
// without an x87 load and compare: the six bytes of padding above them do not count.
inline bool SameBits(const Extended& a, const Extended& b) {
    static_assert(std::numeric_limits<Extended>::digits == 64, "the 80-bit x87 format");
    uint64_t mantissaA, mantissaB;
    uint16_t exponentA, exponentB;
    std::memcpy(&mantissaA, &a, sizeof mantissaA);
    std::memcpy(&mantissaB, &b, sizeof mantissaB);
    std::memcpy(&exponentA, reinterpret_cast<const char*>(&a) + 8, sizeof exponentA);
    std::memcpy(&exponentB, reinterpret_cast<const char*>(&b) + 8, sizeof exponentB);
    return mantissaA == mantissaB && exponentA == exponentB;
}

}  // namespace pax
