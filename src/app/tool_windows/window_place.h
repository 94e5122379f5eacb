#pragma once
// Where the tool windows go: each keeps its place in its section of the configuration, and
// is kept on the screen when it is placed.

#include <cstdint>

#include "system/settings.h"

namespace pax {

// The screen's available area in pixels.
struct tScreenArea {
    int32_t Left = 0, Top = 0, Width = 1920, Height = 1080;
};

// The place moved, as little as needed, so that a window of width x height lies on the
// screen; a window larger than the screen keeps its left or top edge on it.
tWindowPlace KeepOnScreen(tWindowPlace place, int32_t width, int32_t height, const tScreenArea& screen);

// The navigation window's start: each stored coordinate is taken only while it lies less than
// half the window's extent before the screen's right or bottom edge; otherwise the designed
// coordinate stays.
tWindowPlace NavigationStartPlace(tWindowPlace stored, tWindowPlace designed, int32_t width, int32_t height,
                                  const tScreenArea& screen);

}  // namespace pax
