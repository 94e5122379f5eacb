#include "system/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace pax {
namespace {

TEST(SmallIntegers, MinMaxClampSwap) {
    EXPECT_EQ(MinInt(3, -4), -4);
    EXPECT_EQ(MaxInt(3, -4), 3);
    EXPECT_EQ(ClampInt(5, 0, 3), 3);
    EXPECT_EQ(ClampInt(-5, 0, 3), 0);
    EXPECT_EQ(ClampInt(2, 0, 3), 2);
    EXPECT_EQ(ClampInt(5, 10, 0), 10);  // an empty range gives its lower end
    EXPECT_EQ(ClampByte(-5), 0);
    EXPECT_EQ(ClampByte(300), 255);
    EXPECT_EQ(ClampByte(128), 128);
    int a = 1, b = 2;
    SwapInt(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
}

TEST(Random, ASeedGivesTheSameSequenceInRangeAndCoveringIt) {
    SetRandomSeed(123456789);
    std::array<int32_t, 20> first{};
    for (auto& v : first) v = Random(1000);
    SetRandomSeed(123456789);
    for (int32_t v : first) EXPECT_EQ(Random(1000), v);

    std::array<int, 10> seen{};
    for (int i = 0; i < 10000; ++i) {
        int32_t v = Random(10);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 10);
        ++seen[v];
    }
    for (int count : seen) EXPECT_GT(count, 800);
    for (int i = 0; i < 1000; ++i) ASSERT_LT(RandomFloat(), 1.0L);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(Random(-3), 0);
}

TEST(Random, RandomIntFromLoBelowHi) {
    SetRandomSeed(7);
    bool positive = false, negative = false;
    for (int i = 0; i < 1000; ++i) {
        int32_t v = RandomInt(-400, 400);
        ASSERT_GE(v, -400);
        ASSERT_LT(v, 400);
        int32_t wide = RandomInt(INT_MIN, INT_MAX);  // the range does not overflow
        ASSERT_LT(wide, INT_MAX);
        (wide < 0 ? negative : positive) = true;
    }
    EXPECT_TRUE(positive && negative);
    EXPECT_EQ(RandomInt(5, 5), 5);
    EXPECT_EQ(RandomInt(5, 2), 5);
}

}  // namespace
}  // namespace pax
