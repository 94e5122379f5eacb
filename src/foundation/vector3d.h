#pragma once
// Points and directions in a right-handed world with z up, and the free functions over them.
// Everything is extended precision; nothing here allocates or raises.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "foundation/extended.h"

namespace pax {

struct tVector3d {
    Extended x = 0, y = 0, z = 0;
    bool operator==(const tVector3d&) const = default;
};

inline constexpr tVector3d ZeroVector{0, 0, 0};
inline constexpr tVector3d XVector{1, 0, 0};
inline constexpr tVector3d ZVector{0, 0, 1};

inline tVector3d operator+(const tVector3d& a, const tVector3d& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline tVector3d operator-(const tVector3d& a, const tVector3d& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline tVector3d operator-(const tVector3d& v) { return {-v.x, -v.y, -v.z}; }
inline tVector3d operator*(Extended s, const tVector3d& v) { return {s * v.x, s * v.y, s * v.z}; }
inline tVector3d operator*(const tVector3d& v, Extended s) { return s * v; }
inline tVector3d& operator+=(tVector3d& a, const tVector3d& b) { a = a + b; return a; }
inline tVector3d& operator-=(tVector3d& a, const tVector3d& b) { a = a - b; return a; }

inline tVector3d MakeVector(Extended x, Extended y, Extended z) { return {x, y, z}; }

// to = from bit for bit in three 16-byte moves, where an assignment may become a string copy
// that costs more than a turn of the turtle.
inline void CopyVector(tVector3d& to, const tVector3d& from) {
    static_assert(sizeof(Extended) == 16 && sizeof(tVector3d) == 48, "three padded 80-bit values");
    std::memcpy(&to.x, &from.x, sizeof(Extended));
    std::memcpy(&to.y, &from.y, sizeof(Extended));
    std::memcpy(&to.z, &from.z, sizeof(Extended));
}

// Whether a and b have the same 80 bits in each coordinate (SameBits of extended.h).
inline bool SameBits(const tVector3d& a, const tVector3d& b) {
    return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}

// (cos alpha cos beta, sin alpha cos beta, sin beta); components within 1e-18 of 0 become 0.
tVector3d DirFromAngles(Extended alpha, Extended beta);

inline Extended SqrExtent(const tVector3d& v) { return v.x * v.x + v.y * v.y + v.z * v.z; }
inline Extended Extent(const tVector3d& v) { return std::sqrt(SqrExtent(v)); }
inline Extended Distance(const tVector3d& a, const tVector3d& b) { return Extent(a - b); }
inline Extended Dot(const tVector3d& a, const tVector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline tVector3d Cross(const tVector3d& a, const tVector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// v scaled to length l when it has a direction; unchanged otherwise.
void SetExtent(tVector3d& v, Extended l);

// v / |v|, or the zero vector when |v| <= 1e-6.
tVector3d Normalize(const tVector3d& v);
tVector3d NormalizeLen(const tVector3d& v, Extended& len);
inline tVector3d NormalizedXYZ(Extended x, Extended y, Extended z) { return Normalize({x, y, z}); }

inline tVector3d Add(const tVector3d& a, const tVector3d& b) { return a + b; }
inline void AddTo(tVector3d& a, const tVector3d& b) { a += b; }
// The vector from a to b (note the order): b - a.
inline tVector3d Difference(const tVector3d& a, const tVector3d& b) { return b - a; }
inline void Negate(tVector3d& v) { v = -v; }
inline tVector3d Negated(const tVector3d& v) { return -v; }
inline tVector3d Scaled(const tVector3d& v, Extended s) { return s * v; }
inline tVector3d AddScaled(const tVector3d& a, const tVector3d& b, Extended s) { return a + s * b; }

// out := a x b, normalised when its length exceeds 1e-6 (else left raw); returns that length.
// Should the arithmetic fault, out becomes XVector and 0 is returned.
Extended NormCross(tVector3d& out, const tVector3d& a, const tVector3d& b);

// Dot(a,b) / sqrt(|a|^2 |b|^2); 1 when that root is below 1e-6.
Extended CosAngle(const tVector3d& a, const tVector3d& b);
// Radians. The cosine of (anti)parallel vectors can round to just beyond 1, where acos has
// no value; it is clamped first.
inline Extended AngleBetween(const tVector3d& a, const tVector3d& b) {
    Extended c = CosAngle(a, b);
    return std::acos(c > 1 ? 1 : c < -1 ? -1 : c);
}

// v - 2 Dot(v,n) n, for a unit normal n.
inline tVector3d Reflect(const tVector3d& v, const tVector3d& n) { return v - (2 * Dot(v, n)) * n; }

// sin and cos of angle (radians), remembered for the last few angles.
void SinCos(Extended angle, Extended& s, Extended& c);

// The sine and cosine of one angle, kept together by callers that turn by the same angle
// again and again and work the pair out once.
struct tSinCos {
    Extended s = 0, c = 1;
};

// The rows of the rotation about axis by angle (radians): a positive angle turns clockwise
// seen from the axis tip, so (0,1,0) about (0,0,1) by +90 degrees gives (1,0,0).
// False, rows untouched, when the axis has no direction.
bool RotationRows(const tVector3d& axis, Extended angle, tVector3d& row1, tVector3d& row2, tVector3d& row3);

inline tVector3d RotateRows(const tVector3d& v, const tVector3d& row1, const tVector3d& row2, const tVector3d& row3) {
    return {Dot(v, row1), Dot(v, row2), Dot(v, row3)};
}

// v rotated about axis by angle (radians); v itself for angle 0 or an axis without direction.
tVector3d RotateAbout(const tVector3d& axis, const tVector3d& v, Extended angle);

// origin + k.x a + k.y b + k.z c: the point with coordinates k in the frame a, b, c at origin.
inline tVector3d FrameCombine(const tVector3d& origin, const tVector3d& a, const tVector3d& b,
                              const tVector3d& c, const tVector3d& k) {
    return origin + k.x * a + k.y * b + k.z * c;
}

// "x=%8.2f  y=%8.2f  z=%8.2f" for width 8 and 2 decimals.
std::string VectorText(const tVector3d& v, int width, int decimals);

// A point with its colour: the element of the point and line lists.
struct tColorPoint3d {
    tVector3d Point;
    uint32_t Color = 0;
};

}  // namespace pax
