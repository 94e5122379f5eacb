#include "render/colour/palette.h"

namespace pax {

namespace {

// 6-bit DAC level to 8 bits, rounded to nearest: 0x15 -> 0x55, 0x2A -> 0xAA, 0x3F -> 0xFF.
constexpr uint8_t Widen(int level) { return static_cast<uint8_t>((level * 255 + 31) / 63); }

constexpr tPaletteEntry Rgb(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0};
}

constexpr uint32_t EgaColors[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                                    0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
constexpr uint8_t GreyRamp[16] = {0x00, 0x14, 0x20, 0x2C, 0x38, 0x44, 0x50, 0x61,
                                  0x71, 0x81, 0x91, 0xA1, 0xB6, 0xCA, 0xE2, 0xFF};
constexpr uint32_t TopColors[8] = {0xFFA4A4, 0xFFC857, 0x52A400, 0x52FFA4, 0xFF5200, 0xA400FF, 0xFFFF00, 0xFFFFFF};

// The nine hue blocks of 24 colours, entries 32 .. 247: three intensities (peak 63, 28, 16),
// each at three saturations. Each row lists the 6-bit levels from the low level (l0) to the
// peak (l4).
constexpr int BlockLevels[9][5] = {
    {0, 16, 31, 47, 63}, {31, 39, 47, 55, 63}, {45, 49, 54, 58, 63},
    {0, 7, 14, 21, 28},  {14, 17, 21, 24, 28}, {20, 22, 24, 26, 28},
    {0, 4, 8, 12, 16},   {8, 10, 12, 14, 16},  {11, 12, 13, 15, 16},
};

// The hue circle of one block as level indices (red, green, blue): from blue through
// magenta, red, yellow, green and cyan back towards blue.
constexpr int HueCircle[24][3] = {
    {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
    {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
    {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4},
};

std::array<tPaletteEntry, tPalette::Size> BuildDefault() {
    std::array<tPaletteEntry, tPalette::Size> p{};
    for (int i = 0; i < 16; ++i) {
        p[i] = Rgb(EgaColors[i]);
        p[16 + i] = {GreyRamp[i], GreyRamp[i], GreyRamp[i], 0};
    }
    for (int block = 0; block < 9; ++block) {
        const int* levels = BlockLevels[block];
        for (int hue = 0; hue < 24; ++hue) {
            const int* l = HueCircle[hue];
            p[32 + block * 24 + hue] = {Widen(levels[l[0]]), Widen(levels[l[1]]), Widen(levels[l[2]]), 0};
        }
    }
    for (int i = 0; i < 8; ++i) p[248 + i] = Rgb(TopColors[i]);
    return p;
}

}  // namespace

const std::array<tPaletteEntry, tPalette::Size>& DefaultPaletteEntries() {
    static const std::array<tPaletteEntry, tPalette::Size> entries = BuildDefault();
    return entries;
}

tPalette::tPalette() : m_entries(DefaultPaletteEntries()) {}

tPalette::Bytes tPalette::ReadOut() const {
    Bytes bytes{};
    for (int i = 0; i < Size; ++i) {
        const tPaletteEntry& e = m_entries[i];
        bytes[4 * i] = e.Red;
        bytes[4 * i + 1] = e.Green;
        bytes[4 * i + 2] = e.Blue;
        bytes[4 * i + 3] = e.Flags;
    }
    return bytes;
}

void tPalette::Replace(std::span<const uint8_t, ByteSize> bytes) {
    for (int i = 0; i < Size; ++i)
        m_entries[i] = {bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2], bytes[4 * i + 3]};
}

TWinColor tPalette::PaletteColor(uint8_t index) const { return ColorToWin(PaletteColor32(index)); }

TColor32 tPalette::PaletteColor32(uint8_t index) const {
    const tPaletteEntry& e = m_entries[index];
    return Color32(e.Red, e.Green, e.Blue);
}

tPalette& CurrentPalette() {
    static tPalette palette;
    return palette;
}

}  // namespace pax
