#include "foundation/vector3d.h"

#include <cstdio>

namespace pax {

tVector3d DirFromAngles(Extended alpha, Extended beta) {
    auto snap = [](Extended v) { return std::fabs(v) <= ComponentSnap ? Extended(0) : v; };
    Extended cb = snap(std::cos(beta));
    return {snap(std::cos(alpha) * cb), snap(std::sin(alpha) * cb), snap(std::sin(beta))};
}

void SetExtent(tVector3d& v, Extended l) {
    Extended e = Extent(v);
    if (e > LengthTolerance) v = (l / e) * v;
}

tVector3d Normalize(const tVector3d& v) {
    Extended len;
    return NormalizeLen(v, len);
}

tVector3d NormalizeLen(const tVector3d& v, Extended& len) {
    len = Extent(v);
    if (len > LengthTolerance) return (1 / len) * v;
    return ZeroVector;
}

Extended NormCross(tVector3d& out, const tVector3d& a, const tVector3d& b) {
    tVector3d c = Cross(a, b);
    Extended len = Extent(c);
    if (!std::isfinite(len)) {
        out = XVector;
        return 0;
    }
    out = len > LengthTolerance ? (1 / len) * c : c;
    return len;
}

Extended CosAngle(const tVector3d& a, const tVector3d& b) {
    Extended root = std::sqrt(SqrExtent(a) * SqrExtent(b));
    if (root < LengthTolerance) return 1;
    return Dot(a, b) / root;
}

void SinCos(Extended angle, Extended& s, Extended& c) {
    // Turtles turn by the same few angles again and again (+a and -a of an L-system), and the
    // extended sine and cosine cost far more than the rotation itself: remember the last four.
    struct Entry {
        Extended angle, s, c;
        bool used;
    };
    thread_local Entry cache[4] = {};
    thread_local unsigned next = 0;
    for (const Entry& e : cache) {
        if (e.used && e.angle == angle) {
            s = e.s;
            c = e.c;
            return;
        }
    }
    s = std::sin(angle);
    c = std::cos(angle);
    cache[next] = {angle, s, c, true};
    next = (next + 1) % 4;
}

bool RotationRows(const tVector3d& axis, Extended angle, tVector3d& row1, tVector3d& row2, tVector3d& row3) {
    Extended len;
    tVector3d n = NormalizeLen(axis, len);
    if (len <= LengthTolerance) return false;
    Extended s, c;
    SinCos(angle, s, c);
    Extended t = 1 - c;
    row1 = {t * n.x * n.x + c, t * n.x * n.y + s * n.z, t * n.x * n.z - s * n.y};
    row2 = {t * n.x * n.y - s * n.z, t * n.y * n.y + c, t * n.y * n.z + s * n.x};
    row3 = {t * n.x * n.z + s * n.y, t * n.y * n.z - s * n.x, t * n.z * n.z + c};
    return true;
}

tVector3d RotateAbout(const tVector3d& axis, const tVector3d& v, Extended angle) {
    if (angle == 0) return v;
    tVector3d r1, r2, r3;
    if (!RotationRows(axis, angle, r1, r2, r3)) return v;
    return RotateRows(v, r1, r2, r3);
}

std::string VectorText(const tVector3d& v, int width, int decimals) {
    char text[160];
    std::snprintf(text, sizeof text, "x=%*.*Lf  y=%*.*Lf  z=%*.*Lf", width, decimals, v.x, width,
                  decimals, v.y, width, decimals, v.z);
    return text;
}

}  // namespace pax
