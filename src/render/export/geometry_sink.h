#pragma once
// GeometrySink: what a projection window tells an exporter about the 3D geometry it is given,
// in world coordinates and before any culling or clipping, so that a model file holds the
// whole figure, hidden faces and parts outside the picture included. The window still draws;
// the sink only listens. Colours are the unshaded 0xAARRGGBB of the geometry.

#include <span>

#include "foundation/color32.h"
#include "foundation/extended.h"
#include "foundation/vector3d.h"

namespace pax {

class GeometrySink {
public:
    virtual ~GeometrySink() = default;
    virtual void Segment(const tVector3d& from, const tVector3d& to, TColor32 colour) = 0;
    // A plane's corners in order; normal is its unit normal.
    virtual void Face(std::span<const tVector3d> corners, const tVector3d& normal, TColor32 colour) = 0;
    // A circle of radius around centre, facing the eye (normal points towards it).
    virtual void Circle(const tVector3d& centre, const tVector3d& normal, Extended radius, TColor32 colour) = 0;
};

}  // namespace pax
