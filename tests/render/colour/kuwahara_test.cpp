#include "render/colour/kuwahara.h"

#include <gtest/gtest.h>

#include <random>

namespace pax {
namespace {

// The rule pixel by pixel: four windows (left, top, width, height) relative to the pixel.
TColor32 ReferencePixel(const TBitmap32& p, int x, int y) {
    const int windows[4][4] = {{-1, -1, 3, 2}, {0, -1, 2, 3}, {-1, 0, 3, 2}, {-1, -1, 2, 3}};
    int64_t bestSpread = 0;
    TColor32 best = 0;
    for (int k = 0; k < 4; ++k) {
        int sum = 0, squares = 0, r = 0, g = 0, b = 0;
        for (int j = 0; j < windows[k][3]; ++j)
            for (int i = 0; i < windows[k][2]; ++i) {
                const TColor32 c = p.Pixel(x + windows[k][0] + i, y + windows[k][1] + j);
                const int v = (RedOf(c) * 61 + GreenOf(c) * 174 + BlueOf(c) * 21) >> 8;
                sum += v, squares += v * v, r += RedOf(c), g += GreenOf(c), b += BlueOf(c);
            }
        const int64_t spread = 6 * int64_t(squares) - int64_t(sum) * sum;
        if (k == 0 || spread < bestSpread) bestSpread = spread, best = Color32(r / 6, g / 6, b / 6);
    }
    return best;
}

// Inside a two-pixel border every pixel is the reference's, opaque; the border and surfaces
// without inside pixels stay as they were.
TEST(Kuwahara, MatchesTheWindowRuleOnRandomPicturesAndKeepsTheBorder) {
    std::mt19937 rng(21);
    TBitmap32 p(37, 23);
    for (int i = 0; i < 37 * 23; ++i) p.Bits()[i] = rng() & 0xFFC0C0C0;   // coarse levels make ties
    for (int i = 0; i < 37; ++i) p.SetPixel(i, 22, rng());                 // alpha on the border
    const TBitmap32 before = p;
    Kuwahara(p);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) {
            const bool inside = x >= 2 && y >= 2 && x < 35 && y < 21;
            ASSERT_EQ(p.Pixel(x, y), inside ? ReferencePixel(before, x, y) : before.Pixel(x, y)) << x << "," << y;
        }
    TBitmap32 thin(4, 30);
    for (int i = 0; i < 120; ++i) thin.Bits()[i] = rng();
    const TBitmap32 thinBefore = thin;
    Kuwahara(thin);
    EXPECT_TRUE(std::equal(thin.Bits(), thin.Bits() + 120, thinBefore.Bits()));
}

TEST(Kuwahara, TakesTheTruncatedMeanOfTheCalmestWindow) {
    // A bright pixel in a dark field: its own windows all hold it once, so the first (above)
    // gives (5 dark + bright) / 6 truncated; its neighbours have a calm window beside them.
    TBitmap32 p(7, 7);
    p.Clear(Color32(12, 30, 60));
    p.SetPixel(3, 3, Color32(255, 255, 255));
    Kuwahara(p);
    EXPECT_EQ(p.Pixel(3, 3), Color32(52, 67, 92));
    EXPECT_EQ(p.Pixel(2, 3), Color32(12, 30, 60));
    EXPECT_EQ(p.Pixel(3, 4), Color32(12, 30, 60));
    // Only the window above (rows 1-2) holds the odd pixel, so a uniform one wins.
    TBitmap32 q(5, 5);
    q.Clear(Color32(30, 30, 30));
    q.SetPixel(2, 1, Color32(60, 60, 60));
    Kuwahara(q);
    EXPECT_EQ(q.Pixel(2, 2), Color32(30, 30, 30));
}

}  // namespace
}  // namespace pax
