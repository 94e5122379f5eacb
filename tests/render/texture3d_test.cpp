#include "render/texture3d.h"

#include <gtest/gtest.h>

#include "system/numbers.h"

namespace pax {
namespace {

TEST(Texture3d, StartsWithGoldAndBlueVioletAndRandomColours) {
    tTexture3d t;
    EXPECT_EQ(t.Color1(), 0xFFFFD700u);
    EXPECT_EQ(t.Color2(), 0xFF8A2BE2u);
    SetRandomSeed(99);
    const TColor32 c = t.ColorAt(tVector3d{1, 2, 3});
    SetRandomSeed(99);
    EXPECT_EQ(c, RandomColor(10, 255));
    EXPECT_EQ(AlphaOf(c), 255);
    for (uint8_t channel : {RedOf(c), GreenOf(c), BlueOf(c)}) {
        EXPECT_GE(channel, 10);
        EXPECT_LT(channel, 255);
    }
}

TEST(Texture3d, ColourSourceCanBeReplacedAndRestored) {
    tTexture3d t;
    t.SetColors(1, 2);
    EXPECT_EQ(t.Color1() + t.Color2(), 3u);
    t.SetColorSource([](const tVector3d& p) { return VectorToColor(p); });
    EXPECT_EQ(t.ColorAt(tVector3d{1, 0, 0}), 0xFF0000FFu);
    t.SetColorSource(nullptr);
    EXPECT_EQ(AlphaOf(t.ColorAt(tVector3d{})), 255);
    EXPECT_EQ(Texture3d().Color1(), tTexture3d::DefaultColor1);
}

}  // namespace
}  // namespace pax
