// The figures drawn as whole pictures. With PAX3D_WRITE_PICTURES=<directory> every picture is
// also written there as a PNG, to be looked at; the scene of three solids is a golden picture.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "figures/axes.h"
#include "figures/light_symbol.h"
#include "figures/solids.h"
#include "figures/surface.h"
#include "figures/figure_test_support.h"
#include "render/picture_io.h"
#include "scene/eye3d.h"
#include "support/golden.h"

namespace pax {
namespace {

void WriteIfAsked(const TBitmap32& picture, const std::string& name) {
    const char* directory = std::getenv("PAX3D_WRITE_PICTURES");
    if (!directory || !*directory) return;
    std::filesystem::create_directories(directory);
    EXPECT_TRUE(SavePicture(picture, std::string(directory) + "/" + name + ".png"));
}

// The turtle turned so that three faces of a solid at the origin face the default eye.
void ThreeQuarterView(Pax3d& pax) {
    pax.TurnLeft(35);
    pax.PitchDown(25);
}

struct Picture {
    const char* name;
    std::function<void(testing::FigureScene&)> draw;
};

const Picture Pictures[] = {
    {"cube", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFF3080E0);
         ThreeQuarterView(s.pax());
         SolidCube(s.stage(), 300);
     }},
    {"cone", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFFE09020);
         s.pax().JumpDown(140);
         s.pax().PitchUp(75);
         s.pax().TurnLeft(20);
         Cone(s.stage(), 32, 120, 280);
     }},
    {"cylinder", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFF40C060);
         s.pax().JumpBack(150);
         s.pax().PitchUp(25);
         s.pax().TurnLeft(35);
         Cylinder(s.stage(), 32, 110, 300);
     }},
    {"ellipsoid", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFFC04040);
         s.pax().TurnLeft(30);
         s.pax().PitchDown(20);
         Ellipsoid(s.stage(), 24, 16, 200, 130, 110);
     }},
    {"wire_solids", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFFFFFF00);
         s.pax().SetFillColor(0);
         s.pax().JumpLeft(150);
         s.pax().PitchUp(60);
         Cone(s.stage(), 16, 80, 200);
         s.pax().JumpRight(300);
         Cylinder(s.stage(), 16, 60, 200);
     }},
    {"light", [](testing::FigureScene& s) {
         s.pax().SetColor(0xFF808080);
         SolidCube(s.stage(), 100);
         DrawLight(s.stage());
     }},
};

void LookAtAxes(Eye3d& eye) {
    eye.OrbitRight(1000, 30);
    eye.OrbitUp(1000, 20);
}

TEST(FigurePictures, SolidsAndLight) {
    testing::FigureScene scene;
    scene.SetSwitch(Switch::ConvexObject, true);
    for (const Picture& p : Pictures) {
        scene.NewPicture(0xFF202020);
        p.draw(scene);
        scene.EndPicture();
        EXPECT_GT(testing::CountPixelsNot(scene.picture(), 0xFF202020), 1000) << p.name;
        WriteIfAsked(scene.picture(), p.name);
    }
}

TEST(FigurePictures, AxesInEveryStyle) {
    testing::FigureScene scene;
    scene.SetSwitch(Switch::ConvexObject, true);
    LookAtAxes(scene.stage().Eye());
    for (int style = AxisStyle::Lines; style <= AxisStyle::SolidsLetters; ++style) {
        scene.NewPicture(0xFF202020);
        DrawAxis(scene.stage(), 250, style);
        scene.EndPicture();
        EXPECT_GT(testing::CountPixelsNot(scene.picture(), 0xFF202020), 300) << style;
        WriteIfAsked(scene.picture(), "axes_" + std::to_string(style));
    }
}

}  // namespace
}  // namespace pax
