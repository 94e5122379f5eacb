#pragma once
// Fractal pictures: a renderer that walks the pixels over a rectangle of the plane and asks a
// colour routine for each point, the three colour routines, and the three pictures of the
// main window's menu.

#include <array>

#include "foundation/color32.h"
#include "foundation/extended.h"
#include "render/surface/bitmap32.h"

namespace pax {

// The colour of the point (x, y); p1 and p2 are the picture's parameters, limit bounds the
// iteration.
using tFractalColor = TColor32 (*)(Extended x, Extended y, Extended p1, Extended p2, int limit);

inline constexpr int FractalLimit = 255;

// Pixel (column c, row r) shows the point x = xMin + c (xMax - xMin) / width,
// y = yMin + r (yMax - yMin) / height (row 0 is y min); its colour is set clipped and blended.
void RenderFractal(tFractalColor colour, TBitmap32& surface, Extended p1, Extended p2, Extended yMax, Extended yMin,
                   Extended xMax, Extended xMin);

// Grey of the Mandelbrot iteration of c = x + iy: the count n runs down from limit by one per
// round until a^2 or b^2 exceeds limit (which doubles as the escape bound) or n reaches -1;
// grey n mod 256, so a point that never escapes is white. p1 and p2 are unused.
TColor32 MandelbrotGrey(Extended x, Extended y, Extended p1, Extended p2, int limit);

// Newton's method for z^4 = 1 from x + iy, at most limit + 1 steps, each followed by a test
// against the roots i, -1, -i, 1 (squared distance below 0.01): yellow, light red, cyan or
// brown by the root reached, black when none is reached or the step is undefined (z = 0).
// Computed in double precision.
TColor32 NewtonColor(Extended x, Extended y, Extended p1, Extended p2, int limit);

// Up to limit div 2 rounds of a' = a / cos b + p2, b' = b / sin a + p1; the count i of
// finished rounds gives the grey min(2 i, 255). The rounds stop when a division by zero
// would come (cos b = 0 or sin a = 0), when a' or b' is not finite, or when their sum
// exceeds the largest extended real. Cosine and sine are taken in double precision.
TColor32 CosineGrey(Extended x, Extended y, Extended p1, Extended p2, int limit);

struct tFractalPicture {
    const char* Name;
    tFractalColor Colour;
    Extended P1, P2, YMax, YMin, XMax, XMin;
};

enum class FractalMenu { Newton, Mandelbrot, CosineMap };

// Newton fractal, Mandelbrot set, cosine map.
const std::array<tFractalPicture, 3>& FractalPictures();

void RenderFractalPicture(FractalMenu picture, TBitmap32& surface);
inline void RenderNewtonFractal(TBitmap32& surface) { RenderFractalPicture(FractalMenu::Newton, surface); }
inline void RenderMandelbrotSet(TBitmap32& surface) { RenderFractalPicture(FractalMenu::Mandelbrot, surface); }
inline void RenderCosineMap(TBitmap32& surface) { RenderFractalPicture(FractalMenu::CosineMap, surface); }

}  // namespace pax
