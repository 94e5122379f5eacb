#include "render/fonts/vector_font.h"

#include <gtest/gtest.h>

#include "render/fonts/font_names.h"
#include "render/fonts/stroke_data.h"
#include "render/fonts/stroke_font_file.h"

namespace pax {
namespace {

TEST(VectorFont, SelectFontTakesTheCompiledInFontsAndRefusesOthersWith210) {
    tVectorFont font;
    for (int n : {11, -1, 255}) {
        EXPECT_FALSE(font.SelectFont(n));
        EXPECT_EQ(font.Error, tVectorFont::ErrorNoFont);
    }
    ASSERT_TRUE(font.SelectFont(7));
    EXPECT_EQ(font.Error, 0);
    EXPECT_STREQ(font.Font->Name, "SIMP");
    EXPECT_EQ(font.Height, 21);   // the simplex capitals
    EXPECT_EQ(font.Size, font.Height - font.Font->Descender);
    EXPECT_EQ(font.Char, 32);
    EXPECT_EQ(font.CharData.size(), 2u);   // the blank: its width and the end of its strokes
}

TEST(VectorFont, CharactersOutsideThirtyTwoTo126Give201) {
    tVectorFont font;
    ASSERT_TRUE(font.SelectFont(0));
    EXPECT_GT(font.GetCharWidth('W'), font.GetCharWidth('i'));
    EXPECT_EQ(font.Error, 0);
    EXPECT_TRUE(font.GetCharData(126));
    EXPECT_EQ(font.Char, 126);
    EXPECT_EQ(font.GetCharWidth(127), 0);
    EXPECT_EQ(font.Error, tVectorFont::ErrorCharRange);
    font.Error = 0;
    EXPECT_FALSE(font.GetCharData(127));
    EXPECT_EQ(font.Error, tVectorFont::ErrorCharRange);
    EXPECT_EQ(font.Char, 32);
    EXPECT_FALSE(font.GetCharData(31));
}

TEST(VectorFont, EveryGeneratedFontLoadsFromItsFileAndAgreesWithItsCompiledInTable) {
    for (int n = 0; n < StrokeFontCount; ++n) {
        SCOPED_TRACE(StrokeFontName(n));
        tBGIFont file;
        ASSERT_TRUE(file.Load(StrokeFontName(n))) << file.Error;
        tVectorFont font;
        ASSERT_TRUE(font.SelectFont(n));
        EXPECT_EQ(file.Name, font.Font->Name);
        EXPECT_EQ(file.First, font.Font->First);
        EXPECT_EQ(file.Last, font.Font->Last);
        EXPECT_EQ(static_cast<int8_t>(file.Data[0x88]), font.Height);
        EXPECT_EQ(static_cast<int8_t>(file.Data[0x8A]), font.Font->Descender);
        int drawn = 0;
        for (int c = file.First; c <= file.Last; ++c) {
            ASSERT_TRUE(font.GetCharData(uint8_t(c)));
            EXPECT_EQ(file.CharWidth(uint8_t(c)), font.GetCharWidth(uint8_t(c))) << c;
            const auto strokes = file.CharStrokes(uint8_t(c));
            ASSERT_EQ(font.CharData.size(), strokes.size() + 1) << c;
            ASSERT_TRUE(std::equal(strokes.begin(), strokes.end(), font.CharData.begin() + 1)) << c;
            if (strokes.size() > 1) ++drawn;
        }
        EXPECT_EQ(drawn, 94);   // every character but the blank has strokes
    }
}

TEST(StrokeData, WalkStrokesSeesEveryPolylineAndRefusesStrokesThatRunOff) {
    const uint8_t data[] = {2, 1, 2, 0xFF, 4, 1, 9, 9, 0, 77};
    std::vector<std::vector<tStrokePoint>> seen;
    EXPECT_EQ(WalkStrokes(data, [&](const auto& line) { seen.push_back(line); }), 9u);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0][1], (tStrokePoint{-1, 4}));
    EXPECT_EQ(seen[1], (std::vector<tStrokePoint>{{9, 9}}));
    EXPECT_EQ(WalkStrokes(std::span(data).first(8)), 0u);
    EXPECT_EQ(WalkStrokes(std::span(data).first(4)), 0u);
    EXPECT_EQ(WalkStrokes({}), 0u);
}

}  // namespace
}  // namespace pax
