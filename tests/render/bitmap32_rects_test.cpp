#include <gtest/gtest.h>

#include <limits>

#include "render/bitmap32.h"
#include "render/surface_test_support.h"

namespace pax {
namespace {

using testing::Filled;

constexpr TColor32 Ground = 0xFF102030;

std::string Marks(const TBitmap32& b) { return testing::Marks(b, Ground); }

TEST(Bitmap32Rects, AxisLinesIncludeBothEndsAndAreClipped) {
    TBitmap32 b = Filled(6, 4, Ground);
    b.HorzLineBlend(4, 1, 1, clWhite32);
    b.VertLineBlend(5, 0, 3, clWhite32);
    EXPECT_EQ(Marks(b), ".....#\n.#####\n.....#\n.....#\n");
    EXPECT_EQ(b.Pixel(1, 1), clWhite32);
    TBitmap32 c = Filled(6, 4, Ground);
    c.SetClipRect({1, 1, 5, 3});
    c.HorzLineBlend(-100, 1, 100, clWhite32);
    c.HorzLineBlend(0, 0, 5, clWhite32);
    c.VertLineBlend(4, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), clWhite32);
    EXPECT_EQ(Marks(c), "......\n.####.\n....#.\n......\n");
}

TEST(Bitmap32Rects, FillRectOpaqueExcludesRightAndBottom) {
    TBitmap32 b = Filled(5, 4, Ground);
    b.FillRectOpaque(1, 1, 3, 3, Color32(1, 2, 3, 40));
    b.FillRectOpaque(4, 1, 2, 3, clWhite32);   // reversed: empty
    EXPECT_EQ(Marks(b), ".....\n.##..\n.##..\n.....\n");
    EXPECT_EQ(b.Pixel(1, 1), Color32(1, 2, 3, 40));   // copied, alpha and all
}

TEST(Bitmap32Rects, FillRectBlendFollowsTheAlphaRulesAndIsClipped) {
    TBitmap32 b = Filled(3, 1, Ground);
    b.FillRectBlend(0, 0, 1, 1, Color32(200, 100, 50, 0));
    b.FillRectBlend(1, 0, 2, 1, Color32(200, 100, 50, 255));
    b.FillRectBlend(2, 0, 3, 1, Color32(255, 255, 255, 128));
    EXPECT_EQ(b.Pixel(0, 0), Ground);
    EXPECT_EQ(b.Pixel(1, 0), Color32(200, 100, 50, 255));
    // (255 128 + D 127) / 255 for D = 0x10, 0x20, 0x30.
    EXPECT_EQ(b.Pixel(2, 0), Color32(136, 144, 152, 255));
    TBitmap32 c = Filled(5, 5, Ground);
    c.SetClipRect({1, 1, 4, 4});
    c.FillRectBlend(-10, 2, 10, 3, Color32(255, 255, 255, 100));
    c.FillRectBlend(4, 0, 9, 9, Color32(255, 255, 255, 100));
    EXPECT_EQ(Marks(c), ".....\n.....\n.###.\n.....\n.....\n");
}

TEST(Bitmap32Rects, FrameRectDrawsTheFourEdgesInsideTheRectangleAndIsClipped) {
    TBitmap32 b = Filled(6, 5, Ground);
    b.FrameRectOpaque(1, 0, 5, 4, clWhite32);
    EXPECT_EQ(Marks(b), ".####.\n.#..#.\n.#..#.\n.####.\n......\n");
    TBitmap32 thin = Filled(3, 3, Ground);
    thin.FrameRectOpaque(1, 0, 2, 3, clWhite32);
    EXPECT_EQ(Marks(thin), ".#.\n.#.\n.#.\n");
    TBitmap32 c = Filled(6, 5, Ground);
    c.SetClipRect({0, 0, 4, 5});
    c.FrameRectOpaque(1, 1, 8, 4, clWhite32);
    EXPECT_EQ(Marks(c), "......\n.###..\n.#....\n.###..\n......\n");
}

}  // namespace
}  // namespace pax
