#pragma once
// The coordinate axes drawn with the stage's "Pax" turtle from the origin: X along the world's
// x (the reset turtle's Right), Y along y (Heading), Z along z (Up), in one of six styles.

#include <cstdint>

#include "foundation/color32.h"
#include "foundation/extended.h"

namespace pax {

class Stage;

inline constexpr TColor32 AxisColorX = 0xFFFF0000;
inline constexpr TColor32 AxisColorY = 0xFF00FF00;
inline constexpr TColor32 AxisColorZ = 0xFF6495ED;
inline constexpr TColor32 NegativeAxisColor = 0xFFBEBEBE;

namespace AxisStyle {
inline constexpr int None = 0;
inline constexpr int Lines = 1;        // six lines from the origin
inline constexpr int Dashed = 2;       // dashed negatives, positives in 20 pieces with letters
inline constexpr int Arrows = 3;       // positives only, arrow heads and letters
inline constexpr int Solids = 4;       // object "DrawAxis4": grey cylinders, coloured rods and cones
inline constexpr int SolidsLetters = 5;   // object "DrawAxis5": as 4 with letters
}  // namespace AxisStyle

// Each half-axis len long. Styles outside 0 .. 5 draw nothing. The turtle is unchanged.
void DrawAxis(Stage& stage, Extended len, int style);

}  // namespace pax
