#include "system/text_utils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <regex>

namespace pax {
namespace {

TEST(IntToText, RightAlignsAndZeroFillsForNegativeWidths) {
    EXPECT_EQ(IntToText(7, -3), "007");
    EXPECT_EQ(IntToText(7, 3), "  7");
    EXPECT_EQ(IntToText(7, 0), "7");
    EXPECT_EQ(IntToText(12345, 3), "12345");
    EXPECT_EQ(IntToText(-7, 4), "  -7");
    EXPECT_EQ(IntToText(-7, -4), "-007");  // the sign leads the zeros
    EXPECT_EQ(IntToText(-2147483647 - 1, 0), "-2147483648");
}

TEST(IntToText, TheBlankValueGivesWidthBlanksAndNoTextExceeds80) {
    EXPECT_EQ(IntToText(-2147483647, 5), "     ");
    EXPECT_EQ(IntToText(-2147483647, -4), "    ");
    EXPECT_EQ(IntToText(1, 500).size(), 80u);
    EXPECT_EQ(IntToText(1, -500), std::string(79, '0') + "1");
}

TEST(FloatToText, FixedWithWidthAndDecimalsOrTheShortestGeneralForm) {
    EXPECT_EQ(FloatToText(2, 8, 3.14159L), "    3.14");
    EXPECT_EQ(FloatToText(3, 0, -1.5L), "-1.500");
    EXPECT_EQ(FloatToText(0, 4, 7.0L), "   7");
    EXPECT_EQ(FloatToText(0, 0, 0.1L), "0.1");
    EXPECT_EQ(FloatToText(0, 0, 42.0L), "42");
    EXPECT_EQ(FloatToText(0, 0, 1.0L / 3), "0.333333333333333");
}

TEST(TextToFloat, DropsEverythingButDigitsAndSeparators) {
    EXPECT_EQ(TextToFloat("-1.5"), 1.5L);
    EXPECT_EQ(TextToFloat(""), 0.0L);
    EXPECT_EQ(TextToFloat("1,5"), 1.5L);
    EXPECT_EQ(TextToFloat("x12 y.5z"), 12.5L);
    EXPECT_EQ(TextToFloat(".25"), 0.25L);
    EXPECT_EQ(TextToFloat("."), 0.0L);
    EXPECT_EQ(TextToFloat("abc"), 0.0L);
    // A second separator ends the number instead of making the text unreadable.
    EXPECT_EQ(TextToFloat("1.000,5"), 1.0L);
    EXPECT_EQ(TextToFloat("2,5.7"), 2.5L);
}

TEST(TextToFloat, ReadsBackWhatFloatToTextWrote) {
    std::mt19937 random(17);
    std::uniform_real_distribution<double> value(0.0, 1e6);
    for (int i = 0; i < 1000; ++i) {
        long double v = value(random);
        EXPECT_NEAR(static_cast<double>(TextToFloat(FloatToText(6, 0, v))), static_cast<double>(v), 1e-6);
    }
}

TEST(HexText, UpperCaseDigitsHighPartFirst) {
    EXPECT_EQ(ByteToHex(0xAB), "AB");
    EXPECT_EQ(ByteToHex(5), "05");
    EXPECT_EQ(WordToHex(0x1F), "001F");
    EXPECT_EQ(LongToHex(0xDEADBEEF), "DEADBEEF");
    EXPECT_EQ(LongToHex(0xFF), "000000FF");
}

TEST(DateText, MonthDayYear) {
    EXPECT_EQ(DateText(3, 7, 2024), " 3-07-2024");
    EXPECT_EQ(DateText(12, 31, 999), "12-31-0999");
    EXPECT_TRUE(std::regex_match(DateText(), std::regex("[ 1][0-9]-[0-3][0-9]-[0-9]{4}")));
}

TEST(TextOperations, BlanksSeparatorsAndLastParts) {
    EXPECT_EQ(RemoveBlanks(" a b  c "), "abc");
    EXPECT_EQ(RemoveBlanks("a\tb"), "a\tb");
    EXPECT_EQ(TextBefore("HP LaserJet,winspool,Ne00:", ","), "HP LaserJet");
    EXPECT_EQ(TextBefore("no separator", ","), "no separator");
    EXPECT_EQ(TextBefore("a::b::c", "::"), "a");
    EXPECT_EQ(TextAfterLast("data/pics/tree.jpg", '/'), "tree.jpg");
    EXPECT_EQ(TextAfterLast("tree.jpg", '/'), "");
    EXPECT_EQ(TextAfterLast("dir/", '/'), "");
}

TEST(CutText, CutsWholeCharacters) {
    EXPECT_EQ(CutText("Höhe", 2), "Hö");
    EXPECT_EQ(CutText("Höhe", 10), "Höhe");
    EXPECT_EQ(CutText("äöü", 0), "");
    EXPECT_EQ(CutText(std::string(300, 'x'), 255).size(), 255u);
}

}  // namespace
}  // namespace pax
