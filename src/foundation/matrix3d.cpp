#include "foundation/matrix3d.h"

namespace pax {

tMatrix3d ComposeMatrix(const tMatrix3d& a, const tMatrix3d& b) {
    tMatrix3d out;
    for (int i = 0; i < 3; ++i)
        out.Row[i] = a.Row[i].x * b.Row[0] + a.Row[i].y * b.Row[1] + a.Row[i].z * b.Row[2];
    out.Row[3] = TransformPoint(a.Row[3], b);
    return out;
}

}  // namespace pax
