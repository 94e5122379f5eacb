#include "render/surface/text_renderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "render/surface/bitmap32.h"
#include "render/surface_test_support.h"

namespace pax {
namespace {

constexpr TColor32 Ground = Color32(0, 0, 64);

TBitmap32 Surface(int w, int h) { return testing::Filled(w, h, Ground); }

int Ink(const TBitmap32& b) {
    int sum = 0;
    for (int i = 0; i < b.Width() * b.Height(); ++i) sum += GreenOf(b.Bits()[i]);
    return sum;
}

TEST(TextRenderer, PictureFontIsAnElevenPixelSansFaceAndBoldIsWiderAndDarker) {
    TBitmap32 b = Surface(100, 20), bold = Surface(100, 20);
    ASSERT_TRUE(HasFontFile(b.Font));   // "MS Sans Serif", 8 points
    EXPECT_TRUE(b.TextHeight() >= 11 && b.TextHeight() <= 15) << b.TextHeight();
    TFont32 big = b.Font;
    big.Size = 16;
    EXPECT_GT(TextBoxHeight(big), b.TextHeight() + 8);
    const int one = b.TextWidth("M"), two = b.TextWidth("MM"), word = b.TextWidth("MMMM MMMM");
    EXPECT_TRUE(b.TextWidth("") == 0 && one > 4 && two > one && word > 2 * two) << one << " " << two << " " << word;
    bold.Font.Bold = true;
    EXPECT_GT(bold.TextWidth("MMMM MMMM"), word);
    b.TextOut(0, 0, "Illinois");
    bold.TextOut(0, 0, "Illinois");
    EXPECT_GT(Ink(bold), Ink(b) * 5 / 4);
}

// Glyph pixels are blended in the font colour by their coverage, only inside the text's box
// and the clip rectangle; a transparent colour draws nothing.
TEST(TextRenderer, DrawsInTheFontColourOnlyInsideItsBoxAndTheClipRectangle) {
    TBitmap32 b = Surface(120, 40);
    b.Font.Color = Color32(255, 255, 0);
    const std::string text = "Pax3d gjpq|";
    b.TextOut(10, 12, text);
    b.Font.Color = Color32(255, 255, 255, 0);
    b.TextOut(10, 28, "Hidden");
    const int w = b.TextWidth(text), h = b.TextHeight();
    int full = 0, touched = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const TColor32 p = b.Pixel(x, y);
            const bool inBox = x >= 10 && x < 10 + w && y >= 12 && y < 12 + h;
            if (!inBox) { ASSERT_EQ(p, Ground) << x << "," << y; }
            full += p == Color32(255, 255, 0);
            touched += p != Ground;
            // Partly covered pixels lie between the background and the font colour.
            EXPECT_EQ(BlueOf(p), 64 * (255 - RedOf(p)) / 255 + (64 * (255 - RedOf(p)) % 255 > 127)) << x << "," << y;
        }
    EXPECT_GT(full, 5);
    EXPECT_GT(touched, 40);
    TBitmap32 c = Surface(60, 20);
    c.SetClipRect({20, 0, 40, 20});
    c.TextOut(0, 2, "WWWWWWWWWWWWWW");
    c.TextOut(-1000000, 2, "far left");
    c.TextOut(5, 2, std::string("\xff\xfe\xc3(\xe2\x82\n\t\0x", 11));
    bool inside = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            if (x < 20 || x >= 40) { ASSERT_EQ(c.Pixel(x, y), Ground); }
            inside |= c.Pixel(x, y) != Ground;
        }
    EXPECT_TRUE(inside);
    TFont32 odd;
    odd.Face = "No Such Face Anywhere";
    odd.Size = -1000000;
    EXPECT_GT(TextBoxWidth("abc", odd), 0);
}

// Without any font the text calls do nothing and the width is an estimate. Runs in a fresh
// process whose fontconfig knows no font directory.
TEST(TextRenderer, WithoutFontsTextIsSkippedAndWidthsAreEstimated) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const std::filesystem::path config = std::filesystem::temp_directory_path() / "pax3d_no_fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    EXPECT_EXIT(
        {
            setenv("FONTCONFIG_FILE", config.c_str(), 1);
            TBitmap32 b = Surface(40, 20);
            b.TextOut(0, 0, "Pax3d");
            const bool ok = !HasFontFile(b.Font) && Ink(b) == 0 && b.TextWidth("Pax3d") > b.TextWidth("Pax") &&
                            b.TextWidth("Pax") > 0 && b.TextHeight() > 0;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(config);
}

}  // namespace
}  // namespace pax
