#include "render/text_renderer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "render/bitmap32.h"

namespace pax {
namespace {

constexpr TColor32 Ground = Color32(0, 0, 64);

TBitmap32 Surface(int w, int h) {
    TBitmap32 b(w, h);
    b.Clear(Ground);
    return b;
}

TEST(TextRenderer, PictureFontMapsToAnElevenPixelSansFace) {
    TFont32 font;   // "MS Sans Serif", 8 points
    ASSERT_TRUE(HasFontFile(font));
    EXPECT_GE(TextBoxHeight(font), 11);
    EXPECT_LE(TextBoxHeight(font), 15);
    TFont32 big = font;
    big.Size = 16;
    EXPECT_GT(TextBoxHeight(big), TextBoxHeight(font) + 8);
}

TEST(TextRenderer, DrawsInTheFontColourOnlyInsideItsBox) {
    TBitmap32 b = Surface(120, 40);
    b.Font.Color = Color32(255, 255, 0);
    const std::string text = "Pax3d gjpq|";
    b.TextOut(10, 12, text);
    const int w = b.TextWidth(text), h = b.TextHeight();
    int full = 0, touched = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const TColor32 p = b.Pixel(x, y);
            const bool inBox = x >= 10 && x < 10 + w && y >= 12 && y < 12 + h;
            if (!inBox) {
                ASSERT_EQ(p, Ground) << x << "," << y;
            }
            full += p == Color32(255, 255, 0);
            touched += p != Ground;
            // Partly covered pixels lie between the background and the font colour.
            EXPECT_EQ(BlueOf(p), 64 * (255 - RedOf(p)) / 255 + (64 * (255 - RedOf(p)) % 255 > 127)) << x << "," << y;
        }
    EXPECT_GT(full, 5);
    EXPECT_GT(touched, 40);
}

TEST(TextRenderer, WidthGrowsWithTheTextAndBoldIsWider) {
    TBitmap32 b;
    EXPECT_EQ(b.TextWidth(""), 0);
    const int one = b.TextWidth("M"), two = b.TextWidth("MM"), word = b.TextWidth("MMMM MMMM");
    EXPECT_GT(one, 4);
    EXPECT_GT(two, one);
    EXPECT_GT(word, 2 * two);
    b.Font.Bold = true;
    EXPECT_GT(b.TextWidth("MMMM MMMM"), word);
}

TEST(TextRenderer, BoldTextCoversMorePixels) {
    TBitmap32 plain = Surface(100, 20), bold = Surface(100, 20);
    bold.Font.Bold = true;
    plain.TextOut(0, 0, "Illinois");
    bold.TextOut(0, 0, "Illinois");
    auto ink = [](const TBitmap32& b) {
        int sum = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) sum += GreenOf(b.Pixel(x, y));
        return sum;
    };
    EXPECT_GT(ink(bold), ink(plain) * 5 / 4);
}

TEST(TextRenderer, IsClippedAndSurvivesOddInput) {
    TBitmap32 b = Surface(60, 20);
    b.SetClipRect({20, 0, 40, 20});
    b.TextOut(0, 2, "WWWWWWWWWWWWWW");
    b.TextOut(-1000000, 2, "far left");
    b.TextOut(5, 2, std::string("\xff\xfe\xc3(\xe2\x82\n\t\0x", 11));
    bool inside = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            if (x < 20 || x >= 40) {
                ASSERT_EQ(b.Pixel(x, y), Ground);
            }
            inside |= b.Pixel(x, y) != Ground;
        }
    EXPECT_TRUE(inside);
    TFont32 odd;
    odd.Face = "No Such Face Anywhere";
    odd.Size = -1000000;
    EXPECT_GT(TextBoxWidth("abc", odd), 0);
}

TEST(TextRenderer, TransparentFontColourDrawsNothing) {
    TBitmap32 b = Surface(40, 20);
    b.Font.Color = Color32(255, 255, 255, 0);
    b.TextOut(0, 0, "Hidden");
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(b.Pixel(x, y), Ground);
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
            bool untouched = true;
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 40; ++x) untouched = untouched && b.Pixel(x, y) == Ground;
            const bool ok = !HasFontFile(b.Font) && untouched && b.TextWidth("Pax3d") > b.TextWidth("Pax") &&
                            b.TextWidth("Pax") > 0 && b.TextHeight() > 0;
            std::exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::filesystem::remove(config);
}

}  // namespace
}  // namespace pax
