#include "system/display_info.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(DisplayInfo, HeadlessScreenAndColourDepthClasses) {
    EXPECT_EQ(DisplayInfo().HorzRes, 1920);
    EXPECT_EQ(DisplayInfo().RefreshRate, 60);
    EXPECT_EQ(ColorDepthClassOf(DisplayInfo().BitsPerPixel), DisplayInfo().ColorDepthClass);
    const uint16_t bits[] = {1, 4, 8, 15, 16, 24, 32, 12};
    const uint16_t classes[] = {1, 2, 3, 4, 5, 6, 7, 0};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ColorDepthClassOf(bits[i]), classes[i]) << bits[i];
    SetCurrentDisplayMode(-7);
    EXPECT_EQ(CurrentDisplayMode(), -1);
    SetCurrentDisplayMode(0);
}
}  // namespace
}  // namespace pax
