#pragma once
// What a projection window offers a drawing turtle. The turtle lives in the scene layer and
// must not know the renderer, so it draws through this interface; the projection window of
// the render layer implements it.

#include <cstdint>
#include <string_view>

#include "foundation/color32.h"
#include "foundation/vector3d.h"
#include "scene/proj_data.h"

namespace pax {

class tPlaneObj;

class TurtleWindow {
public:
    virtual ~TurtleWindow() = default;

    // Projects point as the pen's new current position; with draw, the segment from the
    // previous position is drawn (or recorded as a polygon corner while a plane collects).
    virtual void DoProjection(ProjData& pen, const tVector3d& point, bool draw) = 0;
    // Projects point into the pen's current position only: no previous values, no drawing.
    virtual void ProjectPoint(ProjData& pen, const tVector3d& point) = 0;

    // Polygons: begin with the pen's colours (fill: a filled plane rather than an outline),
    // add the pen's current point as a corner, project and draw the recorded polygon.
    virtual void DoBeginPolyon(ProjData& pen, bool fill) = 0;
    virtual void AddPolyPoint(ProjData& pen) = 0;
    virtual void DoEndPolygon(ProjData& pen) = 0;
    // The recorder of the polygon under construction (its open and collecting flags).
    virtual tPlaneObj& PlaneObject() = 0;

    // Marks at the pen's screen position.
    virtual void DrawText(ProjData& pen, std::string_view text) = 0;
    virtual void DrawSpriteId(ProjData& pen, uint16_t spriteId) = 0;

    // The window's current drawing colour (text and callers without a colour).
    virtual TColor32 WindowColor() const = 0;
    virtual void SetWindowColor(TColor32 color) = 0;

    // Global opacities 0..255 (255 minus the transparency settings).
    virtual uint8_t LineOpacity() const = 0;
    virtual uint8_t FillOpacity() const = 0;
};

}  // namespace pax
