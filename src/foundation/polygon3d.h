#pragma once
// tPolygon3d: a tOArray of tVector3d whose points can be indexed directly.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "foundation/o_array.h"
#include "foundation/vector3d.h"

namespace pax {

class tPolygon3d : public tOArray {
public:
    explicit tPolygon3d(std::string_view name = {});

    // Frees the points; the polygon keeps its element size and stays usable.
    void Done() override;
    // Returns the index of the point, or of the last stored one when the polygon is full.
    int32_t AddPoint(const tVector3d& point) { return Add(&point); }

    // The points in use; valid until the next change of the polygon.
    std::span<tVector3d> Points() { return {ItemsAs<tVector3d>(), size_t(Count())}; }
    std::span<const tVector3d> Points() const { return {ItemsAs<const tVector3d>(), size_t(Count())}; }

    // Name, Count and " points".
    std::string GetText() const override;
};

}  // namespace pax
