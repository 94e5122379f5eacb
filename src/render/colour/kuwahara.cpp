#include "render/colour/kuwahara.h"

#include <array>
#include <cstdint>
#include <vector>

#include "system/stop_request.h"

namespace pax {

namespace {

// Sums over some pixels of the intensity, its square and the three colour channels.
struct Stats {
    int32_t I = 0, I2 = 0, R = 0, G = 0, B = 0;
    Stats operator+(const Stats& o) const { return {I + o.I, I2 + o.I2, R + o.R, G + o.G, B + o.B}; }
    // 6 sum(I^2) - sum(I)^2: 36 times the variance of a six-pixel window (below 2^22).
    int32_t Spread() const { return 6 * I2 - I * I; }
};

Stats PixelStats(TColor32 c) {
    const int32_t i = (RedOf(c) * 61 + GreenOf(c) * 174 + BlueOf(c) * 21) >> 8;
    return {i, i * i, RedOf(c), GreenOf(c), BlueOf(c)};
}

}  // namespace

// Each window is the sum of two three-pixel runs: the windows above and below of the
// horizontal runs (x - 1 .. x + 1) of two neighbouring rows, the left and right ones of the
// vertical runs (y - 1 .. y + 1) of two neighbouring columns. Rows of pixel statistics and of
// horizontal runs are kept for three source rows at a time, read before any is overwritten.
void Kuwahara(TBitmap32& surface) {
    const int width = surface.Width(), height = surface.Height();
    if (width < 5 || height < 5) return;
    const size_t w = static_cast<size_t>(width);
    std::array<std::vector<Stats>, 3> pixels, runs;   // by source row modulo 3
    std::vector<Stats> columns(w);                     // vertical runs around the output row
    auto load = [&](int y) {
        std::vector<Stats>& p = pixels[y % 3];
        std::vector<Stats>& h = runs[y % 3];
        p.resize(w);
        h.resize(w);
        const TColor32* row = surface.ScanLine(y);
        for (size_t x = 0; x < w; ++x) p[x] = PixelStats(row[x]);
        for (size_t x = 1; x + 1 < w; ++x) h[x] = p[x - 1] + p[x] + p[x + 1];
    };
    load(1);
    load(2);
    for (int y = 2; y < height - 2; ++y) {
        if (DrawingStopRequested()) break;
        load(y + 1);
        const std::vector<Stats>&above = pixels[(y - 1) % 3], &here = pixels[y % 3], &below = pixels[(y + 1) % 3];
        for (size_t x = 1; x + 1 < w; ++x) columns[x] = above[x] + here[x] + below[x];
        const std::vector<Stats>&runAbove = runs[(y - 1) % 3], &run = runs[y % 3], &runBelow = runs[(y + 1) % 3];
        TColor32* out = surface.ScanLine(y);
        for (size_t x = 2; x + 2 < w; ++x) {
            // In the order above, right, below, left; the first of equal spreads wins.
            const Stats windows[4] = {runAbove[x] + run[x], columns[x] + columns[x + 1], run[x] + runBelow[x],
                                      columns[x - 1] + columns[x]};
            const Stats* best = &windows[0];
            for (const Stats& s : windows)
                if (s.Spread() < best->Spread()) best = &s;
            out[x] = Color32(best->R / 6, best->G / 6, best->B / 6);
        }
    }
    surface.Changed();
}

}  // namespace pax
