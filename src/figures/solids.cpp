#include "figures/solids.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "figures/figure_scope.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"

namespace pax {

namespace {

int ClampSegments(int n) { return std::clamp(n, MinSegments, MaxSegments); }

bool IsSolid(const Pax3d& pax) { return pax.Pen().FillColor != 0; }

// One face of the cube: a square of edge a to the turtle's front and left, whose fourth side
// the plane closes.
void CubeFace(Pax3d& pax, Extended a) {
    TurtleBranch branch(pax);
    pax.BeginPlane();
    pax.DrawForward(a);
    pax.DrawLeft(a);
    pax.DrawBack(a);
    pax.EndPlane();
}

// The three faces that meet at the corner (h, h, h) of the turtle's frame.
void CubeCorner(Pax3d& pax, Extended a) {
    const Extended h = a / 2;
    TurtleBranch branch(pax);
    pax.DrawRel(h, h, h);
    pax.PenDown();
    pax.TurnLeft90();
    CubeFace(pax, a);
    pax.TurnRight90();
    pax.PitchDown90();
    CubeFace(pax, a);
    pax.RollRight90();
    pax.TurnRight90();
    CubeFace(pax, a);
}

// Bee onto the Pax turtle's state (pen up), ready to walk a second ring.
Pax3d& SecondCursor(Stage& stage) {
    Pax3d& bee = stage.Bee();
    bee.AssignState(stage.Pax());
    return bee;
}

// The sine and cosine of a ring's turn (degrees), worked out once for all its sides, as
// RollLeft(turn) and TurnRight(turn) would. They look the pair up in the shared cache of
// recent angles on every side, and the cache loses it to a plant's other angles between tubes.
tSinCos TurnPair(Extended turn) {
    tSinCos t;
    SinCos(turn * DegToRad, t.s, t.c);
    return t;
}

// The first corner of a ring of radius r, rolled half a turn so that DrawUp(side) walks the
// ring's chords.
void ToRingStart(Pax3d& turtle, Extended r, const tPolySide& ring) {
    turtle.JumpRight(r);
    turtle.RollLeft(ring.Turn / 2);
}

// Faces P(i), F(i), F(i+1), P(i+1) between the near ring (Pax) and the far ring (Bee): counter-
// clockwise seen from outside.
void SolidTubeWalk(Stage& stage, int n, Extended r1, Extended r2, Extended h) {
    Pax3d& pax = stage.Pax();
    const tPolySide nearRing = PolySide(n, 360, r1);
    const tPolySide farRing = PolySide(n, 360, r2);
    pax.PenUp();
    Pax3d& bee = SecondCursor(stage);
    bee.JumpForward(h);
    ToRingStart(bee, r2, farRing);
    ToRingStart(pax, r1, nearRing);
    pax.PenDown();
    const tSinCos nearStep = TurnPair(nearRing.Turn), farStep = TurnPair(farRing.Turn);
    for (int i = 0; i < n; ++i) {
        pax.BeginPlane();
        pax.LineToCursor(bee);
        bee.DrawUp(farRing.Side);
        bee.AddPlanePoint();
        pax.DrawUp(nearRing.Side);
        pax.EndPlane();
        pax.RollLeftBySinCos(nearStep);
        bee.RollLeftBySinCos(farStep);
    }
}

void WireTubeWalk(Stage& stage, int n, Extended r1, Extended r2, Extended h) {
    Pax3d& pax = stage.Pax();
    const tPolySide nearRing = PolySide(n, 360, r1);
    const tPolySide farRing = PolySide(n, 360, r2);
    pax.PenUp();
    Pax3d& bee = SecondCursor(stage);
    bee.JumpForward(h);
    ToRingStart(bee, r2, farRing);
    ToRingStart(pax, r1, nearRing);
    pax.PenDown();
    bee.PenDown();
    const tSinCos nearStep = TurnPair(nearRing.Turn), farStep = TurnPair(farRing.Turn);
    for (int i = 0; i < n; ++i) {
        pax.LineToCursor(bee);
        pax.DrawUp(nearRing.Side);
        bee.DrawUp(farRing.Side);
        pax.RollLeftBySinCos(nearStep);
        bee.RollLeftBySinCos(farStep);
    }
}

// Triangles P(i), apex, P(i+1) from the base ring around the turtle to the apex h ahead, or
// their edges as lines.
void ConeSides(Stage& stage, int n, Extended r, Extended h, bool solid) {
    Pax3d& pax = stage.Pax();
    const tPolySide ring = PolySide(n, 360, r);
    pax.PenUp();
    Pax3d& apex = SecondCursor(stage);
    apex.JumpForward(h);
    ToRingStart(pax, r, ring);
    pax.PenDown();
    const tSinCos step = TurnPair(ring.Turn);
    for (int i = 0; i < n; ++i) {
        if (solid) pax.BeginPlane();
        pax.LineToCursor(apex);
        pax.DrawUp(ring.Side);
        if (solid) pax.EndPlane();
        pax.RollLeftBySinCos(step);
    }
}

}  // namespace

tPolySide PolySide(int n, Extended angle, Extended r) {
    const Extended turn = angle / std::max(n, 1);
    // Rings come by the thousand with the same few segment counts: the last half turn's sine
    // is kept rather than worked out in extended precision again.
    thread_local Extended lastTurn = 0, lastSine = 0;
    if (turn != lastTurn || turn == 0) {
        lastSine = std::sin(turn / 2 * DegToRad);
        lastTurn = turn;
    }
    tPolySide result{2 * r * lastSine, turn};
    if (r < 0) {
        result.Side = -result.Side;
        result.Turn = -result.Turn;
    }
    return result;
}

void disc(Stage& stage, std::string_view axis, int n, Extended r) {
    WindowObject object(stage.View(), "disc", ObjectShape::General);
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    n = ClampSegments(n);
    const tPolySide ring = PolySide(n, 360, r);
    const char letter = axis.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(axis[0])));
    if (letter == 'X') pax.RollLeft90();
    if (letter == 'Y') pax.PitchUp90();
    pax.JumpRight(r);
    pax.TurnLeft(ring.Turn / 2);
    pax.PenDown();
    pax.BeginPlane();
    // TurnLeft(a) is TurnRight(-a), and nothing for a = 0.
    const tSinCos step = TurnPair(-ring.Turn);
    for (int i = 0; i < n - 1; ++i) {
        pax.DrawForward(ring.Side);
        if (ring.Turn != 0) pax.TurnRightBySinCos(step);
    }
    // The last side back to the first corner is closed by the plane; a corner repeating the
    // first would be one too many for a 200-gon.
    pax.JumpForward(ring.Side);
    pax.EndPlane();
}

void Cap(Stage& stage, int n, Extended r, CapFacing facing) {
    Pax3d& pax = stage.Pax();
    n = ClampSegments(n);
    tPolySide ring = PolySide(n, 360, r);
    if (facing == CapFacing::Far) ring = {-ring.Side, -ring.Turn};
    TurtleBranch branch(pax);
    pax.PenUp();
    ToRingStart(pax, r, ring);
    pax.PenDown();
    pax.BeginPlane();
    const tSinCos step = TurnPair(ring.Turn);
    for (int i = 0; i < n - 1; ++i) {
        pax.DrawUp(ring.Side);
        pax.RollLeftBySinCos(step);
    }
    pax.EndPlane();
}

void SolidCube(Stage& stage, Extended a) {
    WindowObject object(stage.View(), "SolidCube", ObjectShape::Convex);
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.PenUp();
    CubeCorner(pax, a);
    // A frame in which the corner (h, h, h) is the opposite corner of the first.
    pax.PitchAround();
    pax.TurnLeft90();
    CubeCorner(pax, a);
}

void Cone(Stage& stage, int n, Extended r, Extended h) {
    Pax3d& pax = stage.Pax();
    n = ClampSegments(n);
    if (!IsSolid(pax)) {
        TurtleBranch branch(pax);
        ConeSides(stage, n, r, h, false);
        return;
    }
    WindowObject object(stage.View(), "SolidCone", ObjectShape::Convex);
    TurtleBranch branch(pax);
    pax.PenUp();
    Cap(stage, n, r, CapFacing::Near);
    ConeSides(stage, n, r, h, true);
}

void Tube(Stage& stage, int n, Extended r1, Extended r2, Extended h) {
    Pax3d& pax = stage.Pax();
    n = ClampSegments(n);
    WindowObject object(stage.View(), "Tube", ObjectShape::General);
    TurtleBranch branch(pax);
    if (IsSolid(pax))
        SolidTubeWalk(stage, n, r1, r2, h);
    else
        WireTubeWalk(stage, n, r1, r2, h);
}

void TubeSides(Stage& stage, int n, Extended r, Extended h) { Tube(stage, n, r, r, h); }

void Cylinder(Stage& stage, int n, Extended r, Extended h) {
    Pax3d& pax = stage.Pax();
    if (!IsSolid(pax)) {
        Tube(stage, n, r, r, h);
        return;
    }
    WindowObject object(stage.View(), "SolidCylinder", ObjectShape::Convex);
    TurtleBranch branch(pax);
    pax.PenUp();
    Cap(stage, n, r, CapFacing::Near);
    TubeSides(stage, n, r, h);
    pax.JumpForward(h);
    Cap(stage, n, r, CapFacing::Far);
}

void DashedForward(Stage& stage, int k, Extended len) {
    Pax3d& pax = stage.Pax();
    k = std::max(k, 1);
    const Extended piece = len / k;
    for (int i = 0; i < k; ++i) {
        if (i % 2 == 0)
            pax.DrawForward(piece);
        else
            pax.JumpForward(piece);
    }
}

void DrawVector(Stage& stage, const tVector3d& v, Extended len) {
    const tVector3d direction = Normalize(v);
    if (direction == ZeroVector) return;
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.DrawByVector(len * direction);
}

}  // namespace pax
