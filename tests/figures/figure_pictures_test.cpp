// Every figure drawn as a whole picture; with PAX3D_WRITE_PICTURES=<directory> each picture is
// also written there as a PNG, to be looked at.

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
#include "render/picture_io.h"
#include "scene/eye3d.h"

namespace pax {
namespace {

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
