#include "system/numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>

namespace pax {
namespace {

TEST(SmallIntegers, ClampToARangeAndToAByte) {
    EXPECT_EQ(ClampInt(5, 0, 3), 3);
    EXPECT_EQ(ClampInt(-5, 0, 3), 0);
    EXPECT_EQ(ClampInt(2, 0, 3), 2);
    EXPECT_EQ(ClampInt(5, 10, 0), 10);  // an empty range gives its lower end
    EXPECT_EQ(ClampByte(-5), 0);
    EXPECT_EQ(ClampByte(300), 255);
    EXPECT_EQ(ClampByte(128), 128);
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
