#pragma once
// Affine transforms as four rows: the images of the x, y and z unit vectors and the
// translation. A point p maps to p.x row0 + p.y row1 + p.z row2 + row3 (row vectors).

#include "foundation/vector3d.h"

namespace pax {

struct tMatrix3d {
    tVector3d Row[4] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
    bool operator==(const tMatrix3d&) const = default;
};

inline constexpr tMatrix3d IdentityMatrix{};

inline tVector3d TransformPoint(const tVector3d& p, const tMatrix3d& m) {
    return p.x * m.Row[0] + p.y * m.Row[1] + p.z * m.Row[2] + m.Row[3];
}

// The transform that applies a first and b second.
tMatrix3d ComposeMatrix(const tMatrix3d& a, const tMatrix3d& b);

}  // namespace pax
