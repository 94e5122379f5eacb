#include "app/tool_windows/window_place.h"

#include <algorithm>

namespace pax {

namespace {

int32_t KeepInside(int32_t start, int32_t extent, int32_t areaStart, int32_t areaExtent) {
    const int32_t last = areaStart + std::max(0, areaExtent - extent);
    return std::clamp(start, areaStart, last);
}

}  // namespace

tWindowPlace KeepOnScreen(tWindowPlace place, int32_t width, int32_t height, const tScreenArea& screen) {
    return {KeepInside(place.Left, width, screen.Left, screen.Width),
            KeepInside(place.Top, height, screen.Top, screen.Height)};
}

tWindowPlace NavigationStartPlace(tWindowPlace stored, tWindowPlace designed, int32_t width, int32_t height,
                                  const tScreenArea& screen) {
    tWindowPlace place = designed;
    if (stored.Left < screen.Width - width / 2) place.Left = stored.Left;
    if (stored.Top < screen.Height - height / 2) place.Top = stored.Top;
    return place;
}

}  // namespace pax
