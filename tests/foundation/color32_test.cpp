#include "foundation/color32.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/vector3d.h"
#include "system/numbers.h"

namespace pax {
namespace {

TEST(Color32, BlendWeightsEveryChannelScaleKeepsAlphaAndToolkitColoursSwapRedAndBlue) {
    TColor32 c1 = 0x10204080, c2 = 0xF0E0C0A0;
    EXPECT_EQ(BlendColor(c1, c2, 0), c1);
    EXPECT_EQ(BlendColor(c1, c2, 256), c1);  // the weight is its low byte
    EXPECT_EQ(BlendColor(c1, c2, 255), 0xEFDFBF9Fu);  // (c1 + 255 c2) / 256 in every channel
    EXPECT_EQ(BlendColor(0xFF000000, 0xFFFFFFFF, 128), 0xFF7F7F7Fu);
    EXPECT_EQ(ScaleColor(0x80FF8040, 128), 0x807F4020u);
    EXPECT_EQ(ScaleColor(0x12FFFFFF, 0), 0x12000000u);
    EXPECT_EQ(ScaleColor(0xFF808080, 0x1FF), 0xFF7F7F7Fu);
    EXPECT_EQ(ColorToWin(0xFF112233), 0x00332211);
    EXPECT_EQ(WinColor(0x00332211), 0xFF112233u);
    EXPECT_EQ(ColorToText(0x00332211), "r= 17  g= 34  b= 51");
}

TEST(Color32, RandomColorStaysInItsRangeAndIsOpaque) {
    SetRandomSeed(5);
    for (int i = 0; i < 500; ++i) {
        TColor32 c = RandomColor(100, 110);
        EXPECT_EQ(AlphaOf(c), 255);
        for (uint8_t channel : {RedOf(c), GreenOf(c), BlueOf(c)}) {
            EXPECT_GE(channel, 100);
            EXPECT_LT(channel, 110);
        }
    }
}

TEST(Color32, VectorToColorPutsXIntoBlue) {
    EXPECT_EQ(VectorToColor({1, 0.5L, 0}), 0xFF007FFFu);
    EXPECT_EQ(VectorToColor({0, 0, 1}), 0xFFFF0000u);
    EXPECT_EQ(VectorToColor({2, 0, 0}), 0xFF0000FFu);  // trunc(511.98) = 511, modulo 256 = 255
    Extended inf = std::numeric_limits<Extended>::infinity();
    EXPECT_EQ(VectorToColor({inf, std::nanl(""), 0}), 0xFF000000u);
}

TEST(Color32, MakeHSVWrapsHueAndClampsTheRestAndRecordsOutsideTheRangesStillGiveAColour) {
    tHSV hsv = MakeHSV(1.25L, 2, -1);
    EXPECT_EQ(hsv.h, 0.25L);
    EXPECT_EQ(hsv.s, 1);
    EXPECT_EQ(hsv.v, 0);
    for (auto [h, wrapped] : {std::pair{-0.25L, 0.75L}, {-1.5L, 0.5L}, {1.0L, 0.0L}}) EXPECT_EQ(MakeHSV(h, 0, 0).h, wrapped);
    EXPECT_EQ(HSVToColor({-0.75L, 1, 1}), HSVToColor(MakeHSV(0.25L, 1, 1)));
    EXPECT_EQ(HSVToColor({std::nanl(""), 1, 1}), HSVToColor(MakeHSV(0, 1, 1)));
    EXPECT_EQ(AlphaOf(HSVToColor({0.2L, std::nanl(""), 3})), 255);
}

TEST(Color32, HSVHuesFollowTheHexconeAndGreyIsValueMinusATenThousandth) {
    const std::pair<Extended, TColor32> hues[] = {
        {0, 0xFFFF0000}, {1.0L / 6, 0xFFFFFF00}, {1.0L / 3, 0xFF00FF00}, {0.5L, 0xFF00FFFF}, {2.0L / 3, 0xFF0000FF}};
    for (auto [h, colour] : hues) EXPECT_EQ(HSVToColor(MakeHSV(h, 1, 1)), colour) << std::hex << colour;
    EXPECT_EQ(HSVToColor(MakeHSV(0.1L, 0.5L, 0.8L)), 0xFFCCA366u);  // 204, 163, 102
    for (Extended h : {0.0L, 0.3L, 0.99L}) EXPECT_EQ(HSVToColor(MakeHSV(h, 0, 1)), 0xFFFFFFFFu);
    EXPECT_EQ(HSVToColor(MakeHSV(0.5L, 0, 0.5L)), 0xFF7F7F7Fu);  // trunc(0.4999 * 255.99)
    EXPECT_EQ(HSVToColor(MakeHSV(0.5L, 1, 0)), 0xFF000000u);
}

}  // namespace
}  // namespace pax
