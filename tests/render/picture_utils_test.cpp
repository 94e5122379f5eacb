#include "render/picture_utils.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TBitmap32 Row(std::initializer_list<TColor32> pixels) {
    TBitmap32 p(static_cast<int>(pixels.size()), 1);
    int x = 0;
    for (TColor32 c : pixels) p.SetPixel(x++, 0, c);
    return p;
}

TEST(ColorKey, RadiusZeroCopiesWithoutTouchingAlpha) {
    const TBitmap32 source = Row({0xFF000000, 0x80102030, 0x00FFFFFF});
    TBitmap32 dest(5, 5);
    ColorKey(source, dest, 0xFF000000, 255, 0);
    ASSERT_EQ(dest.Width(), 3);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(dest.Pixel(x, 0), source.Pixel(x, 0));
}

TEST(ColorKey, AlphaRampsWithTheDistanceInsideTheRadius) {
    // Key red 100; radius 100 (r^2 = 10000).
    const TBitmap32 source = Row({
        Color32(130, 40, 0),    // d2 = 900 + 1600 = 2500 -> 2500 255 / 10000 = 63.75 -> 64
        Color32(160, 80, 0),    // d2 = 3600 + 6400 = 10000: not inside
        Color32(105, 0, 0),     // d2 = 25 -> 0.6375 -> 1, below the threshold -> cleared
        Color32(100, 0, 0),     // the key itself: alpha 0, below the threshold
        Color32(100, 0, 99),    // d2 = 9801 -> 249.9 -> 250
    });
    TBitmap32 dest;
    ColorKey(source, dest, Color32(100, 0, 0, 17), 10, 100);
    EXPECT_EQ(dest.Pixel(0, 0), Color32(130, 40, 0, 64));
    EXPECT_EQ(dest.Pixel(1, 0), Color32(160, 80, 0));
    EXPECT_EQ(dest.Pixel(2, 0), 0x00000000u);
    EXPECT_EQ(dest.Pixel(3, 0), 0x00000000u);
    EXPECT_EQ(dest.Pixel(4, 0), Color32(100, 0, 99, 250));

    // In place, negative radius as its magnitude, threshold 0 keeps even alpha 0 colours.
    TBitmap32 same = Row({Color32(130, 40, 0), Color32(100, 0, 0)});
    ColorKey(same, same, Color32(100, 0, 0), 0, -100);
    EXPECT_EQ(same.Pixel(0, 0), Color32(130, 40, 0, 64));
    EXPECT_EQ(same.Pixel(1, 0), Color32(100, 0, 0, 0));
}

TEST(FitRect, WiderPageCentresFullHeightTallerPageFillsWidthFromTheTop) {
    TRect out;
    ASSERT_TRUE(FitRect({0, 0, 400, 300}, {10, 20, 1010, 520}, out));
    // Width 400 500 / 300 = 666 (truncated), offset (1000 - 666) / 2 = 167.
    EXPECT_EQ(out, (TRect{177, 20, 843, 520}));
    ASSERT_TRUE(FitRect({5, 5, 405, 305}, {0, 0, 500, 1000}, out));
    EXPECT_EQ(out, (TRect{0, 0, 500, 375}));
    ASSERT_TRUE(FitRect({0, 0, 40, 30}, {0, 0, 800, 600}, out));
    EXPECT_EQ(out, (TRect{0, 0, 800, 600}));
    // Odd unused width: offset rounded towards zero.
    ASSERT_TRUE(FitRect({0, 0, 1, 1}, {0, 0, 5, 2}, out));
    EXPECT_EQ(out, (TRect{1, 0, 3, 2}));
}

TEST(FitRect, RectanglesWithoutAreaGiveFalseAndLeaveOutAlone) {
    const TRect marker{1, 2, 3, 4};
    for (auto [picture, page] : {std::pair{TRect{0, 0, 0, 10}, TRect{0, 0, 10, 10}},
                                 {TRect{0, 0, 10, 0}, TRect{0, 0, 10, 10}},
                                 {TRect{0, 0, 10, 10}, TRect{5, 5, 5, 20}},
                                 {TRect{0, 0, 10, 10}, TRect{0, 9, 10, 3}}}) {
        TRect out = marker;
        EXPECT_FALSE(FitRect(picture, page, out));
        EXPECT_EQ(out, marker);
    }
    // Extreme sides do not overflow.
    TRect out;
    ASSERT_TRUE(FitRect({-2000000000, 0, 2000000000, 1}, {0, 0, 100, 2000000000}, out));
    EXPECT_EQ(out, (TRect{0, 0, 100, 0}));
}

}  // namespace
}  // namespace pax
