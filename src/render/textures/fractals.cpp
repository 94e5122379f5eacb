#include "render/textures/fractals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pax {

namespace {

inline TColor32 Grey(int g) { return Color32(g, g, g); }

}  // namespace

void RenderFractal(tFractalColor colour, TBitmap32& surface, Extended p1, Extended p2, Extended yMax, Extended yMin,
                   Extended xMax, Extended xMin) {
    if (!colour || surface.Empty()) return;
    const int width = surface.Width(), height = surface.Height();
    for (int r = 0; r < height; ++r) {
        const Extended y = yMin + r * (yMax - yMin) / height;
        for (int c = 0; c < width; ++c) {
            const Extended x = xMin + c * (xMax - xMin) / width;
            surface.SetPixelBlend(c, r, colour(x, y, p1, p2, FractalLimit));
        }
    }
    surface.Changed();
}

TColor32 MandelbrotGrey(Extended x, Extended y, Extended, Extended, int limit) {
    Extended a = x, b = y;
    int n = limit;
    for (;;) {
        const Extended a2 = a * a, b2 = b * b;
        b = y + 2 * a * b;
        a = x + a2 - b2;
        if (a2 > limit || b2 > limit) break;
        if (--n <= -1) break;
    }
    return Grey(n & 0xFF);
}

TColor32 NewtonColor(Extended x, Extended y, Extended, Extended, int limit) {
    struct Root {
        double Re, Im;
        TColor32 Colour;
    };
    static constexpr Root Roots[4] = {
        {0, 1, 0xFFFFFF00}, {-1, 0, 0xFFFF8080}, {0, -1, 0xFF00FFFF}, {1, 0, 0xFFA52A2A}};
    double re = static_cast<double>(x), im = static_cast<double>(y);
    for (int step = 0; step <= limit; ++step) {
        // z - (z^4 - 1) / (4 z^3)
        const double re2 = re * re - im * im, im2 = 2 * re * im;          // z^2
        const double re3 = re2 * re - im2 * im, im3 = re2 * im + im2 * re;  // z^3
        const double re4 = re2 * re2 - im2 * im2, im4 = 2 * re2 * im2;     // z^4
        const double wr = 4 * re3, wi = 4 * im3;
        const double norm = wr * wr + wi * wi;
        if (norm == 0 || !std::isfinite(norm)) return clBlack32;
        const double nr = re4 - 1, ni = im4;
        re -= (nr * wr + ni * wi) / norm;
        im -= (ni * wr - nr * wi) / norm;
        for (const Root& root : Roots) {
            const double dr = re - root.Re, di = im - root.Im;
            if (dr * dr + di * di < 0.01) return root.Colour;
        }
    }
    return clBlack32;
}

TColor32 CosineGrey(Extended x, Extended y, Extended p1, Extended p2, int limit) {
    constexpr Extended Largest = std::numeric_limits<Extended>::max();
    Extended a = x, b = y;
    int i = 0;
    for (int round = 0; round < limit / 2; ++round) {
        // Cosine and sine in double precision: the C library's extended versions cost about
        // thirty times as much (44 million calls per picture), and after a few rounds of this
        // chaotic map the arguments are far beyond the range where their last digits mean
        // anything. The divisions and the overflow bound stay extended.
        const Extended cosB = std::cos(static_cast<double>(b)), sinA = std::sin(static_cast<double>(a));
        if (cosB == 0 || sinA == 0) break;
        const Extended a1 = a / cosB + p2, b1 = b / sinA + p1;
        if (!std::isfinite(a1) || !std::isfinite(b1) || a1 + b1 > Largest) break;
        a = a1;
        b = b1;
        ++i;
    }
    return Grey(std::min(2 * i, 255));
}

const std::array<tFractalPicture, 3>& FractalPictures() {
    static const std::array<tFractalPicture, 3> pictures = {{
        {"Newton fractal", NewtonColor, 0, 0, 1.0L, -1.0L, 1.2L, -1.2L},
        {"Mandelbrot set", MandelbrotGrey, 0.03L, 0.07L, 1.2L, -1.2L, 1.0L, -2.0L},
        {"cosine map", CosineGrey, -0.004L, 0.015L, 3.0L, -3.0L, 3.0L, -3.0L},
    }};
    return pictures;
}

void RenderFractalPicture(FractalMenu picture, TBitmap32& surface) {
    const tFractalPicture& p = FractalPictures()[static_cast<size_t>(picture)];
    RenderFractal(p.Colour, surface, p.P1, p.P2, p.YMax, p.YMin, p.XMax, p.XMin);
}

}  // namespace pax
