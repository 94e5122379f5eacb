#include "figures/light_symbol.h"

#include <gtest/gtest.h>

#include "figures/figure_test_support.h"
#include "scene/light3d.h"

namespace pax {
namespace {

TEST(DrawLight, MarksTheLightDrawsTwentyPiecesTowardsTheOriginAndDarkensTheMarkWhenOff) {
    testing::FigureScene scene;
    const auto before = testing::TurtleState(scene.pax());
    DrawLight(scene.stage());
    EXPECT_EQ(scene.view().PartCount(), 1 + 2 + LightLinePieces);   // the mark, two strokes, the pieces
    EXPECT_EQ(scene.view().NestingDepth(), 0);
    EXPECT_EQ(testing::TurtleState(scene.pax()), before);
    scene.EndPicture();
    const testing::ScreenPoint mark = scene.Screen(scene.stage().Light().Position());
    const TColor32 on = scene.PixelAt(mark.x, mark.y);
    EXPECT_GT(testing::Brightness(on), 300);
    // The default light shines at the origin: its line passes the half-way point.
    const testing::ScreenPoint half = scene.Screen(0.5L * scene.stage().Light().Position());
    int lit = 0;
    for (int d = -1; d <= 1; ++d) lit += testing::Brightness(scene.PixelAt(half.x + d, half.y)) > 100;
    EXPECT_GT(lit, 0);

    scene.NewPicture();
    scene.stage().Light().Enabled = false;
    DrawLight(scene.stage());
    scene.EndPicture();
    const TColor32 off = scene.PixelAt(mark.x, mark.y);
    // Grey, a little warmed by the light's highlight.
    EXPECT_LT(testing::Brightness(off), testing::Brightness(on) / 2);
    EXPECT_GT(BlueOf(off), 0);
    EXPECT_LE(RedOf(off) - BlueOf(off), 12);
}

}  // namespace
}  // namespace pax
