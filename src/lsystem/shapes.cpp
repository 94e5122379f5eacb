#include "lsystem/shapes.h"

#include <algorithm>
#include <cmath>

#include "figures/figure_scope.h"
#include "figures/solids.h"
#include "figures/surface.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"

namespace pax {

namespace {

constexpr Extended CrossLength = 100;
constexpr TColor32 CrossRed = 0xFFFF0000;
constexpr TColor32 CrossGreen = 0xFF00FF00;
constexpr TColor32 CrossBlue = 0xFF6495ED;
constexpr Extended ScaledSpriteRadius = 6;   // half of the 12 x 12 box
constexpr int ShapeLeaves = 5;
constexpr Extended PetalWidth = 30;
constexpr Extended PetalRise = 10;           // degrees
constexpr Extended StarSizePerStep = 1.175L;

void AxisLine(Pax3d& pax, TColor32 colour, tVector3d direction) {
    TurtleBranch branch(pax);
    pax.SetLineColor(colour);
    pax.DrawRel(direction.x, direction.y, direction.z);
}

void CoordinateCross(Pax3d& pax) {
    AxisLine(pax, CrossRed, {CrossLength, 0, 0});
    AxisLine(pax, CrossGreen, {0, CrossLength, 0});
    AxisLine(pax, CrossBlue, {0, 0, CrossLength});
}

// A cone or cylinder of the given length centred on the turtle along its heading.
template <class Solid>
void Centred(Stage& stage, Extended length, Solid solid) {
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.DrawBack(length / 2);
    solid();
}

int Leaves(int count) { return std::clamp(count, MinFlowerLeaves, MaxFlowerLeaves); }

}  // namespace

void PetalFlower(Stage& stage, Extended z, int petals) {
    petals = Leaves(petals);
    const Extended r = Extended(360) / petals;
    const Extended a = 0.005L * PetalWidth * z * std::sin(r / 2 * DegToRad);
    const Extended b = 0.5L * z * std::cos(r / 2 * DegToRad);
    const Extended c = 0.5L * z * std::sin(PetalRise * DegToRad);
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.PenDown();
    for (int i = 0; i < petals; ++i) {
        pax.BeginPlane();
        pax.TurnLeft(r);
        pax.DrawRel(a, b, c);
        pax.DrawRel(-a, b, c);
        pax.DrawRel(-a, -b, -c);
        pax.DrawRel(a, -b, -c);
        pax.EndPlane();
    }
}

void StarFlower(Stage& stage, Extended z, int points) {
    points = Leaves(points);
    const Extended r = Extended(360) / points;
    const Extended w = 0.2L * z;
    const Extended h = 0.5L * z;
    Pax3d& pax = stage.Pax();
    TurtleBranch branch(pax);
    pax.PenDown();
    pax.BeginPlane();
    for (int i = 0; i < points; ++i) {
        pax.RollLeft(r);
        pax.DrawRel(-w, 0, h);
        pax.DrawRel(w, 0, h);
        pax.DrawRel(w, 0, -h);
        pax.DrawRel(-w, 0, -h);
    }
    pax.EndPlane();
}

void DrawShape(Stage& stage, unsigned char c, Extended step) {
    Pax3d& pax = stage.Pax();
    ObjectWindow& view = stage.View();
    const Extended s = step;
    const Extended d1 = s / 2;
    const Extended d2 = s / 4;
    pax.PenDown();
    if (c >= '1' && c <= '9') view.SetSpriteId(static_cast<uint16_t>(c - '0'));
    switch (c) {
    case '0': CoordinateCross(pax); return;
    case '1':
    case '2':
    case '3': view.DrawSprite(pax.Pen(), 0); return;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9': view.DrawScaledSprite(pax.Pen(), ScaledSpriteRadius, ScaledSpriteRadius); return;
    case 'C': SolidCube(stage, s); return;
    case 'c': SolidCube(stage, d1); return;
    case 'D': disc(stage, "Z", ShapeSegments, d1 / 2); return;
    case 'd': disc(stage, "Z", ShapeSegments, d2 / 2); return;
    case 'E': Ellipsoid(stage, ShapeSegments, EllipsoidLayers, d1, d2, d1); return;
    case 'e': Ellipsoid(stage, ShapeSegments, EllipsoidLayers, d2, d1, d2); return;
    case 'S': view.DrawCircle(pax.Pen(), d1 / 2); return;
    case 's': view.DrawCircle(pax.Pen(), d2 / 2); return;
    case 'X': Tube(stage, ShapeSegments, d1, 0.7L * d1, s); return;
    case 'x': Tube(stage, ShapeSegments, d2, 0.7L * d2, s); return;
    case 'O': Centred(stage, s, [&] { Cone(stage, ShapeSegments, d1, s); }); return;
    case 'o': Centred(stage, d1, [&] { Cone(stage, ShapeSegments, d2, d1); }); return;
    case 'Y': Centred(stage, s, [&] { Cylinder(stage, ShapeSegments, d1, s); }); return;
    case 'y': Centred(stage, d1, [&] { Cylinder(stage, ShapeSegments, d2, d1); }); return;
    case 'L': PetalFlower(stage, 2 * s, ShapeLeaves); return;
    case 'l': StarFlower(stage, StarSizePerStep * s, ShapeLeaves); return;
    default: return;
    }
}

}  // namespace pax
