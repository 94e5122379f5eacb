#include "app/animation_report.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace pax {
namespace {

TEST(GroupDigits, PutsAPointBeforeEveryGroupOfThreeDigits) {
    for (auto [value, text] : {std::pair<int64_t, const char*>(1234567, "1.234.567"), {0, "0"}, {999, "999"},
                               {1000, "1.000"}, {100000, "100.000"}, {-1234, "-1.234"}, {-999, "-999"},
                               {INT64_MIN, "-9.223.372.036.854.775.808"}})
        EXPECT_EQ(GroupDigits(value), text) << value;
}

}  // namespace
}  // namespace pax
