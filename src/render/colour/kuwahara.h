#pragma once
// The Kuwahara filter: an edge-keeping smoothing filter for background pictures.

#include "render/surface/bitmap32.h"

namespace pax {

// Every pixel at least 2 pixels inside the border takes the mean red, green and blue of the
// least varied of four windows of six pixels that share it: the 3 x 2 blocks reaching one
// row up and one row down and the 2 x 3 blocks reaching one column right and one column
// left. Because each window holds the pixel itself, a pixel beside an edge keeps its own
// side's colour. Variance is that of the intensity
// (red 61 + green 174 + blue 21) >> 8; on a tie the earlier window in the order above, right,
// below, left wins. Means are truncated; alpha becomes 255. Sums read an unfiltered copy.
// A drawing stop request ends it after the row in hand.
void Kuwahara(TBitmap32& surface);

}  // namespace pax
