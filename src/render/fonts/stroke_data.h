#pragma once
// Reading the strokes of one character (the encoding is described in
// tools/make_stroke_fonts.py): polylines of signed-byte points, x to the right of the
// character's left edge, y up from the baseline, ended by a 0 byte. The font machinery
// itself only locates a character's strokes; this is for checking them and for drawing
// them in tools.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pax {

struct tStrokePoint {
    int8_t x = 0, y = 0;
    bool operator==(const tStrokePoint&) const = default;
};

using StrokeVisitor = std::function<void(const std::vector<tStrokePoint>& polyline)>;

// The length in bytes of the strokes at the start of data, the terminating 0 included; 0
// when they run past the end of data. visit, when given, sees every polyline in order.
size_t WalkStrokes(std::span<const uint8_t> data, const StrokeVisitor& visit = {});

}  // namespace pax
