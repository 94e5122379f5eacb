#include "render/sprites/sprite_store.h"

#include <gtest/gtest.h>

#include <array>

#include "system/exceptions.h"

namespace pax {
namespace {

TEST(SpriteStore, IdentifiersZeroAndOneShareAPictureFortyIsTheLastAndSizesDefault) {
    SpriteStore store;
    EXPECT_EQ(&store.GetSprite(0), &store.GetSprite(1));
    EXPECT_NE(&store.GetSprite(1), &store.GetSprite(2));
    EXPECT_FALSE(store.HasSprite(16));
    EXPECT_EQ(store.GetSpriteSize(20), SpriteStore::InitialDefaultSize);
    store.GetSprite(40).SetSize(26, 12);
    EXPECT_TRUE(store.HasSprite(40) && store.GetSpriteSize(40) == (tSpriteSize{26, 12}));
    store.SetDefaultSize({8, 9});
    EXPECT_EQ(store.GetSpriteSize(21), (tSpriteSize{8, 9}));
    try {
        store.GetSprite(41);
        FAIL() << "no range error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "wrong sprite id 41");
    }
}

TEST(SpriteStore, SetColorTintsAndKeepsTransparencyAndScaledSpritesBlendWithTheirAlpha) {
    SpriteStore store;
    TBitmap32& tinted = store.GetSprite(5);
    tinted.SetSize(2, 1);
    tinted.SetPixel(0, 0, 0x00123456);
    tinted.SetPixel(1, 0, 0x80FFFFFF);
    store.SetColor(5, 0xFFFF0000);
    EXPECT_TRUE(tinted.Pixel(0, 0) == 0x00FF0000u && tinted.Pixel(1, 0) == 0x80FF0000u);
    TBitmap32& sprite = store.GetSprite(3);
    sprite.SetSize(2, 2);
    sprite.Clear(0xFFFFFFFF);
    sprite.SetPixel(1, 1, 0xFF0000FF);
    TBitmap32 dest(10, 10);
    dest.Clear(clBlack32);
    store.AddScaledSprite(3, {2, 2, 6, 6}, 255, dest);
    EXPECT_EQ((std::array{dest.Pixel(2, 2), dest.Pixel(5, 5), dest.Pixel(6, 6)}),
              (std::array<TColor32, 3>{0xFFFFFFFF, 0xFF0000FF, clBlack32}));
    store.AddScaledSprite(3, {0, 0, 1, 1}, 128, dest);
    EXPECT_EQ(dest.Pixel(0, 0), 0xFF000080u);   // the blue corner sampled, half strength
    store.AddScaledSprite(3, {-1e30f, -1e30f, 1e30f, 1e30f}, 255, dest);   // far off: no crash
}

// A planned drawing tints as SetColor then AddScaledSprite would, leaves the sprite's pixels
// alone until the commit, and a black part keeps the last planned tint.
TEST(SpriteStore, PlannedTintsDrawAsRecolouringWouldAndRecolourOnlyAtTheCommit) {
    SpriteStore planned, direct;
    for (SpriteStore* store : {&planned, &direct}) {
        TBitmap32& sprite = store->GetSprite(4);
        sprite.SetSize(2, 2);
        sprite.Clear(0xFF102030);
        sprite.SetPixel(1, 0, 0x40FFFFFF);
    }
    TBitmap32 a(6, 6), b(6, 6);
    a.Clear(clBlack32);
    b.Clear(clBlack32);
    const tSpriteDraw first = planned.PlanTintedSprite(4, 0xFF00FF00, {0, 0, 4, 4}, 200);
    const tSpriteDraw second = planned.PlanTintedSprite(0, 0xFF000000, {1, 1, 3, 3}, 255);   // 0 shares 1
    const tSpriteDraw third = planned.PlanTintedSprite(4, 0xFF000000, {2, 2, 6, 6}, 90);
    EXPECT_EQ(planned.GetSprite(4).Pixel(0, 0), 0xFF102030u);   // not yet recoloured
    EXPECT_TRUE(first.Tinted && third.Tinted && third.Tint == 0x0000FF00u && !second.Picture);
    first.DrawInto(a);
    third.DrawInto(a);
    direct.SetColor(4, 0xFF00FF00);
    direct.AddScaledSprite(4, {0, 0, 4, 4}, 200, b);
    direct.AddScaledSprite(4, {2, 2, 6, 6}, 90, b);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << x << "," << y;
    planned.CommitPlannedTints();
    EXPECT_EQ(planned.GetSprite(4).Pixel(1, 0), 0x4000FF00u);
    EXPECT_EQ(planned.GetSprite(4).MasterAlpha, direct.GetSprite(4).MasterAlpha);
}

}  // namespace
}  // namespace pax
