#include "render/textures/textures.h"

#include <gtest/gtest.h>

#include <limits>

#include "render/surface_test_support.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

// Every pixel tells its position.
TBitmap32 Marked(int width, int height) {
    TBitmap32 t(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) t.SetPixel(x, y, Color32(x, y, 77));
    return t;
}

TEST(Textures, TheTenthRegistrationIsRefusedAndSelectionWrapsIntoOneToCount) {
    testing::ScopedPresenter boxes;
    tTextures textures;
    int index = 4;
    SetCurrentTexture(nullptr);
    textures.SelectTexture(index);   // nothing registered: nothing changes
    EXPECT_TRUE(index == 4 && CurrentTexture() == nullptr);
    for (int i = 0; i < 9; ++i) EXPECT_TRUE(textures.RegisterTexture(std::make_shared<TBitmap32>(i + 1, 1)));
    EXPECT_FALSE(textures.RegisterTexture(nullptr));
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_FALSE(textures.RegisterTexture(std::make_shared<TBitmap32>(1, 1)));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption + " | " + boxes.Last().text,
              "Textures:  tTextures.RegisterTexture | too much textures");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_TRUE(textures.TextureCount() == 9 && textures.Texture(9)->Width() == 9 && textures.Texture(10) == nullptr);
    for (auto [in, out] : {std::pair{0, 9}, {10, 1}, {5, 5}, {-20, 7}, {std::numeric_limits<int>::min(), 7},
                           {std::numeric_limits<int>::max(), 1}}) {
        index = in;
        textures.SelectTexture(index);
        EXPECT_EQ(index, out) << in;
        EXPECT_EQ(CurrentTexture(), textures.Texture(out));
    }
    SetCurrentTexture(nullptr);
}

// A positive start is first reduced by whole tiles; every copy obeys the texture's draw mode.
TEST(Textures, TilingStartsAtOrBeforeTheOriginAndObeysTheDrawMode) {
    const TBitmap32 texture = Marked(64, 64);
    for (auto [sx, sy, ox, oy] : {std::tuple{-1, -1, 1, 1}, {100, 30, 28, 34}, {64, 0, 0, 0},
                                  {std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 1, 0}}) {
        TBitmap32 d(150, 100);
        TileTexture(sx, sy, texture, d);
        bool same = true;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 150; ++x) same = same && d.Pixel(x, y) == texture.Pixel((x + ox) % 64, (y + oy) % 64);
        EXPECT_TRUE(same) << sx << "," << sy;
    }
    TBitmap32 keyed(2, 1);
    keyed.SetPixel(0, 0, Color32(1, 2, 3));
    keyed.SetPixel(1, 0, clBlack32);
    keyed.DrawMode = TDrawMode::dmTransparent;
    keyed.OuterColor = clBlack32;
    TBitmap32 d = testing::Filled(5, 1, clWhite32);
    TileTexture(0, 0, keyed, d);
    EXPECT_TRUE(d.Pixel(2, 0) == Color32(1, 2, 3) && d.Pixel(3, 0) == clWhite32);
    TileTexture(0, 0, TBitmap32(), d);   // an empty texture draws nothing
    TileTexture(0, 0, d, d);             // onto itself: reads a copy
    EXPECT_EQ(d.Pixel(4, 0), Color32(1, 2, 3));
}

TEST(Textures, TileToRectStretchesTheSourceIntoEachTile) {
    TBitmap32 source = Marked(2, 2);
    TBitmap32 d(9, 9);
    TileToRect(source, d, TRect{1, 1, 5, 5});
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(d.Pixel(x, y), source.Pixel(((x + 3) % 4) / 2, ((y + 3) % 4) / 2)) << x << "," << y;
    testing::ScopedPresenter boxes;
    TileToRect(source, d, TRect{0, 0, 1 << 14, 1 << 14});
    EXPECT_EQ(boxes.Count(), 1u);
}

// Nearest neighbour: destination pixel k of a rectangle samples source pixel
// start + floor((k + 1/2) sourceSize / destSize).
int Sample(int k, int sourceStart, int sourceSize, int destSize) {
    return sourceStart + (2 * k + 1) * sourceSize / (2 * destSize);
}

TEST(Textures, ShiftSurfaceZoomsByNPixelsOnEverySide) {
    const TBitmap32 source = Marked(10, 10);
    TBitmap32 in = testing::Filled(10, 10, clWhite32), out = in;
    ShiftSurface(source, in, 2);   // (2, 2, 7, 7) onto (0, 0, 9, 9)
    EXPECT_EQ(in.Pixel(0, 0), source.Pixel(2, 2));
    EXPECT_EQ(in.Pixel(8, 4), source.Pixel(Sample(8, 2, 5, 9), Sample(4, 2, 5, 9)));
    EXPECT_EQ(in.Pixel(8, 8), source.Pixel(6, 6));
    EXPECT_TRUE(in.Pixel(9, 3) == clWhite32 && in.Pixel(3, 9) == clWhite32);   // right and bottom exclusive
    ShiftSurface(source, out, -2);   // (0, 0, 9, 9) onto (-2, -2, 11, 11)
    for (int k : {0, 4, 9})
        EXPECT_EQ(out.Pixel(k, k), source.Pixel(Sample(k + 2, 0, 9, 13), Sample(k + 2, 0, 9, 13))) << k;
    TBitmap32 same = source;
    ShiftSurface(same, same, 0);
    ShiftSurface(same, same, 100);   // nothing left of the source
    EXPECT_EQ(testing::Pixels(same), testing::Pixels(source));
    ShiftSurface(same, same, std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace pax
