#pragma once
// The light's symbol, drawn with the stage's "Pax" turtle: a round mark at the light's
// position, two short strokes along the light's Up and Right, and a line of 20 pieces from the
// light along its direction, which for the default light ends at the origin.

namespace pax {

class Stage;

// The mark's radius and the strokes' length, in world units.
inline constexpr int LightMarkSize = 15;
inline constexpr int LightStrokeLength = 30;
inline constexpr int LightLinePieces = 20;
// The mark's fill when the light is off.
inline constexpr unsigned LightOffFill = 0xFF404040;

// In its own window object, so that the symbol is depth-sorted with the scene. The turtle is
// unchanged afterwards.
void DrawLight(Stage& stage);

}  // namespace pax
