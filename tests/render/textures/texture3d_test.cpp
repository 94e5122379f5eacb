#include "render/textures/texture3d.h"

#include <gtest/gtest.h>

#include "system/numbers.h"

namespace pax {
namespace {

TEST(Texture3d, StartsWithGoldBlueVioletAndRandomColoursAndTheSourceCanBeReplacedAndRestored) {
    tTexture3d t;
    EXPECT_EQ(t.Color1(), 0xFFFFD700u);
    EXPECT_EQ(t.Color2(), 0xFF8A2BE2u);
    EXPECT_EQ(Texture3d().Color1(), tTexture3d::DefaultColor1);
    SetRandomSeed(99);
    const TColor32 c = t.ColorAt(tVector3d{1, 2, 3});
    SetRandomSeed(99);
    EXPECT_EQ(c, RandomColor(10, 255));
    t.SetColorSource([](const tVector3d& p) { return VectorToColor(p); });
    EXPECT_EQ(t.ColorAt(tVector3d{1, 0, 0}), 0xFF0000FFu);
    t.SetColorSource(nullptr);
    SetRandomSeed(7);
    const TColor32 d = t.ColorAt(tVector3d{});
    SetRandomSeed(7);
    EXPECT_EQ(d, RandomColor(10, 255));
}

}  // namespace
}  // namespace pax
