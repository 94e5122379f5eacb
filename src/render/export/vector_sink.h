#pragma once
// VectorSink: what a graphics window tells an exporter about every primitive it puts on its
// surface, in surface pixels (y down) and in drawing order, so that a vector file can repeat
// the picture element for element. The window still draws on its surface; the sink only
// listens. Colours are 0xAARRGGBB; an alpha of 0 means the fill or line is not drawn.

#include <cstdint>
#include <span>
#include <string_view>

#include "foundation/color32.h"

namespace pax {

class TBitmap32;

// A point in surface pixels.
struct tPointD {
    double x = 0, y = 0;
    bool operator==(const tPointD&) const = default;
};

enum class VectorSmoothing : uint8_t { Plain, Antialiased };

class VectorSink {
public:
    virtual ~VectorSink() = default;
    // A one-pixel line.
    virtual void Line(tPointD from, tPointD to, TColor32 colour, VectorSmoothing smoothing) = 0;
    // A polygon (even-odd) filled with fill and outlined with line; closed says whether the
    // outline returns to the first point.
    virtual void Polygon(std::span<const tPointD> points, TColor32 fill, TColor32 line, bool closed,
                         VectorSmoothing smoothing) = 0;
    virtual void Point(tPointD at, TColor32 colour) = 0;
    virtual void Ellipse(tPointD centre, double rx, double ry, TColor32 fill, TColor32 line) = 0;
    // Pixel edges: left and top inside, right and bottom just outside.
    virtual void Rect(double left, double top, double right, double bottom, TColor32 fill, TColor32 frame) = 0;
    // The picture stretched into the rectangle with the master alpha.
    virtual void Image(const TBitmap32& picture, double left, double top, double right, double bottom,
                       uint8_t alpha) = 0;
    // Text whose box's top-left corner is at (x, y).
    virtual void Text(int x, int y, std::string_view text, TColor32 colour, int pixelSize, bool bold) = 0;
};

}  // namespace pax
