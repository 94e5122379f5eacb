#include "render/textures/generated_textures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace pax {

namespace {

constexpr int N = TextureSide;
constexpr double Tau = 2 * std::numbers::pi;

TColor32 Rgb(double r, double g, double b) {
    const auto c = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 255.0)); };
    return 0xFF000000u | c(r) << 16 | c(g) << 8 | c(b);
}

// A hash of the pixel, 0 .. 1, the same for the same pixel: grain that tiles by itself.
double Grain(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 73856093u ^ static_cast<uint32_t>(y) * 19349663u ^ seed * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return (h & 0xFFFF) / 65535.0;
}

// Smooth noise with whole periods across the tile, so it tiles seamlessly.
double Waves(int x, int y, double phase) {
    const double u = Tau * x / N, v = Tau * y / N;
    return (std::sin(u + 2 * std::sin(v + phase)) + std::sin(2 * v + std::sin(3 * u)) +
            0.5 * std::sin(3 * u + 2 * v + phase)) /
           2.5;
}

TColor32 Bricks(int x, int y) {
    const int row = y / 16, inRow = y % 16;
    const int shift = (row % 2) * 24;
    const int inBrick = (x + shift) % 48;
    const double g = Grain(x, y, 1) * 40;
    if (inRow < 2 || inBrick < 2) return Rgb(190 + g / 2, 185 + g / 2, 175 + g / 2);
    // Each brick its own shade; the brick cut by the right edge goes on at the left.
    const int brick = (x + shift) / 48 % (N / 48);
    const double shade = 40 * Grain(brick, row, 11) - 20;
    return Rgb(150 + shade + g, 55 + g / 2, 40 + g / 3);
}

TColor32 Checks(int x, int y) {
    const bool dark = ((x / 12) + (y / 12)) % 2 == 1;
    const double g = Grain(x, y, 2) * 12;
    return dark ? Rgb(30 + g, 60 + g, 140 + g) : Rgb(225 + g, 230 + g, 240);
}

TColor32 Wood(int x, int y) {
    const double bend = 6 * Waves(x, y, 0.7);
    const double rings = 0.5 + 0.5 * std::sin(Tau * 6 * x / N + bend);
    const double g = Grain(x, y, 3) * 18;
    return Rgb(120 + 70 * rings + g, 70 + 40 * rings + g / 2, 30 + 15 * rings);
}

TColor32 Marble(int x, int y) {
    const double vein = std::abs(std::sin(Tau * (x + y) / N + 3 * Waves(x, y, 1.9)));
    const double v = 160 + 90 * std::pow(vein, 0.3);
    return Rgb(v, v - 5, v - 12);
}

TColor32 Stars(int x, int y) {
    const double sky = 25 + 15 * (0.5 + 0.5 * Waves(x, y, 2.3));
    const double s = Grain(x, y, 5);
    if (s > 0.993) return Rgb(255, 255, 230);
    if (s > 0.985) return Rgb(160, 170, 220);
    return Rgb(sky / 3, sky / 2, sky + 20);
}

TColor32 Scales(int x, int y) {
    // Overlapping discs in rows shifted by half a disc; the row below lies over the one above.
    constexpr int S = 16;
    for (int row = N / S; row >= -1; --row) {
        const int cy = row * S;
        const int shift = (row % 2 + 2) % 2 * S / 2;
        for (int cx = shift - S; cx <= N + S; cx += S) {
            const double d = std::hypot(static_cast<double>(x - cx), static_cast<double>(y - cy)) / (S * 0.72);
            if (d < 1) return Rgb(40 + 90 * d, 150 - 60 * d, 90 + 50 * d);
        }
    }
    return Rgb(20, 60, 40);
}

TColor32 WavesColour(int x, int y) {
    const double w = 0.5 + 0.5 * std::sin(Tau * 4 * y / N + 1.5 * std::sin(Tau * 2 * x / N));
    return Rgb(20 + 60 * w, 90 + 110 * w, 160 + 90 * w);
}

TColor32 Diamonds(int x, int y) {
    constexpr int S = 24;
    const int dx = std::abs(x % S - S / 2), dy = std::abs(y % S - S / 2);
    const int d = dx + dy;
    if (d > S / 2 - 2 && d < S / 2 + 1) return Rgb(60, 50, 40);
    const bool inner = d <= S / 2 - 2;
    const double g = Grain(x, y, 8) * 10;
    return inner ? Rgb(200 + g, 160 + g, 60) : Rgb(120 + g, 30 + g, 50 + g);
}

TColor32 Grass(int x, int y) {
    const double g = Grain(x, y, 9), h = Grain(x, (y + 1) % N, 9);
    const double blade = 0.6 * g + 0.4 * h;
    return Rgb(30 + 50 * blade, 90 + 110 * blade, 20 + 30 * blade);
}

using Painter = TColor32 (*)(int, int);
constexpr Painter Painters[GeneratedTextureCount] = {Bricks, Checks, Wood, Marble, Stars,
                                                     Scales, WavesColour, Diamonds, Grass};
constexpr std::string_view Names[GeneratedTextureCount] = {"bricks", "checks", "wood",     "marble", "stars",
                                                           "scales", "waves",  "diamonds", "grass"};

}  // namespace

TBitmap32 MakeTexture(int number) {
    TBitmap32 texture;
    if (number < 1 || number > GeneratedTextureCount) return texture;
    texture.SetSize(N, N);
    const Painter paint = Painters[number - 1];
    for (int y = 0; y < N; ++y) {
        TColor32* row = texture.ScanLine(y);
        for (int x = 0; x < N; ++x) row[x] = paint(x, y);
    }
    return texture;
}

std::string_view TextureName(int number) {
    if (number < 1 || number > GeneratedTextureCount) return {};
    return Names[number - 1];
}

}  // namespace pax
