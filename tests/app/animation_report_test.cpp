#include "app/animation_report.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pax {
namespace {

TEST(GroupDigits, PutsAPointBeforeEveryGroupOfThreeDigits) {
    EXPECT_EQ(GroupDigits(1234567), "1.234.567");
    EXPECT_EQ(GroupDigits(0), "0");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1.000");
    EXPECT_EQ(GroupDigits(100000), "100.000");
    EXPECT_EQ(GroupDigits(-1234), "-1.234");
    EXPECT_EQ(GroupDigits(-999), "-999");
    EXPECT_EQ(GroupDigits(INT64_MIN), "-9.223.372.036.854.775.808");
}

}  // namespace
}  // namespace pax
