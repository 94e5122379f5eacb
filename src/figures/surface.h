#pragma once
// Parametric surfaces drawn with the stage's "Pax" turtle: a point function maps two
// parameters to a point in the turtle's frame (x along Right, y along Heading, z along Up,
// from the turtle's position), the parameter rectangle is sampled on a grid and every grid
// cell becomes one four-corner plane. Cells are wound so that their normals point along
// df/du x df/dw; for the ellipsoid that is outwards.
//
// Colours, by the switches: "Rainbow Colors" (21) colours the cells from the hue circle, in
// bands along the rows (cells of one layer index alike) or, with "direction X" (22), across
// them (cells of one strip alike); "Color Cycling" (20) makes the hues travel with the
// picture counter at the configured cycling speed and, without rainbow colours, gives the
// whole surface one travelling hue.

#include <cstdint>
#include <functional>

#include "foundation/color32.h"
#include "foundation/vector3d.h"

namespace pax {

class Stage;

// (outer, inner) -> a point in the turtle's frame.
using SurfacePointFunction = std::function<tVector3d(Extended outer, Extended inner)>;

// Hue advance per picture and unit of cycling speed, in turns of the hue circle: at speed 5
// and 50 pictures per second the colours go round once in 8 seconds.
inline constexpr Extended HueTravelPerPicture = 0.0005L;

// segments strips of layers cells over [uFrom, uTo] x [wFrom, wTo]. Zero counts raise
// ERangeError ("\nsegments must be > 1\n", "\nlayers must be > 1\n") before the turtle moves.
// The turtle is unchanged afterwards. Stops after the strip in which a stop was requested.
void Surface(Stage& stage, const SurfacePointFunction& f, uint16_t segments, uint16_t layers, Extended uFrom,
             Extended uTo, Extended wFrom, Extended wTo);

// Semi-axes of the ellipsoid along x, y and z, held for EllipsoidPoint.
void SetEllipsoidRadii(Extended a, Extended b, Extended c);
// (a cos theta cos phi, b cos theta sin phi, c sin theta); radians.
tVector3d EllipsoidPoint(Extended phi, Extended theta);
// segments meridian strips of layers cells from the south pole to the north pole, in the
// window object "Ellipsoid" (convex unless the radii turn it inside out).
void Ellipsoid(Stage& stage, uint16_t segments, uint16_t layers, Extended a, Extended b, Extended c);

// The fully saturated colour at k / count around the hue circle (count < 1 counts as 360),
// travelling with the pictures while "Color Cycling" is on.
TColor32 HueColor(int k, int count);

}  // namespace pax
