#include <gtest/gtest.h>

#include <limits>

#include "render/bitmap32.h"

namespace pax {
namespace {

constexpr TColor32 Ground = 0xFF102030;

TBitmap32 Surface(int w, int h) {
    TBitmap32 b(w, h);
    b.Clear(Ground);
    return b;
}

// Pixels that differ from the background, as a picture of '#' and '.'.
std::string Marks(const TBitmap32& b) {
    std::string out;
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) out += b.Pixel(x, y) == Ground ? '.' : '#';
        out += '\n';
    }
    return out;
}

TEST(Bitmap32Rects, AxisLinesIncludeBothEndsAndAreClipped) {
    TBitmap32 b = Surface(6, 4);
    b.HorzLineBlend(4, 1, 1, clWhite32);
    b.VertLineBlend(5, 0, 3, clWhite32);
    EXPECT_EQ(Marks(b), ".....#\n.#####\n.....#\n.....#\n");
    EXPECT_EQ(b.Pixel(1, 1), clWhite32);

    TBitmap32 c = Surface(6, 4);
    c.SetClipRect({1, 1, 5, 3});
    c.HorzLineBlend(-100, 1, 100, clWhite32);
    c.HorzLineBlend(0, 0, 5, clWhite32);
    c.VertLineBlend(4, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), clWhite32);
    EXPECT_EQ(Marks(c), "......\n.####.\n....#.\n......\n");
}

TEST(Bitmap32Rects, FillRectOpaqueExcludesRightAndBottom) {
    TBitmap32 b = Surface(5, 4);
    b.FillRectOpaque(1, 1, 3, 3, Color32(1, 2, 3, 40));
    b.FillRectOpaque(4, 1, 2, 3, clWhite32);   // reversed: empty
    EXPECT_EQ(Marks(b), ".....\n.##..\n.##..\n.....\n");
    EXPECT_EQ(b.Pixel(1, 1), Color32(1, 2, 3, 40));   // copied, alpha and all
}

TEST(Bitmap32Rects, FillRectBlendFollowsTheAlphaRulesAndIsClipped) {
    TBitmap32 b = Surface(3, 1);
    b.FillRectBlend(0, 0, 1, 1, Color32(200, 100, 50, 0));
    b.FillRectBlend(1, 0, 2, 1, Color32(200, 100, 50, 255));
    b.FillRectBlend(2, 0, 3, 1, Color32(255, 255, 255, 128));
    EXPECT_EQ(b.Pixel(0, 0), Ground);
    EXPECT_EQ(b.Pixel(1, 0), Color32(200, 100, 50, 255));
    // (255 128 + D 127) / 255 for D = 0x10, 0x20, 0x30.
    EXPECT_EQ(b.Pixel(2, 0), Color32(136, 144, 152, 255));

    TBitmap32 c = Surface(5, 5);
    c.SetClipRect({1, 1, 4, 4});
    c.FillRectBlend(-10, 2, 10, 3, Color32(255, 255, 255, 100));
    c.FillRectBlend(4, 0, 9, 9, Color32(255, 255, 255, 100));
    EXPECT_EQ(Marks(c), ".....\n.....\n.###.\n.....\n.....\n");
}

TEST(Bitmap32Rects, FrameRectDrawsTheFourEdgesInsideTheRectangleAndIsClipped) {
    TBitmap32 b = Surface(6, 5);
    b.FrameRectOpaque(1, 0, 5, 4, clWhite32);
    EXPECT_EQ(Marks(b), ".####.\n.#..#.\n.#..#.\n.####.\n......\n");
    TBitmap32 thin = Surface(3, 3);
    thin.FrameRectOpaque(1, 0, 2, 3, clWhite32);
    EXPECT_EQ(Marks(thin), ".#.\n.#.\n.#.\n");
    TBitmap32 c = Surface(6, 5);
    c.SetClipRect({0, 0, 4, 5});
    c.FrameRectOpaque(1, 1, 8, 4, clWhite32);
    EXPECT_EQ(Marks(c), "......\n.###..\n.#....\n.###..\n......\n");
}

}  // namespace
}  // namespace pax
