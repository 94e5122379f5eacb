#pragma once
// Plane geometry: the normal of three corners and the cut of a line with a plane.

#include "foundation/vector3d.h"

namespace pax {

// n := the unit normal of (p1 - p0) x (p2 - p0); true when the three points are not collinear.
bool PlaneNormal(const tVector3d& p0, const tVector3d& p1, const tVector3d& p2, tVector3d& n);

// cut := point + t direction on the plane; false (t = 0.000000999) when the line is parallel
// to the plane.
bool LinePlaneCut(const tVector3d& point, const tVector3d& direction, const tVector3d& planePoint,
                  const tVector3d& planeNormal, tVector3d& cut, Extended& t);

}  // namespace pax
