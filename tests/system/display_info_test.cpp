#include "system/display_info.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(DisplayInfo, ColourDepthClassesAndNoNegativeModeButMinusOne) {
    const uint16_t bitsAndClass[][2] = {{1, 1}, {4, 2}, {8, 3}, {15, 4}, {16, 5}, {24, 6}, {32, 7}, {12, 0}};
    for (auto [bits, depthClass] : bitsAndClass) EXPECT_EQ(ColorDepthClassOf(bits), depthClass) << bits;
    EXPECT_EQ(ColorDepthClassOf(DisplayInfo().BitsPerPixel), DisplayInfo().ColorDepthClass);
    SetCurrentDisplayMode(-7);
    EXPECT_EQ(CurrentDisplayMode(), -1);
    SetCurrentDisplayMode(0);
}

}  // namespace
}  // namespace pax
