#include "render/colour/palette.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

uint32_t Rgb(const tPaletteEntry& e) { return uint32_t(e.Red) << 16 | uint32_t(e.Green) << 8 | e.Blue; }

TEST(Palette, EgaGreyAndTopEntriesAreExact) {
    const uint32_t ega[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA, 0xAA5500, 0xAAAAAA,
                              0x555555, 0x5555FF, 0x55FF55, 0x55FFFF, 0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};
    const uint32_t grey[16] = {0x00, 0x14, 0x20, 0x2C, 0x38, 0x44, 0x50, 0x61,
                               0x71, 0x81, 0x91, 0xA1, 0xB6, 0xCA, 0xE2, 0xFF};
    const uint32_t top[8] = {0xFFA4A4, 0xFFC857, 0x52A400, 0x52FFA4, 0xFF5200, 0xA400FF, 0xFFFF00, 0xFFFFFF};
    const tPalette palette;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Rgb(palette.Entry(i)), ega[i]) << i;
        EXPECT_EQ(Rgb(palette.Entry(16 + i)), grey[i] * 0x010101) << 16 + i;
    }
    for (int i = 0; i < 8; ++i) EXPECT_EQ(Rgb(palette.Entry(248 + i)), top[i]) << 248 + i;
    for (const tPaletteEntry& e : palette.Entries()) EXPECT_EQ(e.Flags, 0);
}

TEST(Palette, HueBlocksFollowTheVgaLevelsAndHueOrder) {
    // Block starts (peak blue), a magenta, a red and a yellow of each intensity, widened
    // 6-bit levels rounded to nearest.
    const tPalette p;
    const std::pair<int, uint32_t> expected[] = {
        {32, 0x0000FF}, {33, 0x4100FF}, {36, 0xFF00FF}, {40, 0xFF0000}, {44, 0xFFFF00}, {48, 0x00FF00},
        {55, 0x0041FF}, {56, 0x7D7DFF}, {57, 0x9E7DFF}, {80, 0xB6B6FF}, {103, 0xB6C6FF}, {104, 0x000071},
        {105, 0x1C0071}, {128, 0x393971}, {152, 0x515171}, {176, 0x000041}, {200, 0x202041}, {224, 0x2D2D41},
        {247, 0x2D3141},
    };
    for (auto [index, rgb] : expected) EXPECT_EQ(Rgb(p.Entry(index)), rgb) << index;
}

TEST(Palette, ColourIsTheToolkitColourOfTheEntryAndTheTableIsReplacedAsOneKilobyte) {
    tPalette p;
    EXPECT_EQ(CurrentPalette(), p);
    EXPECT_EQ(p.PaletteColor(9), 0xFF5555);   // 0x00BBGGRR of 5555FF
    EXPECT_EQ(p.PaletteColor32(9), 0xFF5555FFu);
    EXPECT_EQ(p.PaletteColor32(6), 0xFFAA5500u);
    tPalette::Bytes bytes = p.ReadOut();
    EXPECT_TRUE(bytes[9 * 4 + 0] == 0x55 && bytes[9 * 4 + 2] == 0xFF);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    p.Replace(bytes);
    EXPECT_EQ(p.ReadOut(), bytes);
    EXPECT_EQ(p.Entry(1), (tPaletteEntry{28, 35, 42, 49}));
    EXPECT_TRUE(p.PaletteColor32(1) == 0xFF1C232Au && p.PaletteColor(1) == 0x2A231C);   // flags never reach them
    EXPECT_NE(p, tPalette());
}

}  // namespace
}  // namespace pax
