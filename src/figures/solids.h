#pragma once
// Ready-made solids built from moves of the stage's "Pax" turtle, relative to its position and
// frame (Right, Heading, Up): regular polygons, caps, cones, tubes, cylinders and the cube.
// Every solid runs inside a branch of the turtle, so the turtle is unchanged afterwards, and
// most inside a window object named after the solid. Faces are planes; the faces of the closed
// solids are wound counter-clockwise seen from outside, so their normals point outwards and
// the window's culling of convex objects removes exactly the hidden ones.
//
// Segment counts are held within 3 .. 200 (a plane holds at most 200 corners).

#include <string_view>

#include "foundation/extended.h"
#include "foundation/vector3d.h"

namespace pax {

class Stage;

inline constexpr int MinSegments = 3;
inline constexpr int MaxSegments = 200;

// One side of a regular polygon: the chord and the turn between sides (degrees).
struct tPolySide {
    Extended Side = 0;
    Extended Turn = 0;
};

// Turn := angle / n, Side := the chord 2 r sin(Turn / 2); both negated when r < 0. n below 1
// counts as 1.
tPolySide PolySide(int n, Extended angle, Extended r);

// Which way the face of a cap looks: Near back along -Heading, Far forward along Heading.
enum class CapFacing { Near, Far };

// A filled regular n-gon of radius r around the turtle, in the plane of Right and Heading
// (axis "X": rolled into Up/Heading; "Y": pitched into Right/Up), object "disc". The axis
// letter's case does not matter; any other letter keeps the plane.
void disc(Stage& stage, std::string_view axis, int n, Extended r);

// The n-gon of radius r around the turtle in the plane of Right and Up (no window object).
void Cap(Stage& stage, int n, Extended r, CapFacing facing);

// A cube of edge a centred on the turtle, its faces along the turtle's axes; object "SolidCube".
void SolidCube(Stage& stage, Extended a);

// A cone whose base of radius r lies around the turtle and whose apex lies h ahead.
// Solid (object "SolidCone") when the Pax turtle's fill colour is not 0, else lines.
void Cone(Stage& stage, int n, Extended r, Extended h);

// The sides between a ring of radius r1 around the turtle and one of radius r2 at distance h
// ahead, without caps; planes or lines as for Cone. Object "Tube".
void Tube(Stage& stage, int n, Extended r1, Extended r2, Extended h);
void TubeSides(Stage& stage, int n, Extended r, Extended h);

// A closed cylinder of radius r and length h ahead of the turtle (object "SolidCylinder"), or
// the wire tube when the fill colour is 0.
void Cylinder(Stage& stage, int n, Extended r, Extended h);

// len ahead in k equal pieces, drawn and skipped in turn (the first drawn); the turtle ends
// len ahead. k below 1 counts as 1.
void DashedForward(Stage& stage, int k, Extended len);

// A line of length len from the turtle's position along v; the turtle stays where it is.
// Nothing for a v without direction.
void DrawVector(Stage& stage, const tVector3d& v, Extended len);

}  // namespace pax
