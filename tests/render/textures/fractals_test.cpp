#include "render/textures/fractals.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace pax {
namespace {

TEST(Fractals, MandelbrotGreyCountsDownToTheEscape) {
    EXPECT_EQ(MandelbrotGrey(0, 0, 0, 0, 255), 0xFFFFFFFFu);
    EXPECT_EQ(MandelbrotGrey(1, 1, 0, 0, 255), 0xFFFCFCFCu);   // escapes in the fourth round
    EXPECT_EQ(MandelbrotGrey(2, 2, 0, 0, 255), 0xFFFDFDFDu);   // a2 = 8836 in the third
    // Just outside the cusp at 1/4 the orbit lingers before it escapes: a dark grey.
    EXPECT_LT(RedOf(MandelbrotGrey(0.2505L, 0, 0, 0, 255)), 160);
}

TEST(Fractals, NewtonColourByRoot) {
    // At 0 the step divides by zero; with limit 0 a far start is not there within one step.
    for (auto [x, y, limit, colour] : {std::tuple{1.0L, 0.0L, 255, 0xFFA52A2Au}, {0.0L, 1.0L, 255, 0xFFFFFF00u},
                                       {-1.0L, 0.0L, 255, 0xFFFF8080u}, {0.0L, -1.0L, 255, 0xFF00FFFFu},
                                       {1.3L, 0.1L, 255, 0xFFA52A2Au}, {0.0L, 0.0L, 255, 0xFF000000u},
                                       {1e300L, 0.0L, 0, 0xFF000000u}})
        EXPECT_EQ(NewtonColor(x, y, 0, 0, limit), colour) << double(x) << "," << double(y);
}

TEST(Fractals, CosineGreyStopsBeforeDividingByZero) {
    EXPECT_EQ(CosineGrey(0, 1, 0, 0, 255), 0xFF000000u);   // sin 0 = 0: no round
    const TColor32 c = CosineGrey(0.3L, 0.2L, -0.004L, 0.015L, 255);
    EXPECT_EQ(RedOf(c) % 2, 0);
    EXPECT_LE(RedOf(c), 254);
    EXPECT_EQ(CosineGrey(0.3L, 0.2L, 0, 0, 7), 0xFF060606u);   // limit 7: at most 3 rounds
}

TColor32 Position(Extended x, Extended y, Extended p1, Extended p2, int limit) {
    return Color32(static_cast<uint8_t>(x * 10), static_cast<uint8_t>(y * 10), static_cast<uint8_t>(p1 + p2 + limit - 255));
}

TEST(Fractals, RenderFractalMapsRowZeroToYMinAndTheMenuPicturesHaveTheirParameters) {
    TBitmap32 s(4, 2);
    RenderFractal(Position, s, 1, 2, 3.0L, 1.0L, 8.0L, 0.0L);
    // x = 0 + c 8 / 4, y = 1 + r 2 / 2.
    EXPECT_EQ((std::array{s.Pixel(0, 0), s.Pixel(3, 0), s.Pixel(1, 1)}),
              (std::array{Color32(0, 10, 3), Color32(60, 10, 3), Color32(20, 20, 3)}));
    RenderFractal(nullptr, s, 0, 0, 1, 0, 1, 0);
    TBitmap32 empty;
    RenderFractal(Position, empty, 0, 0, 1, 0, 1, 0);
    const auto& p = FractalPictures();
    EXPECT_TRUE(p[0].Colour == NewtonColor && p[1].Colour == MandelbrotGrey);
    EXPECT_TRUE(p[1].P1 == 0.03L && p[1].XMin == -2.0L && p[2].P2 == 0.015L);
    TBitmap32 m(24, 10);
    RenderMandelbrotSet(m);
    EXPECT_EQ(m.Pixel(16, 5), 0xFFFFFFFFu);   // column 16 is x = 0, row 5 is y = 0: inside the set
    RenderNewtonFractal(m);
    EXPECT_EQ(m.Pixel(22, 5), 0xFFA52A2Au);   // x = 1, y = 0
}

}  // namespace
}  // namespace pax
