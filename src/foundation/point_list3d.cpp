#include "foundation/point_list3d.h"

#include <cassert>
#include <cstring>
#include <string>

#include "system/debug_log.h"

namespace pax {
namespace {

void PackExtended(std::byte* slot, Extended value) { std::memcpy(slot, &value, ExtendedSignificantBytes); }

Extended UnpackExtended(const std::byte* slot) {
    Extended value = 0;
    std::memcpy(&value, slot, ExtendedSignificantBytes);
    return value;
}

struct GlobalLists {
    tPointList3d points{"pointList3d"};
    tPointList3d lines{"lineList3d"};

    GlobalLists() {
        points.SetStep(5000);
        lines.SetStep(4000);
        LogLine(" PList3d.initialization: point size=" + std::to_string(ColorPointBytes) +
                "  list size=" + std::to_string(sizeof(tPointList3d)));
    }
};

GlobalLists& Globals() {
    static GlobalLists lists;
    return lists;
}

}  // namespace

tPointList3d::tPointList3d(std::string_view name) : tOArray(name) { SetSize(ColorPointBytes); }

void tPointList3d::Done() {
    tOArray::Done();
    SetSize(ColorPointBytes);
}

int32_t tPointList3d::AddPoint(const tVector3d& point, TColor32 color) {
    std::byte packed[ColorPointBytes] = {};
    PackExtended(packed, point.x);
    PackExtended(packed + ExtendedSlotBytes, point.y);
    PackExtended(packed + 2 * ExtendedSlotBytes, point.z);
    std::memcpy(packed + 3 * ExtendedSlotBytes, &color, sizeof color);
    return Add(packed);
}

tColorPoint3d tPointList3d::Point(int32_t i) const {
    const auto* packed = static_cast<const std::byte*>(Get(i));
    assert(packed && "point index outside the list");
    if (!packed) return {};
    tColorPoint3d p;
    p.Point = {UnpackExtended(packed), UnpackExtended(packed + ExtendedSlotBytes),
               UnpackExtended(packed + 2 * ExtendedSlotBytes)};
    std::memcpy(&p.Color, packed + 3 * ExtendedSlotBytes, sizeof p.Color);
    return p;
}

tPointList3d& PointList3d() { return Globals().points; }
tPointList3d& LineList3d() { return Globals().lines; }

}  // namespace pax
