#include "render/sprite_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "render/picture_io.h"
#include "render/stage.h"
#include "render/sprite_store.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"

namespace pax {
namespace {

struct Size {
    int width, height;
};

Size ExpectedSize(uint16_t id) {
    if (id <= 3) return {26, 26};
    if (id <= 13) return {32, 32};
    return id == 14 ? Size{146, 257} : Size{120, 297};
}

// With PAX3D_WRITE_PICTURES=<directory> the pictures are written there to be looked at.
void WriteIfAsked(const TBitmap32& picture, const std::string& name) {
    const char* directory = std::getenv("PAX3D_WRITE_PICTURES");
    if (!directory || !*directory) return;
    std::filesystem::create_directories(directory);
    EXPECT_TRUE(SavePicture(picture, std::string(directory) + "/" + name + ".png"));
}

int CountAlpha(const TBitmap32& b, uint8_t lo, uint8_t hi) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x) n += AlphaOf(b.Pixel(x, y)) >= lo && AlphaOf(b.Pixel(x, y)) <= hi;
    return n;
}

TEST(SpritePictures, HaveTheirSizesTransparentCornersSoftEdgesAndBlend) {
    for (uint16_t id = 0; id <= LastOwnSpriteId; ++id) {
        SCOPED_TRACE(id);
        const TBitmap32 picture = MakeSpritePicture(id);
        const Size size = ExpectedSize(id);
        ASSERT_EQ(picture.Width(), size.width);
        ASSERT_EQ(picture.Height(), size.height);
        EXPECT_EQ(picture.DrawMode, TDrawMode::dmBlend);
        for (auto [x, y] : {std::pair{0, 0}, {size.width - 1, 0}, {0, size.height - 1}})
            EXPECT_EQ(AlphaOf(picture.Pixel(x, y)), 0);
        const int pixels = size.width * size.height;
        // Something to see, a clear background, and partly covered pixels at the edges.
        EXPECT_GT(CountAlpha(picture, 128, 255), pixels / 20);
        EXPECT_GT(CountAlpha(picture, 0, 0), pixels / 10);
        EXPECT_GT(CountAlpha(picture, 1, 249), 8);
        WriteIfAsked(picture, "sprite_" + std::to_string(id));
    }
    const TBitmap32 zero = MakeSpritePicture(0), one = MakeSpritePicture(1);
    EXPECT_TRUE(std::equal(zero.Bits(), zero.Bits() + 26 * 26, one.Bits()));
    EXPECT_TRUE(MakeSpritePicture(16).Empty());
}

// The trees stand on a brown trunk (more red than blue) at the bottom centre.
TEST(SpritePictures, TheTreesStandOnTheirTrunkAtTheBottomCentre) {
    for (uint16_t id : {uint16_t{14}, uint16_t{15}}) {
        const TBitmap32 tree = MakeSpritePicture(id);
        const int bottom = tree.Height() - 1;
        const TColor32 bark = tree.Pixel(tree.Width() / 2, bottom);
        EXPECT_EQ(AlphaOf(bark), 255) << id;
        EXPECT_EQ(AlphaOf(tree.Pixel(4, bottom)), 0) << id;
        EXPECT_GT(RedOf(bark), BlueOf(bark)) << id;
    }
}

// Every stage's store starts with the program's own pictures, the orange sphere and copies of
// the checkerboard.
TEST(SpritePictures, InstallFillsTheWholeStoreOfEveryStage) {
    SpriteStore store;
    Eye3d eye;
    Light3d light;
    InstallSpritePictures(store, eye, light);
    EXPECT_EQ(&store.GetSprite(0), &store.GetSprite(1));
    EXPECT_EQ(store.GetSpriteSize(14), (tSpriteSize{146, 257}));
    EXPECT_EQ(store.GetSpriteSize(SphereSpriteId), (tSpriteSize{64, 64}));
    const TBitmap32& sphere = store.GetSprite(SphereSpriteId);
    const TColor32 centre = sphere.Pixel(32, 32);   // orange: red over green over blue
    EXPECT_GT(RedOf(centre), GreenOf(centre));
    EXPECT_GT(GreenOf(centre), BlueOf(centre));
    const TBitmap32& checker = store.GetSprite(CheckerSpriteId);
    ASSERT_EQ(store.GetSpriteSize(CheckerSpriteId), (tSpriteSize{16, 16}));
    for (uint16_t id = CheckerSpriteId + 1; id <= SpriteStore::MaxSpriteId; ++id) {
        const TBitmap32& copy = store.GetSprite(id);
        ASSERT_EQ(copy.Width(), 16) << id;
        EXPECT_TRUE(std::equal(checker.Bits(), checker.Bits() + 256, copy.Bits())) << id;
    }
    WriteIfAsked(sphere, "sprite_16");
    Stage stage(StageOptions{480, 360, 64, 64});
    EXPECT_EQ(stage.Sprites().GetSpriteSize(15), (tSpriteSize{120, 297}));
    EXPECT_EQ(stage.Sprites().GetSpriteSize(40), (tSpriteSize{16, 16}));
}

}  // namespace
}  // namespace pax
