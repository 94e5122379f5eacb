#pragma once
// What a plane recorder draws through. The scene layer must not know the renderer, so the
// graphics window of the render layer implements this. Points are window pixels (float, y
// down); colours 0xAARRGGBB.

#include <span>

#include "foundation/color32.h"

namespace pax {

// A projected corner of a plane.
struct tPoint2f {
    float x = 0, y = 0;
    bool operator==(const tPoint2f&) const = default;
};

enum class PolygonClosure { Open, Closed };

class PlaneCanvas {
public:
    virtual ~PlaneCanvas() = default;

    // A line between two float points.
    virtual void LineF(tPoint2f from, tPoint2f to, TColor32 color) = 0;
    // An even-odd fill in fill, outlined in outline unless outline is 0. drawFlag1 and drawFlag2
    // are the plane's two drawing flags, passed through unchanged.
    virtual void FillPolygon(std::span<const tPoint2f> points, TColor32 fill, TColor32 outline,
                             bool drawFlag1, bool drawFlag2) = 0;
    // The polyline through the points, closed back to the first one or left open.
    virtual void OutlinePolygon(std::span<const tPoint2f> points, TColor32 color, PolygonClosure closure,
                                bool drawFlag1) = 0;
};

}  // namespace pax
