#include "figures/light_symbol.h"

#include <gtest/gtest.h>

#include "figures/figure_test_support.h"
#include "scene/light3d.h"

namespace pax {
namespace {

using testing::FigureScene;

TEST(DrawLight, MarksTheLightAndDrawsTwentyPiecesTowardsTheOrigin) {
    FigureScene scene;
    const testing::TurtleSnapshot before(scene.pax());
    DrawLight(scene.stage());
    // The mark, the strokes along Up and Right, and the twenty pieces.
    EXPECT_EQ(scene.view().PartCount(), 1 + 2 + LightLinePieces);
    EXPECT_EQ(scene.view().NestingDepth(), 0);
    EXPECT_TRUE(testing::TurtleSnapshot(scene.pax()) == before);
    scene.EndPicture();
    const tVector3d light = scene.stage().Light().Position();
    EXPECT_GT(testing::Brightness(scene.PixelAt(light)), 300);
    // The default light shines at the origin: its line passes the half-way point.
    const testing::ScreenPoint half = scene.Screen(0.5L * light);
    int lit = 0;
    for (int d = -1; d <= 1; ++d) lit += testing::Brightness(scene.PixelAt(half.x + d, half.y)) > 100;
    EXPECT_GT(lit, 0);
}

TEST(DrawLight, AnOffLightHasADarkGreyMark) {
    FigureScene scene;
    DrawLight(scene.stage());
    scene.EndPicture();
    const tVector3d light = scene.stage().Light().Position();
    const TColor32 on = scene.PixelAt(light);
    scene.NewPicture();
    scene.stage().Light().Enabled = false;
    DrawLight(scene.stage());
    scene.EndPicture();
    const TColor32 off = scene.PixelAt(light);
    // Grey, a little warmed by the light's highlight.
    EXPECT_LT(testing::Brightness(off), testing::Brightness(on) / 2);
    EXPECT_GT(BlueOf(off), 0);
    EXPECT_LE(RedOf(off) - BlueOf(off), 12);
}

}  // namespace
}  // namespace pax
