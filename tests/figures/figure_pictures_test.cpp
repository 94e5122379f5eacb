// Figures drawn through the stage's view into its picture.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "figures/axes.h"
#include "figures/figure_test_support.h"
#include "figures/light_symbol.h"
#include "figures/solids.h"
#include "figures/surface.h"
#include "render/files/picture_io.h"
#include "scene/eye3d.h"
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

TEST(SolidsPicture, ConvexCubeFromTheDefaultEyeShowsOnlyItsLitFrontFaceBetweenTheProjectedCorners) {
    testing::FigureScene scene;
    constexpr Extended H = 100;
    scene.pax().SetColor(clWhite32);
    SolidCube(scene.stage(), 2 * H);
    EXPECT_EQ(scene.view().PartCount(), 6);   // no culling by default
    Switches()[Switch::ConvexObject] = true;
    scene.NewPicture();
    scene.pax().SetColor(clWhite32);
    SolidCube(scene.stage(), 2 * H);
    EXPECT_EQ(scene.view().PartCount(), 1);
    scene.EndPicture();
    // The front face's normal is -y; its brightness is the light's for that normal.
    TColor32 lit = clWhite32;
    const uint8_t intensity = scene.stage().Light().Shade({0, -1, 0}, lit, false, {0, 1, 0}, 255);
    const int expected = RedOf(ScaleColor(lit, intensity));
    for (Extended sx : {-H, H}) {
        for (Extended sz : {-H, H}) {
            const testing::ScreenPoint corner = scene.Screen({sx, -H, sz});
            const double inX = sx < 0 ? 3 : -3, inY = sz < 0 ? -3 : 3;   // screen y runs down
            EXPECT_NEAR(RedOf(scene.PixelAt(corner.x + inX, corner.y + inY)), expected, 3);
            EXPECT_EQ(scene.PixelAt(corner.x - inX, corner.y - inY), clBlack32);
        }
    }
}

// With PAX3D_WRITE_PICTURES=<directory> each picture is also written there as a PNG, to be
// looked at.
TEST(FigurePictures, EveryFigureAndAxisStyleDrawsAPicture) {
    testing::FigureScene scene;
    Switches()[Switch::ConvexObject] = true;
    scene.stage().Eye().OrbitRight(1000, 30);   // three sides of a solid at the origin in view
    scene.stage().Eye().OrbitUp(1000, 20);
    std::vector<std::tuple<std::string, int, std::function<void(Stage&)>>> figures{
        {"cube", 1000, [](Stage& s) { SolidCube(s, 300); }},
        {"cone", 1000, [](Stage& s) { Cone(s, 32, 120, 280); }},
        {"cylinder", 1000, [](Stage& s) { Cylinder(s, 32, 110, 300); }},
        {"ellipsoid", 1000, [](Stage& s) { Ellipsoid(s, 24, 16, 200, 130, 110); }},
        {"wire_cone", 300, [](Stage& s) { s.Pax().SetFillColor(0); Cone(s, 16, 80, 200); }},
        {"light", 300, DrawLight},
    };
    for (int style = AxisStyle::Lines; style <= AxisStyle::SolidsLetters; ++style)
        figures.emplace_back("axes_" + std::to_string(style), 300, [style](Stage& s) { DrawAxis(s, 250, style); });
    const char* directory = std::getenv("PAX3D_WRITE_PICTURES");
    for (const auto& [name, pixels, draw] : figures) {
        scene.NewPicture(0xFF202020);
        scene.pax().SetColor(0xFF3080E0);
        draw(scene.stage());
        scene.EndPicture();
        EXPECT_GT(testing::CountPixelsNot(scene.picture(), 0xFF202020), pixels) << name;
        if (!directory || !*directory) continue;
        std::filesystem::create_directories(directory);
        EXPECT_TRUE(SavePicture(scene.picture(), std::string(directory) + "/" + name + ".png"));
    }
}

}  // namespace
}  // namespace pax
