#pragma once
// Small helpers of the surface tests: filled and random surfaces, their pixels as a vector,
// and a picture of which pixels differ from the background.

#include <algorithm>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "render/surface/bitmap32.h"

namespace pax::testing {

inline TBitmap32 Filled(int width, int height, TColor32 colour = clBlack32) {
    TBitmap32 b(width, height);
    b.Clear(colour);
    return b;
}

// A picture of the given pixels, row by row.
inline TBitmap32 FromPixels(int width, std::initializer_list<TColor32> pixels) {
    TBitmap32 p(width, static_cast<int>(pixels.size()) / width);
    std::copy(pixels.begin(), pixels.end(), p.Bits());
    return p;
}

// Seeded random pixels; alpha random too unless opaque.
inline TBitmap32 RandomPicture(int width, int height, uint32_t seed, bool opaque = false) {
    std::mt19937 rng(seed);
    TBitmap32 p(width, height);
    for (int i = 0; i < width * height; ++i) p.Bits()[i] = opaque ? rng() | 0xFF000000 : rng();
    return p;
}

// Every pixel, row by row.
inline std::vector<TColor32> Pixels(const TBitmap32& b) {
    return {b.Bits(), b.Bits() + static_cast<size_t>(b.Width()) * b.Height()};
}

inline bool SamePicture(const TBitmap32& a, const TBitmap32& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() && Pixels(a) == Pixels(b);
}

// '#' for a pixel other than ground, '.' for ground, a line per row.
inline std::string Marks(const TBitmap32& b, TColor32 ground = clBlack32) {
    std::string out;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) out += b.Pixel(x, y) == ground ? '.' : '#';
        out += '\n';
    }
    return out;
}

}  // namespace pax::testing
