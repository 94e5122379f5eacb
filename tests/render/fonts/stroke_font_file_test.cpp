#include "render/fonts/stroke_font_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

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

TEST(StrokeFontFile, EveryTruncationOfARealFontAndTheFilesTheFuzzerFoundFailOrStayInside) {
    const auto whole = testing::FontFileBytes("SIMP");
    ASSERT_GT(whole.size(), 0x90u);
    for (size_t n = 0; n < whole.size(); ++n) {
        tBGIFont font;
        EXPECT_FALSE(font.LoadBytes({whole.begin(), whole.begin() + long(n)})) << n;
        EXPECT_TRUE(font.Error == tBGIFont::ErrorReadPastEnd || font.Error == tBGIFont::ErrorBadFormat) << n;
    }
    // Named after what they give: "loads_0_*" and "refused_<error>_*".
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PAX3D_SOURCE_DIR "/fuzz/corpus/chr")) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".chr") continue;
        ++seen;
        tBGIFont font;
        font.LoadFile(entry.path().string());
        EXPECT_EQ(std::to_string(font.Error), name.substr(name.find('_') + 1, name.rfind('_') - name.find('_') - 1)) << name;
        for (int c = font.First; font.Held() && c <= font.Last; ++c) {
            const auto strokes = font.CharStrokes(uint8_t(c));
            ASSERT_TRUE(!strokes.empty() && strokes.data() + strokes.size() <= font.Data.data() + font.Data.size()) << name;
        }
    }
    EXPECT_GE(seen, 7);
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
