#pragma once
// tPointList3d: a tOArray of coloured points, and the two process-wide lists that the
// projection window fills with projected points ("pointList3d") and line end points
// ("lineList3d").

#include <cfloat>
#include <cstdint>
#include <string_view>

#include "foundation/color32.h"
#include "foundation/o_array.h"
#include "foundation/vector3d.h"

namespace pax {

// A point is stored as x, y, z in 12-byte slots (the 10 significant bytes of an x87 extended
// value) followed by the colour: 40 bytes, so that the 420000-byte limit holds 10000 points at
// a step of 5000 and 8000 at a step of 4000. Where long double is not the x87 type, the slots
// take the whole value.
inline constexpr int ExtendedSignificantBytes = LDBL_MANT_DIG == 64 ? 10 : int(sizeof(Extended));
inline constexpr int ExtendedSlotBytes = LDBL_MANT_DIG == 64 ? 12 : int(sizeof(Extended));
inline constexpr int ColorPointBytes = 3 * ExtendedSlotBytes + int(sizeof(TColor32));

class tPointList3d : public tOArray {
public:
    explicit tPointList3d(std::string_view name = {});

    // Frees the points; the list keeps its element size and stays usable.
    void Done() override;
    // Returns the index of the point, or of the last stored one when the list is full.
    int32_t AddPoint(const tVector3d& point, TColor32 color);
    // Point i, 0 <= i < Count.
    tColorPoint3d Point(int32_t i) const;
};

// The process-wide lists, created on first use: "pointList3d" with a step of 5000 points and
// "lineList3d" with a step of 4000.
tPointList3d& PointList3d();
tPointList3d& LineList3d();

}  // namespace pax
