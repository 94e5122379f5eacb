#include "figures/axes.h"

#include <array>

#include "figures/figure_scope.h"
#include "figures/solids.h"
#include "render/windows/object_window.h"
#include "render/windows/stage.h"
#include "scene/pax3d.h"

namespace pax {

namespace {

constexpr int AxisPieces = 20;
// Proportions of the solid axes and the marks, as fractions of the axis length.
constexpr Extended RodRadius = 1.0L / 100;
constexpr Extended ConeLength = 1.0L / 8;
constexpr Extended ConeRadius = 1.0L / 30;
constexpr Extended ArrowLength = 1.0L / 12;
constexpr Extended LetterGap = 1.0L / 16;
constexpr Extended ArrowPitch = 150;   // degrees: the strokes run 30 degrees off the way back
constexpr int NegativeSegments = 8;
constexpr int PositiveSegments = 12;

struct Axis {
    TColor32 Color;
    const char* Letter;
    // Turns the reset turtle so that its Heading runs along the half-axis. The positive axes
    // end with Up across the default line of sight, so that pitched marks show from the front.
    void (*FaceAlong)(Pax3d&);
};

const std::array<Axis, 3> PositiveAxes{{
    {AxisColorX, "X", [](Pax3d& t) { t.TurnRight90(); }},
    {AxisColorY, "Y", [](Pax3d& t) { t.RollLeft90(); }},
    {AxisColorZ, "Z", [](Pax3d& t) { t.PitchUp90(); t.RollLeft90(); }},
}};

const std::array<void (*)(Pax3d&), 3> NegativeAxes{{
    [](Pax3d& t) { t.TurnLeft90(); },
    [](Pax3d& t) { t.TurnAround(); },
    [](Pax3d& t) { t.PitchDown90(); },
}};

void PiecesForward(Pax3d& pax, int k, Extended len) {
    for (int i = 0; i < k; ++i) pax.DrawForward(len / k);
}

// The letter a little beyond the turtle's position, in the axis colour.
void Letter(Pax3d& pax, const Axis& axis, Extended len) {
    TurtleBranch branch(pax);
    pax.JumpForward(len * LetterGap);
    pax.SetWindowColor(axis.Color);
    pax.DrawText(axis.Letter);
}

void ArrowHead(Pax3d& pax, Extended length) {
    for (Extended pitch : {ArrowPitch, -ArrowPitch}) {
        TurtleBranch branch(pax);
        pax.PitchUp(pitch);
        pax.DrawForward(length);
    }
}

void LineAxes(Pax3d& pax, Extended len) {
    pax.SetLineColor(NegativeAxisColor);
    pax.DrawLeft(len);
    pax.JumpHome();
    pax.DrawDown(len);
    pax.JumpHome();
    pax.DrawBack(len);
    pax.JumpHome();
    pax.SetLineColor(AxisColorX);
    pax.DrawRight(len);
    pax.JumpHome();
    pax.SetLineColor(AxisColorY);
    pax.DrawForward(len);
    pax.JumpHome();
    pax.SetLineColor(AxisColorZ);
    pax.DrawUp(len);
    pax.JumpHome();
}

void DashedAxes(Stage& stage, Extended len) {
    Pax3d& pax = stage.Pax();
    for (auto faceAlong : NegativeAxes) {
        TurtleBranch branch(pax);
        faceAlong(pax);
        pax.SetLineColor(NegativeAxisColor);
        DashedForward(stage, AxisPieces, len);
    }
    for (const Axis& axis : PositiveAxes) {
        TurtleBranch branch(pax);
        axis.FaceAlong(pax);
        pax.SetLineColor(axis.Color);
        PiecesForward(pax, AxisPieces, len);
        Letter(pax, axis, len);
    }
}

void ArrowAxes(Pax3d& pax, Extended len) {
    for (const Axis& axis : PositiveAxes) {
        TurtleBranch branch(pax);
        axis.FaceAlong(pax);
        pax.SetLineColor(axis.Color);
        PiecesForward(pax, AxisPieces, len);
        ArrowHead(pax, len * ArrowLength);
        Letter(pax, axis, len);
    }
}

void SolidAxes(Stage& stage, Extended len, bool letters) {
    Pax3d& pax = stage.Pax();
    const Extended rod = len * RodRadius;
    const Extended coneLength = len * ConeLength;
    for (auto faceAlong : NegativeAxes) {
        TurtleBranch branch(pax);
        faceAlong(pax);
        pax.SetColor(NegativeAxisColor);
        Cylinder(stage, NegativeSegments, rod, len);
    }
    for (const Axis& axis : PositiveAxes) {
        TurtleBranch branch(pax);
        axis.FaceAlong(pax);
        pax.SetColor(axis.Color);
        Tube(stage, PositiveSegments, rod, rod, len - coneLength);
        pax.JumpForward(len - coneLength);
        Cone(stage, PositiveSegments, len * ConeRadius, coneLength);
        if (!letters) continue;
        pax.JumpForward(coneLength);
        Letter(pax, axis, len);
    }
}

}  // namespace

void DrawAxis(Stage& stage, Extended len, int style) {
    if (style <= AxisStyle::None || style > AxisStyle::SolidsLetters) return;
    Pax3d& pax = stage.Pax();
    ObjectWindow& view = stage.View();
    const TColor32 windowColor = view.Color();
    {
        TurtleBranch branch(pax);
        pax.Reset();
        switch (style) {
            case AxisStyle::Lines: LineAxes(pax, len); break;
            case AxisStyle::Dashed: DashedAxes(stage, len); break;
            case AxisStyle::Arrows: ArrowAxes(pax, len); break;
            case AxisStyle::Solids: {
                WindowObject object(view, "DrawAxis4", ObjectShape::General);
                SolidAxes(stage, len, false);
                break;
            }
            default: {
                WindowObject object(view, "DrawAxis5", ObjectShape::General);
                SolidAxes(stage, len, true);
                break;
            }
        }
    }
    view.SetColor(windowColor);
}

}  // namespace pax
