#pragma once
// Picture utilities of the application: colour-key transparency and fitting a picture into a
// page. Saving surfaces as BMP or JPEG lives in picture_io.h.

#include <cstdint>

#include "render/surface/bitmap32.h"

namespace pax {

// destination becomes a copy of source (they may be the same surface). For every pixel,
// d2 = the sum over red, green and blue of (channel - key channel)^2; when d2 < radius^2 the
// pixel's alpha becomes d2 255 / radius^2 rounded to nearest, and when that is below
// threshold the pixel becomes 0x00000000. Radius 0 changes no alpha; a negative radius
// counts as its magnitude.
void ColorKey(const TBitmap32& source, TBitmap32& destination, TColor32 key, int threshold, int radius);

// The largest rectangle with the picture's proportions inside the page. When the page is
// relatively wider than the picture it has the page's full height and is centred
// horizontally (the offset is half the unused width, truncated); otherwise it has the page's
// full width and starts at the page's top left. The other side is truncated so the rectangle
// stays inside. False, with out unchanged, when either rectangle has no area.
bool FitRect(const TRect& picture, const TRect& page, TRect& out);

}  // namespace pax
