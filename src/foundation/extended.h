#pragma once
// The 80-bit extended real of all 3D arithmetic (x86-64: the x87 long double, 64-bit mantissa).

namespace pax {

using Extended = long double;

inline constexpr Extended Pi = 3.141592653589793238462643383279502884L;
inline constexpr Extended DegToRad = Pi / 180.0L;   // 0.017453292519943295...
inline constexpr Extended RadToDeg = 180.0L / Pi;   // 57.29577951308232...

// Below this length a vector has no direction.
inline constexpr Extended LengthTolerance = 1e-6L;
// Components of a direction made from angles that are this small become exactly 0.
inline constexpr Extended ComponentSnap = 1e-18L;

}  // namespace pax
