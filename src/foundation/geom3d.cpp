#include "foundation/geom3d.h"

#include <cmath>

namespace pax {

bool PlaneNormal(const tVector3d& p0, const tVector3d& p1, const tVector3d& p2, tVector3d& n) {
    return NormCross(n, p1 - p0, p2 - p0) > LengthTolerance;
}

bool LinePlaneCut(const tVector3d& point, const tVector3d& direction, const tVector3d& planePoint,
                  const tVector3d& planeNormal, tVector3d& cut, Extended& t) {
    Extended d = Dot(direction, planeNormal);
    bool cuts = std::fabs(d) > LengthTolerance;
    t = cuts ? Dot(planePoint - point, planeNormal) / d : 0.000000999L;
    cut = point + t * direction;
    return cuts;
}

}  // namespace pax
