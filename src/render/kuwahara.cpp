#include "render/kuwahara.h"

#include <cstdint>
#include <vector>

namespace pax {

namespace {

inline int Intensity(TColor32 c) { return (RedOf(c) * 61 + GreenOf(c) * 174 + BlueOf(c) * 21) >> 8; }

struct WindowStats {
    int64_t Spread = 0;   // 6 * sum(I^2) - sum(I)^2 = 36 * variance
    int Red = 0, Green = 0, Blue = 0;
};

// Windows as (left, top) offsets from the pixel and their size.
struct Window {
    int Dx, Dy, Width, Height;
};
constexpr Window Windows[4] = {
    {-1, -1, 3, 2},   // above
    {0, -1, 2, 3},    // right
    {-1, 0, 3, 2},    // below
    {-1, -1, 2, 3},   // left
};

WindowStats Measure(const std::vector<TColor32>& pixels, const std::vector<int>& intensity, int width, int x, int y,
                    const Window& w) {
    WindowStats s;
    int sum = 0, squares = 0;
    for (int row = 0; row < w.Height; ++row) {
        const size_t base = static_cast<size_t>(y + w.Dy + row) * width + x + w.Dx;
        for (int col = 0; col < w.Width; ++col) {
            const TColor32 c = pixels[base + col];
            const int i = intensity[base + col];
            sum += i;
            squares += i * i;
            s.Red += RedOf(c);
            s.Green += GreenOf(c);
            s.Blue += BlueOf(c);
        }
    }
    s.Spread = int64_t(6) * squares - int64_t(sum) * sum;
    return s;
}

}  // namespace

void Kuwahara(TBitmap32& surface) {
    const int width = surface.Width(), height = surface.Height();
    if (width < 5 || height < 5) return;
    const std::vector<TColor32> pixels(surface.Bits(), surface.Bits() + static_cast<size_t>(width) * height);
    std::vector<int> intensity(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) intensity[i] = Intensity(pixels[i]);

    for (int y = 2; y < height - 2; ++y) {
        TColor32* out = surface.ScanLine(y);
        for (int x = 2; x < width - 2; ++x) {
            WindowStats best = Measure(pixels, intensity, width, x, y, Windows[0]);
            for (int w = 1; w < 4; ++w) {
                const WindowStats s = Measure(pixels, intensity, width, x, y, Windows[w]);
                if (s.Spread < best.Spread) best = s;
            }
            out[x] = Color32(best.Red / 6, best.Green / 6, best.Blue / 6);
        }
    }
    surface.Changed();
}

}  // namespace pax
