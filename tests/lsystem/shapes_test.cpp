#include "lsystem/shapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "lsystem/lsystem_test_scene.h"
#include "render/windows/object_window.h"

namespace pax {
namespace {

using testing::DrawInto;
using testing::LSScene;

// Where a plane system's turtle stands when the axiom starts: 250 back from the origin, heading up.
const tVector3d Start{0, 0, -250};

TEST(DrawShape, EachShapeHasItsFacesAndSizeAndLeavesTheTurtleWhereItWas) {
    const double b = 10 * std::cos(36 * M_PI / 180), c = 10 * std::sin(10 * M_PI / 180);
    struct Case {
        char shape;
        size_t polygons;
        size_t lines;          // before the F that follows the shape
        double reach;          // farthest polygon corner from the turtle
    };
    const Case cases[] = {
        {'C', 6, 0, 5 * std::sqrt(3.0)},  {'c', 6, 0, 2.5 * std::sqrt(3.0)},
        {'D', 1, 0, 2.5},                 {'d', 1, 0, 1.25},
        {'E', 72, 0, 5},                  {'e', 72, 0, 5},
        {'X', 12, 0, std::hypot(10, 3.5)}, {'x', 12, 0, std::hypot(10, 1.75)},
        {'O', 13, 1, std::hypot(5, 5)},   {'o', 13, 1, std::hypot(2.5, 2.5)},
        {'Y', 14, 1, std::hypot(5, 5)},   {'y', 14, 1, std::hypot(2.5, 2.5)},
        {'L', 5, 0, 2 * std::hypot(b, c)}, {'l', 1, 0, 11.75},
        {'S', 0, 0, 0},                   {'Q', 0, 0, 0},
    };
    for (const Case& k : cases) {
        LSScene scene;
        scene.Draw(std::string("~") + k.shape + "F");
        EXPECT_EQ(scene.window.polygons.size(), k.polygons) << k.shape;
        double reach = 0;
        for (const auto& polygon : scene.window.polygons)
            for (const tVector3d& corner : polygon.corners) reach = std::max(reach, static_cast<double>(Distance(corner, Start)));
        EXPECT_NEAR(reach, k.reach, 1e-9) << k.shape;
        ASSERT_EQ(scene.window.lines.size(), k.lines + 1) << k.shape;
        const auto& after = scene.window.lines.back();
        EXPECT_NEAR(static_cast<double>(Distance(after.from, Start)), 0, 1e-9) << k.shape;
        EXPECT_NEAR(static_cast<double>(Distance(after.to, Start + tVector3d{0, 0, 10})), 0, 1e-9) << k.shape;
        EXPECT_TRUE(scene.errors.Errors().empty()) << k.shape;
    }
}

TEST(DrawShape, TheCoordinateCrossShowsTheTurtlesAxes) {
    LSScene scene;
    scene.Draw("~0");
    ASSERT_EQ(scene.window.lines.size(), 3u);
    // The plane system's turtle: Right x, Heading z, Up -y.
    const std::pair<TColor32, tVector3d> axes[] = {
        {0xFFFF0000, {100, 0, 0}}, {0xFF00FF00, {0, 0, 100}}, {0xFF6495ED, {0, -100, 0}}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(scene.window.lines[i].color & 0xFFFFFF, axes[i].first & 0xFFFFFF) << i;
        EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[i].from, Start)), 0, 1e-9) << i;
        EXPECT_NEAR(static_cast<double>(Distance(scene.window.lines[i].to, Start + axes[i].second)), 0, 1e-9) << i;
    }
}

// S has a rule: after "~" it is an operand all the same.
TEST(DrawShape, SpheresAndSpritesArePartsOfTheViewAndAShapeIsNeverRewritten) {
    for (auto [axiom, parts, sprite] : {std::tuple{"~S", 1, 0}, {"~s", 1, 0}, {"~2", 1, 2}, {"~7", 1, 7}, {"~Q", 0, 0}}) {
        LSScene scene(DrawInto::View);
        scene.Draw(axiom, {"S=FFF"}, 1);
        EXPECT_EQ(scene.stage.View().PartCount(), parts) << axiom;
        EXPECT_EQ(scene.stage.View().SpriteId(), sprite) << axiom;
    }
}

}  // namespace
}  // namespace pax
