#include "render/fonts/stroke_data.h"

namespace pax {

size_t WalkStrokes(std::span<const uint8_t> data, const StrokeVisitor& visit) {
    std::vector<tStrokePoint> polyline;
    size_t at = 0;
    while (at < data.size()) {
        const size_t count = data[at++];
        if (count == 0) return at;
        if (data.size() - at < 2 * count) return 0;
        if (visit) {
            polyline.clear();
            for (size_t i = 0; i < count; ++i)
                polyline.push_back({static_cast<int8_t>(data[at + 2 * i]), static_cast<int8_t>(data[at + 2 * i + 1])});
            visit(polyline);
        }
        at += 2 * count;
    }
    return 0;
}

}  // namespace pax
