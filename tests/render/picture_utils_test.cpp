#include "render/picture_utils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/surface_test_support.h"

namespace pax {
namespace {

using testing::Pixels;

TBitmap32 Row(std::initializer_list<TColor32> pixels) {
    TBitmap32 p(static_cast<int>(pixels.size()), 1);
    std::copy(pixels.begin(), pixels.end(), p.Bits());
    return p;
}

TEST(ColorKey, AlphaRampsWithTheDistanceInsideTheRadiusAndRadiusZeroOnlyCopies) {
    const TBitmap32 plain = Row({0xFF000000, 0x80102030, 0x00FFFFFF});
    TBitmap32 copy(5, 5);
    ColorKey(plain, copy, 0xFF000000, 255, 0);
    EXPECT_EQ(Pixels(copy), Pixels(plain));
    // Key red 100; radius 100 (r^2 = 10000). d2 = 900 + 1600 = 2500 -> 2500 255 / 10000 = 63.75 -> 64;
    // d2 = 10000 is not inside; d2 = 25 -> 0.6375 -> 1, below the threshold: cleared, as is the
    // key itself; d2 = 9801 -> 249.9 -> 250.
    const TBitmap32 source = Row({Color32(130, 40, 0), Color32(160, 80, 0), Color32(105, 0, 0), Color32(100, 0, 0),
                                  Color32(100, 0, 99)});
    TBitmap32 dest;
    ColorKey(source, dest, Color32(100, 0, 0, 17), 10, 100);
    EXPECT_EQ(Pixels(dest), (std::vector<TColor32>{Color32(130, 40, 0, 64), Color32(160, 80, 0), 0, 0,
                                                   Color32(100, 0, 99, 250)}));
    // In place, negative radius as its magnitude, threshold 0 keeps even alpha 0 colours.
    TBitmap32 same = Row({Color32(130, 40, 0), Color32(100, 0, 0)});
    ColorKey(same, same, Color32(100, 0, 0), 0, -100);
    EXPECT_EQ(Pixels(same), (std::vector<TColor32>{Color32(130, 40, 0, 64), Color32(100, 0, 0, 0)}));
}

TEST(FitRect, WiderPageCentresFullHeightTallerPageFillsWidthFromTheTop) {
    // Width 400 500 / 300 = 666 (truncated), offset (1000 - 666) / 2 = 167; an odd unused
    // width rounds the offset towards zero; extreme sides do not overflow.
    const TRect cases[][3] = {
        {{0, 0, 400, 300}, {10, 20, 1010, 520}, {177, 20, 843, 520}},
        {{5, 5, 405, 305}, {0, 0, 500, 1000}, {0, 0, 500, 375}},
        {{0, 0, 40, 30}, {0, 0, 800, 600}, {0, 0, 800, 600}},
        {{0, 0, 1, 1}, {0, 0, 5, 2}, {1, 0, 3, 2}},
        {{-2000000000, 0, 2000000000, 1}, {0, 0, 100, 2000000000}, {0, 0, 100, 0}},
    };
    for (const auto& [picture, page, expected] : cases) {
        TRect out;
        ASSERT_TRUE(FitRect(picture, page, out));
        EXPECT_EQ(out, expected) << expected.Left << "," << expected.Top << "," << expected.Right;
    }
    // Rectangles without area give false and leave out alone.
    const TRect marker{1, 2, 3, 4};
    for (auto [picture, page] : {std::pair{TRect{0, 0, 0, 10}, TRect{0, 0, 10, 10}}, {TRect{0, 0, 10, 0}, TRect{0, 0, 10, 10}},
                                 {TRect{0, 0, 10, 10}, TRect{5, 5, 5, 20}}, {TRect{0, 0, 10, 10}, TRect{0, 9, 10, 3}}}) {
        TRect out = marker;
        EXPECT_FALSE(FitRect(picture, page, out));
        EXPECT_EQ(out, marker);
    }
}

}  // namespace
}  // namespace pax
