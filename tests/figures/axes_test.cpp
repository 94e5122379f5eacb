#include "figures/axes.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "figures/figure_test_support.h"
#include "scene/eye3d.h"

namespace pax {
namespace {

using testing::FigureScene;
using testing::TurtleSnapshot;

// A pixel within two pixels of p's projection that has colour c, each channel within 40.
bool ColourNear(FigureScene& scene, const tVector3d& p, TColor32 c) {
    const testing::ScreenPoint s = scene.Screen(p);
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const TColor32 pixel = scene.PixelAt(s.x + dx, s.y + dy);
            if (std::abs(RedOf(pixel) - RedOf(c)) <= 40 && std::abs(GreenOf(pixel) - GreenOf(c)) <= 40 &&
                std::abs(BlueOf(pixel) - BlueOf(c)) <= 40)
                return true;
        }
    }
    return false;
}

// A pixel within two pixels of p's projection whose strongest channel is the given one by a
// clear margin (shaded solids keep their hue, not their exact colour).
bool HueNear(FigureScene& scene, const tVector3d& p, int channel) {
    const testing::ScreenPoint s = scene.Screen(p);
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const TColor32 pixel = scene.PixelAt(s.x + dx, s.y + dy);
            const int rgb[3] = {RedOf(pixel), GreenOf(pixel), BlueOf(pixel)};
            if (rgb[channel] > 60 && rgb[channel] > rgb[(channel + 1) % 3] + 40 && rgb[channel] > rgb[(channel + 2) % 3] + 40)
                return true;
        }
    }
    return false;
}

// Seen from the front, right and above, so that no axis runs along the line of sight.
struct AxesTest : ::testing::Test {
    FigureScene scene;
    AxesTest() {
        scene.stage().Eye().OrbitRight(1000, 30);
        scene.stage().Eye().OrbitUp(1000, 20);
        scene.NewPicture();
    }
};

TEST_F(AxesTest, LinesStyleDrawsEveryHalfAxisInItsColour) {
    const TurtleSnapshot before(scene.pax());
    DrawAxis(scene.stage(), 200, AxisStyle::Lines);
    EXPECT_TRUE(ColourNear(scene, {100, 0, 0}, AxisColorX));
    EXPECT_TRUE(ColourNear(scene, {0, 100, 0}, AxisColorY));
    EXPECT_TRUE(ColourNear(scene, {0, 0, 100}, AxisColorZ));
    for (const tVector3d& p : {tVector3d{-100, 0, 0}, tVector3d{0, -100, 0}, tVector3d{0, 0, -100}})
        EXPECT_TRUE(ColourNear(scene, p, NegativeAxisColor));
    // Nothing beyond the ends.
    EXPECT_FALSE(ColourNear(scene, {240, 0, 0}, AxisColorX));
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

TEST_F(AxesTest, StylesOutsideOneToFiveDrawNothing) {
    for (int style : {AxisStyle::None, 6, -1}) {
        DrawAxis(scene.stage(), 200, style);
        scene.EndPicture();
        EXPECT_EQ(testing::CountPixelsNot(scene.picture(), clBlack32), 0) << style;
    }
}

TEST_F(AxesTest, LetteredStylesAddOneTextPartPerPositiveAxis) {
    // Lines outside objects are drawn at once; the letters are parts.
    DrawAxis(scene.stage(), 200, AxisStyle::Dashed);
    EXPECT_EQ(scene.view().PartCount(), 3);
    scene.NewPicture();
    DrawAxis(scene.stage(), 200, AxisStyle::Arrows);
    EXPECT_EQ(scene.view().PartCount(), 3);
    scene.NewPicture();
    DrawAxis(scene.stage(), 200, AxisStyle::Solids);
    const int solidParts = scene.view().PartCount();
    EXPECT_GT(solidParts, 3 * 8);
    scene.NewPicture();
    DrawAxis(scene.stage(), 200, AxisStyle::SolidsLetters);
    EXPECT_EQ(scene.view().PartCount(), solidParts + 3);
    EXPECT_EQ(scene.view().NestingDepth(), 0);
    scene.EndPicture();
    EXPECT_TRUE(HueNear(scene, {100, 0, 0}, 0));
    EXPECT_TRUE(HueNear(scene, {0, 0, 100}, 2));
}

TEST_F(AxesTest, DashedNegativesLeaveGapsAndTheWindowColourIsKept) {
    scene.view().SetColor(0xFF123456);
    DrawAxis(scene.stage(), 200, AxisStyle::Dashed);
    EXPECT_EQ(scene.view().Color(), 0xFF123456u);
    // Twenty pieces of 10, drawn and skipped in turn.
    EXPECT_TRUE(ColourNear(scene, {-45, 0, 0}, NegativeAxisColor));
    EXPECT_FALSE(ColourNear(scene, {-55, 0, 0}, NegativeAxisColor));
    EXPECT_TRUE(ColourNear(scene, {-65, 0, 0}, NegativeAxisColor));
}

}  // namespace
}  // namespace pax
