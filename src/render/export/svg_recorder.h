#pragma once
// SvgRecorder: a VectorSink that writes what a window draws as an SVG 1.1 document of the
// picture's size, element for element in drawing order. Lines that continue one another with
// the same colour and smoothing become one polyline, so that a curve of a million segments
// stays a file a browser opens; only neighbours in drawing order are joined, so the painter's
// order of the picture is kept exactly. Pictures (sprites) are embedded as PNG data, each
// distinct one once.
//
// Geometry sits on pixel centres (pixel i covers i .. i + 1 in SVG units, centre i + 0.5);
// rectangles and pictures are given in pixel edges.

#include <cstdint>
#include <unordered_map>
#include <string>
#include <vector>

#include "render/export/vector_sink.h"

namespace pax {

// Elements written, by kind (a joined polyline counts once in polylines, its segments in
// segments).
struct SvgCounts {
    int64_t segments = 0;    // lines received
    int64_t lines = 0;       // <line> elements
    int64_t polylines = 0;   // <polyline> elements of joined lines
    int64_t polygons = 0;    // <polygon> and open <polyline> outlines of polygons
    int64_t ellipses = 0;
    int64_t rects = 0;
    int64_t points = 0;
    int64_t images = 0;
    int64_t texts = 0;
};

class SvgRecorder : public VectorSink {
public:
    // The document's size in pixels and the picture's background, drawn first.
    SvgRecorder(int width, int height, TColor32 background);

    void Line(tPointD from, tPointD to, TColor32 colour, VectorSmoothing smoothing) override;
    void Polygon(std::span<const tPointD> points, TColor32 fill, TColor32 line, bool closed,
                 VectorSmoothing smoothing) override;
    void Point(tPointD at, TColor32 colour) override;
    void Ellipse(tPointD centre, double rx, double ry, TColor32 fill, TColor32 line) override;
    void Rect(double left, double top, double right, double bottom, TColor32 fill, TColor32 frame) override;
    void Image(const TBitmap32& picture, double left, double top, double right, double bottom,
               uint8_t alpha) override;
    void Text(int x, int y, std::string_view text, TColor32 colour, int pixelSize, bool bold) override;

    // The whole document; the recorder can go on recording afterwards.
    std::string Document();
    const SvgCounts& Counts() const { return m_counts; }

private:
    void FlushPath();
    void Coordinates(const tPointD& p);
    void Number(double v, int decimals = 2);
    void Paint(const char* attribute, TColor32 colour);
    void SmoothingAttribute(VectorSmoothing smoothing);

    int m_width, m_height;
    std::string m_body;
    std::string m_defs;
    // The open run of joined lines.
    std::vector<tPointD> m_path;
    TColor32 m_pathColour = 0;
    VectorSmoothing m_pathSmoothing = VectorSmoothing::Antialiased;
    std::unordered_map<std::string, int> m_images;   // PNG data in base 64 -> definition number
    SvgCounts m_counts;
};

// "#rrggbb" of a colour; the alpha is left out.
std::string SvgColour(TColor32 colour);

}  // namespace pax
