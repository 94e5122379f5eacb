#pragma once
// The shapes of the "~" command and the two flowers. Every shape is drawn with the stage's
// "Pax" turtle around its current position; position and heading are unchanged afterwards.
// Sizes follow the current step s: d1 = s / 2, d2 = s / 4. Upper-case letters draw the
// larger size. A thickness or base given to a tube, cone or cylinder is its radius; a
// diameter (disc, sphere) is halved.

#include "foundation/extended.h"

namespace pax {

class Stage;

inline constexpr int MinFlowerLeaves = 1;
inline constexpr int MaxFlowerLeaves = 50;
// Sides of the discs, cones and cylinders of the shapes; meridians and layers of the ellipsoid.
inline constexpr int ShapeSegments = 12;
inline constexpr int EllipsoidLayers = 6;

// The shape named by c for the current step (the pen goes down first): 0 the coordinate
// cross, 1..9 the sprite of that number (1..3 at natural size, 4..9 scaled from 12 x 12),
// C/c cube, D/d disc, E/e ellipsoid, S/s sphere, X/x tube, O/o cone, Y/y cylinder, L petal
// flower, l star flower. Any other character draws nothing.
void DrawShape(Stage& stage, unsigned char c, Extended step);

// petals rhombi of size z rising 10 degrees from the turtle's plane, one filled plane each.
void PetalFlower(Stage& stage, Extended z, int petals);
// A star of points rhombi in the plane of Right and Up, one filled plane.
void StarFlower(Stage& stage, Extended z, int points);

}  // namespace pax
