#include "render/sprites/sprite_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "render/windows/stage.h"
#include "render/sprites/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"

namespace pax {
namespace {

tSpriteSize ExpectedSize(uint16_t id) {
    if (id <= 3) return {26, 26};
    if (id <= 13) return {32, 32};
    return id == 14 ? tSpriteSize{146, 257} : tSpriteSize{120, 297};
}

int CountAlpha(const TBitmap32& b, uint8_t lo, uint8_t hi) {
    return int(std::count_if(b.Bits(), b.Bits() + b.Width() * b.Height(),
                             [&](TColor32 c) { return AlphaOf(c) >= lo && AlphaOf(c) <= hi; }));
}

TEST(SpritePictures, HaveTheirSizesTransparentCornersSoftEdgesBlendAndTreesStandOnTheirTrunk) {
    for (uint16_t id = 0; id <= LastOwnSpriteId; ++id) {
        SCOPED_TRACE(id);
        const TBitmap32 picture = MakeSpritePicture(id);
        const auto [width, height] = ExpectedSize(id);
        ASSERT_EQ((tSpriteSize{picture.Width(), picture.Height()}), ExpectedSize(id));
        EXPECT_EQ(picture.DrawMode, TDrawMode::dmBlend);
        for (auto [x, y] : {std::pair{0, 0}, {width - 1, 0}, {0, height - 1}})
            EXPECT_EQ(AlphaOf(picture.Pixel(x, y)), 0);
        const int pixels = width * height;
        // Something to see, a clear background, and partly covered pixels at the edges.
        EXPECT_GT(CountAlpha(picture, 128, 255), pixels / 20);
        EXPECT_GT(CountAlpha(picture, 0, 0), pixels / 10);
        EXPECT_GT(CountAlpha(picture, 1, 249), 8);
        if (id >= 14) {   // the trees stand on a brown trunk (more red than blue) at the bottom centre
            const TColor32 bark = picture.Pixel(width / 2, height - 1);
            EXPECT_TRUE(AlphaOf(bark) == 255 && RedOf(bark) > BlueOf(bark));
            EXPECT_EQ(AlphaOf(picture.Pixel(4, height - 1)), 0);
        }
    }
    const TBitmap32 zero = MakeSpritePicture(0), one = MakeSpritePicture(1);
    EXPECT_TRUE(std::equal(zero.Bits(), zero.Bits() + 26 * 26, one.Bits()));
    EXPECT_TRUE(MakeSpritePicture(16).Empty());
}

// Every stage's store starts with the program's own pictures, the orange sphere and copies of
// the checkerboard.
TEST(SpritePictures, InstallFillsTheWholeStoreOfEveryStage) {
    SpriteStore store;
    Eye3d eye;
    Light3d light;
    InstallSpritePictures(store, eye, light);
    EXPECT_EQ(store.GetSpriteSize(14), (tSpriteSize{146, 257}));
    EXPECT_EQ(store.GetSpriteSize(SphereSpriteId), (tSpriteSize{64, 64}));
    const TBitmap32& sphere = store.GetSprite(SphereSpriteId);
    const TColor32 centre = sphere.Pixel(32, 32);   // orange: red over green over blue
    EXPECT_TRUE(RedOf(centre) > GreenOf(centre) && GreenOf(centre) > BlueOf(centre));
    const TBitmap32& checker = store.GetSprite(CheckerSpriteId);
    ASSERT_EQ(store.GetSpriteSize(CheckerSpriteId), (tSpriteSize{16, 16}));
    for (uint16_t id = CheckerSpriteId + 1; id <= SpriteStore::MaxSpriteId; ++id) {
        const TBitmap32& copy = store.GetSprite(id);
        ASSERT_EQ(copy.Width(), 16) << id;
        EXPECT_TRUE(std::equal(checker.Bits(), checker.Bits() + 256, copy.Bits())) << id;
    }
    Stage stage(StageOptions{480, 360, 64, 64});
    EXPECT_EQ(stage.Sprites().GetSpriteSize(15), (tSpriteSize{120, 297}));
    EXPECT_EQ(stage.Sprites().GetSpriteSize(40), (tSpriteSize{16, 16}));
}

}  // namespace
}  // namespace pax
