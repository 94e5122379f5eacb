#include "render/sprites/sprite_generators.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "render/files/picture_io.h"
#include "render/sprites/sprite_store.h"
#include "render/surface_test_support.h"
#include "scene/eye3d.h"
#include "scene/light3d.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

using testing::ScopedPresenter;

struct SpriteGeneratorsTest : ::testing::Test {
    SpriteStore store;
    Eye3d eye;
    Light3d light;
};

TEST_F(SpriteGeneratorsTest, RenderSpriteIsACheckerboardOnAMadeIdentifierAndCopiesGoOnlyBetweenPictures) {
    EXPECT_EQ(CreateRenderSprite(store, 5, 8, 8), 16);
    const TBitmap32& sprite = store.GetSprite(16);
    ASSERT_EQ(sprite.Width(), 8);
    for (auto [x, y] : {std::pair{0, 0}, {7, 7}, {4, 4}}) EXPECT_EQ(sprite.Pixel(x, y), CheckerLight);
    for (auto [x, y] : {std::pair{4, 0}, {3, 7}}) EXPECT_EQ(sprite.Pixel(x, y), CheckerDark);
    EXPECT_EQ(sprite.DrawMode, TDrawMode::dmBlend);
    EXPECT_TRUE(store.GetSprite(5).Empty());
    // Identifiers above 40 and sizes beyond reason are held.
    EXPECT_EQ(CreateRenderSprite(store, 1000, 0, 1 << 30), 40);
    EXPECT_EQ(store.GetSpriteSize(40), (tSpriteSize{1, MaxMadeSpriteSide}));
    store.GetSprite(30).SetSize(2, 2);
    CopySprite(store, 16, 30);
    EXPECT_EQ(store.GetSpriteSize(30), (tSpriteSize{8, 8}));
    CopySprite(store, 16, 31);   // 31 has no picture yet
    EXPECT_FALSE(store.HasSprite(31));
    CopySprite(store, 16, 41);
}

TEST_F(SpriteGeneratorsTest, SphereSpriteIsOpaqueInTheMiddleTransparentAtTheCornersAndLitFromTheLight) {
    const uint16_t id = CreateSphereSprite(store, eye, light, 20, 64, 0xFFFFA500, 64);
    ASSERT_EQ(id, 20);
    const TBitmap32& sphere = store.GetSprite(id);
    for (auto [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}}) EXPECT_EQ(sphere.Pixel(x, y), 0u);
    EXPECT_EQ(AlphaOf(sphere.Pixel(32, 32)), 255);
    const uint8_t rim = AlphaOf(sphere.Pixel(61, 32));   // soft: between 0 and 255
    EXPECT_TRUE(rim > 0 && rim < 255) << int(rim);
    // The default light comes from the eye's upper left.
    const auto brightness = [&](int x, int y) { return RedOf(sphere.Pixel(x, y)) + GreenOf(sphere.Pixel(x, y)); };
    EXPECT_TRUE(brightness(20, 20) > brightness(44, 44) && brightness(20, 20) > brightness(44, 20));
}

TEST_F(SpriteGeneratorsTest, ColouredSphereTakesItsColoursFromTheNormalsWorldDirection) {
    // The default eye's Right is +x and its Up is +z: the picture's right half has normals
    // with x > 0, its upper half normals with z > 0.
    const uint16_t id = CreateColoredSphereSprite(store, eye, light, 21, 32, 32, [](const tVector3d& n) {
        return n.x > 0 ? TColor32{0xFFFF0000} : TColor32{0xFF0000FF};
    });
    const TColor32 right = store.GetSprite(id).Pixel(24, 16), left = store.GetSprite(id).Pixel(7, 16);
    EXPECT_TRUE(RedOf(right) > BlueOf(right) && BlueOf(left) > RedOf(left));
    const uint16_t up = CreateColoredSphereSprite(store, eye, light, 22, 32, 32, [](const tVector3d& n) {
        return n.z > 0 ? TColor32{0xFFFF0000} : TColor32{0xFF0000FF};
    });
    EXPECT_GT(RedOf(store.GetSprite(up).Pixel(16, 7)), 0);
    EXPECT_EQ(RedOf(store.GetSprite(up).Pixel(16, 24)), 0);
}

TEST_F(SpriteGeneratorsTest, LoadSpriteReadsAPictureAndReportsWhatItCannot) {
    ScopedPresenter presenter;
    EXPECT_FALSE(LoadSprite(store, 41, "any.png"));
    ASSERT_EQ(presenter.Count(), 1u);
    EXPECT_EQ(presenter.Last().caption + " | " + presenter.Last().text,
              "FSprite: TPaxSpriteForm.LoadSprite | sprite.id > maximum id");
    EXPECT_EQ(presenter.Last().buttons, 258);
    const std::string missing = "no_such_sprite_picture.png";
    EXPECT_FALSE(LoadSprite(store, 20, missing));
    EXPECT_EQ(presenter.Last().text, "sprite picture '" + missing + "' not found");
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "pax3d_sprite_test.png";
    ASSERT_TRUE(SavePicture(testing::Filled(5, 3, 0xFF336699), file.string()));
    presenter.Clear();
    CreateRenderSprite(store, 20, 16, 16);
    EXPECT_TRUE(LoadSprite(store, 20, file.string()));
    EXPECT_EQ(presenter.Count(), 0u);
    EXPECT_EQ(store.GetSpriteSize(20), (tSpriteSize{5, 3}));
    EXPECT_EQ(store.GetSprite(20).Pixel(4, 2), 0xFF336699u);
    EXPECT_EQ(store.GetSprite(20).DrawMode, TDrawMode::dmBlend);
    std::filesystem::remove(file);
}

}  // namespace
}  // namespace pax
