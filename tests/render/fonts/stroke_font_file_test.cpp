#include "render/fonts/stroke_font_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>

#include "render/fonts/font_test_support.h"
#include "system/test_files.h"

namespace pax {
namespace {

using testing::MadeFont;

TEST(StrokeFontFile, FirstThirtyTwoWithNinetyFiveCharactersEndsAt126) {
    tBGIFont font;
    ASSERT_TRUE(font.LoadBytes(MadeFont(32, 95))) << font.Error;
    EXPECT_EQ(font.Loaded, tBGIFont::LoadedMark);
    EXPECT_EQ(font.Name, "TEST");
    EXPECT_EQ(font.Last, 126);
    EXPECT_EQ(font.WidthBase, 0x90u + 190);
    EXPECT_EQ(font.StrokeBase, 0x90u + 285);
    EXPECT_EQ(font.CharWidth(126), 94);
    EXPECT_EQ(font.CharStrokes(126).size(), 4u);
    EXPECT_EQ(font.CharWidth(127), -1);
    EXPECT_TRUE(font.CharStrokes(31).empty());
}

TEST(StrokeFontFile, ABadStartOrBadTablesAreRefusedAndNothingIsHeld) {
    const auto refused = [](std::vector<uint8_t> bytes) {
        tBGIFont font;
        EXPECT_FALSE(font.LoadBytes(std::move(bytes)));
        EXPECT_FALSE(font.Held());
        EXPECT_TRUE(font.Data.empty());
        return font.Error;
    };
    auto file = MadeFont(32, 95);
    file[3] = 0x09;
    EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat);
    for (int16_t count : {0, -1, -200}) {
        file = MadeFont(32, 95);
        file[0x81] = uint8_t(count), file[0x82] = uint8_t(uint16_t(count) >> 8);
        EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat) << count;
    }
    file = MadeFont(200, 95);   // 200 + 95 - 1 is no character code
    EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat);
    file = MadeFont(32, 95);
    file[0x90 + 20] = 0xFF, file[0x91 + 20] = 0xFF;   // a character beyond the end
    EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat);
    file = MadeFont(32, 95);
    file[0x86] = 0x80;   // a negative stroke offset
    EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat);
    file = MadeFont(32, 95);
    file[0x81] = 223;   // tables longer than the file
    EXPECT_EQ(refused(file), tBGIFont::ErrorReadPastEnd);
    file = MadeFont(32, 95);
    file.back() = 3;   // the last character's strokes run off the end
    EXPECT_EQ(refused(file), tBGIFont::ErrorBadFormat);
}

TEST(StrokeFontFile, EveryTruncationAndRandomDamageOfARealFontFailsOrStaysInside) {
    const auto whole = testing::FontFileBytes("SIMP");
    ASSERT_GT(whole.size(), 0x90u);
    for (size_t n = 0; n < whole.size(); ++n) {
        tBGIFont font;
        EXPECT_FALSE(font.LoadBytes({whole.begin(), whole.begin() + long(n)})) << n;
        EXPECT_TRUE(font.Error == tBGIFont::ErrorReadPastEnd || font.Error == tBGIFont::ErrorBadFormat) << n;
    }
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        auto bytes = whole;
        for (int k = 0; k < 4; ++k) bytes[0x80 + random() % (bytes.size() - 0x80)] = uint8_t(random());
        tBGIFont font;
        if (!font.LoadBytes(bytes)) continue;
        for (int c = font.First; c <= font.Last; ++c) {
            const auto strokes = font.CharStrokes(uint8_t(c));
            ASSERT_FALSE(strokes.empty());
            ASSERT_TRUE(strokes.data() >= font.Data.data() && strokes.data() + strokes.size() <= font.Data.data() + font.Data.size());
        }
    }
}

TEST(StrokeFontFile, FilesThatCannotBeReadGiveTheirErrorCode) {
    testing::ScopedTempDir dir;
    tBGIFont font;
    ASSERT_TRUE(font.Load("SIMP"));
    EXPECT_FALSE(font.LoadFile(dir.File("NONE.CHR")));
    EXPECT_EQ(font.Error, ENOENT);
    EXPECT_FALSE(font.Held());   // the earlier font was released first
    EXPECT_FALSE(font.LoadFile(dir.Path()));
    EXPECT_EQ(font.Error, EISDIR);
}

}  // namespace
}  // namespace pax
