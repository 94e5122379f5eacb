#pragma once
// ProjData: the pen and projection record of one turtle. The turtle owns it and sets the pen
// fields; the projection window reads them and writes the projected state of the current and
// the previous position on every call.

#include <cstdint>
#include <string>

#include "foundation/color32.h"
#include "foundation/vector3d.h"

namespace pax {

// Eye coordinates: x right, y depth, z up (unscaled, so their length is the distance from the
// eye). The projection works them out in double precision. The depth alone stays extended:
// line and text parts shift it by whole units to stack on earlier ones, and the shifted value
// keeps all its bits. Doubles where they suffice keep the record lean to copy on every step.
struct tEyeCoordinates {
    Extended y = 0;
    double x = 0, z = 0;

    tVector3d Vector() const { return {x, y, z}; }
};

struct ProjData {
    // --- pen (set by the turtle) ---
    std::string PenName;                  // at most 9 characters; names the pen in log lines
    TColor32 LineColor = 0xFFFFFF00;      // asked for lines
    TColor32 FillColor = 0xFF000000;      // asked for filled polygons
    TColor32 LineDrawColor = 0xFFFFFF00;  // LineColor with the effective alpha: what is drawn
    TColor32 FillDrawColor = 0xFF000000;
    TColor32 TextColor = 0xFFFFFF00;
    uint8_t LineTransparency = 0;         // 0 opaque .. 255 invisible
    uint8_t FillTransparency = 0;
    uint8_t TransparencyMode = 0;         // stored, not interpreted
    uint8_t LineBrightness = 255;         // scale the colours of box parts
    uint8_t FillBrightness = 255;
    uint8_t SpriteTransparency = 0;       // 0 opaque
    uint8_t CircleBrightness = 255;       // scales the fill colour of circle parts
    bool PenIsDown = true;

    // --- projection state (written by the window) ---
    bool Visible = true;                  // the current position lies in front of the near plane
    tVector3d Position;                   // current 3D point
    tEyeCoordinates Eye;
    double ScreenX = 0, ScreenY = 0;      // window pixels, y down
    int32_t RoundX = 0, RoundY = 0;       // screen position rounded (halves to even)
    bool PrevVisible = false;
    tVector3d PrevPosition;
    tEyeCoordinates PrevEye;
    double PrevScreenX = 0, PrevScreenY = 0;   // circles, boxes and sprites keep radii here
    int32_t PrevRoundX = 0, PrevRoundY = 0;
};

}  // namespace pax
