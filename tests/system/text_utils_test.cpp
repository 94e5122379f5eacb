#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <regex>

#include "system/numbers.h"
#include "system/text_utils.h"

namespace pax {
namespace {

struct IntCase {
    int32_t value;
    int width;
    std::string text;
};

TEST(IntToText, RightAlignsZeroFillsForNegativeWidthsAndBlanksTheBlankValue) {
    const IntCase cases[] = {
        {7, -3, "007"},     {7, 3, "  7"},    {7, 0, "7"},      {12345, 3, "12345"},
        {-7, 4, "  -7"},    {-7, -4, "-007"},  // the sign leads the zeros
        {-2147483647 - 1, 0, "-2147483648"},   {-2147483647, 5, "     "}, {-2147483647, -4, "    "},
        {1, -500, std::string(79, '0') + "1"}, {1, 500, std::string(79, ' ') + "1"},
    };
    for (const IntCase& c : cases) EXPECT_EQ(IntToText(c.value, c.width), c.text) << c.value << " " << c.width;
}

TEST(FloatToText, FixedWithWidthAndDecimalsOrTheShortestGeneralForm) {
    EXPECT_EQ(FloatToText(2, 8, 3.14159L), "    3.14");
    EXPECT_EQ(FloatToText(3, 0, -1.5L), "-1.500");
    EXPECT_EQ(FloatToText(0, 4, 7.0L), "   7");
    EXPECT_EQ(FloatToText(0, 0, 0.1L), "0.1");
    EXPECT_EQ(FloatToText(0, 0, 42.0L), "42");
    EXPECT_EQ(FloatToText(0, 0, 1.0L / 3), "0.333333333333333");
}

TEST(TextToFloat, DropsEverythingButDigitsAndSeparatorsAndReadsBackFloatToText) {
    const std::pair<const char*, long double> cases[] = {
        {"-1.5", 1.5L}, {"", 0.0L},  {"1,5", 1.5L},   {"x12 y.5z", 12.5L}, {".25", 0.25L},
        {".", 0.0L},    {"abc", 0.0L},
        // A second separator ends the number instead of making the text unreadable.
        {"1.000,5", 1.0L}, {"2,5.7", 2.5L},
    };
    for (auto [text, value] : cases) EXPECT_EQ(TextToFloat(text), value) << text;
    std::mt19937 random(17);
    std::uniform_real_distribution<double> value(0.0, 1e6);
    for (int i = 0; i < 1000; ++i) {
        long double v = value(random);
        EXPECT_NEAR(static_cast<double>(TextToFloat(FloatToText(6, 0, v))), static_cast<double>(v), 1e-6);
    }
}

TEST(TextOperations, HexDateBlanksSeparatorsLastPartsAndCuts) {
    EXPECT_EQ(ByteToHex(0xAB) + ByteToHex(5), "AB05");
    EXPECT_EQ(WordToHex(0x1F), "001F");
    EXPECT_EQ(LongToHex(0xDEADBEEF) + LongToHex(0xFF), "DEADBEEF000000FF");
    EXPECT_EQ(DateText(3, 7, 2024), " 3-07-2024");
    EXPECT_EQ(DateText(12, 31, 999), "12-31-0999");
    EXPECT_TRUE(std::regex_match(DateText(), std::regex("[ 1][0-9]-[0-3][0-9]-[0-9]{4}")));
    EXPECT_EQ(RemoveBlanks(" a b  c "), "abc");
    EXPECT_EQ(RemoveBlanks("a\tb"), "a\tb");
    EXPECT_EQ(TextBefore("HP LaserJet,winspool,Ne00:", ","), "HP LaserJet");
    EXPECT_EQ(TextBefore("no separator", ","), "no separator");
    EXPECT_EQ(TextBefore("a::b::c", "::"), "a");
    EXPECT_EQ(TextAfterLast("data/pics/tree.jpg", '/'), "tree.jpg");
    EXPECT_EQ(TextAfterLast("tree.jpg", '/'), "");
    EXPECT_EQ(TextAfterLast("dir/", '/'), "");
    EXPECT_EQ(CutText("Höhe", 2), "Hö");
    EXPECT_EQ(CutText("Höhe", 10), "Höhe");
    EXPECT_EQ(CutText("äöü", 0), "");
}

TEST(SmallIntegers, ClampToARangeAndToAByte) {
    // An empty range gives its lower end.
    const int32_t clamped[][4] = {{5, 0, 3, 3}, {-5, 0, 3, 0}, {2, 0, 3, 2}, {5, 10, 0, 10}};
    for (auto [x, low, high, expected] : clamped) EXPECT_EQ(ClampInt(x, low, high), expected) << x << " " << low;
    for (auto [x, expected] : {std::pair{-5, 0}, {300, 255}, {128, 128}}) EXPECT_EQ(ClampByte(x), expected) << x;
}

TEST(Random, ASeedRepeatsItsSequenceAndEveryValueStaysInRangeWithoutOverflow) {
    SetRandomSeed(123456789);
    std::array<int32_t, 20> first{};
    for (auto& v : first) v = Random(1000);
    SetRandomSeed(123456789);
    for (int32_t v : first) EXPECT_EQ(Random(1000), v);

    std::array<int, 10> seen{};
    bool positive = false, negative = false;
    for (int i = 0; i < 10000; ++i) {
        int32_t v = Random(10);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 10);
        ++seen[v];
        ASSERT_LT(RandomFloat(), 1.0L);
        v = RandomInt(-400, 400);
        ASSERT_GE(v, -400);
        ASSERT_LT(v, 400);
        int32_t wide = RandomInt(INT_MIN, INT_MAX);
        ASSERT_LT(wide, INT_MAX);
        (wide < 0 ? negative : positive) = true;
    }
    for (int count : seen) EXPECT_GT(count, 800);
    EXPECT_TRUE(positive && negative);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
    EXPECT_EQ(RandomInt(5, 5), 5);
    EXPECT_EQ(RandomInt(5, 2), 5);
}

}  // namespace
}  // namespace pax
