#include "figures/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "figures/figure_test_support.h"
#include "scene/fake_turtle_window.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"

namespace pax {
namespace {

using testing::TurtleSnapshot;

// The recording window, also keeping each plane's fill colour.
class ColourRecordingWindow : public testing::FakeTurtleWindow {
public:
    void DoBeginPolyon(ProjData& pen, bool fill) override {
        FakeTurtleWindow::DoBeginPolyon(pen, fill);
        fills.push_back(pen.FillColor);
    }
    std::vector<TColor32> fills;
};

struct SurfaceTest : ::testing::Test {
    testing::FigureScene scene;
    ColourRecordingWindow window;

    SurfaceTest() {
        scene.pax().SetWindow(&window);
        scene.pax().Restart();
        window.projections = 0;
    }
    Stage& stage() { return scene.stage(); }
};

TEST_F(SurfaceTest, ZeroCountsRaiseBeforeTheTurtleMoves) {
    const auto plane = [](Extended u, Extended w) { return tVector3d{u, w, 0}; };
    try {
        Surface(stage(), plane, 0, 4, 0, 1, 0, 1);
        FAIL() << "no exception";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "\nsegments must be > 1\n");
    }
    try {
        Surface(stage(), plane, 4, 0, 0, 1, 0, 1);
        FAIL() << "no exception";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "\nlayers must be > 1\n");
    }
    EXPECT_EQ(window.projections, 0);
}

TEST_F(SurfaceTest, EllipsoidOfFourByTwoIsEightCellsFromFiveMeridiansOfThreePoints) {
    std::vector<tVector3d> points;
    const auto recorded = [&](Extended phi, Extended theta) {
        points.push_back(EllipsoidPoint(phi, theta));
        return points.back();
    };
    SetEllipsoidRadii(1, 1, 1);
    Surface(stage(), recorded, 4, 2, 0, 2 * Pi, -Pi / 2, Pi / 2);
    ASSERT_EQ(points.size(), 15u);
    for (size_t row = 0; row < 5; ++row) {
        EXPECT_NEAR(Distance(points[3 * row], {0, 0, -1}), 0, 1e-15L);
        EXPECT_NEAR(Extent(points[3 * row + 1]), 1, 1e-15L);
        EXPECT_NEAR(points[3 * row + 1].z, 0, 1e-15L);
        EXPECT_NEAR(Distance(points[3 * row + 2], {0, 0, 1}), 0, 1e-15L);
    }
    // Every cell touches a pole, where two of its corners coincide.
    ASSERT_EQ(window.polygons.size(), 8u);
    for (const auto& cell : window.polygons) EXPECT_EQ(cell.corners.size(), 3u);
}

TEST_F(SurfaceTest, EllipsoidCellsFaceOutwardsAndStayWithinTheRadii) {
    const TurtleSnapshot before(scene.pax());
    Ellipsoid(stage(), 12, 6, 2, 1, 1);
    ASSERT_EQ(window.polygons.size(), 72u);
    Extended maxX = 0;
    for (const auto& cell : window.polygons) {
        tVector3d centroid;
        for (const tVector3d& c : cell.corners) {
            centroid += c;
            maxX = std::max(maxX, std::fabs(c.x));
            EXPECT_LE(std::fabs(c.z), 1 + 1e-15L);
        }
        const tVector3d normal = Cross(cell.corners[1] - cell.corners[0], cell.corners[2] - cell.corners[0]);
        EXPECT_GT(Dot(normal, centroid), 0);
    }
    EXPECT_NEAR(maxX, 2, 1e-15L);
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
    EXPECT_EQ(scene.view().NestingDepth(), 0);
}

TEST_F(SurfaceTest, PointsAreInTheTurtlesFrameFromItsPosition) {
    scene.pax().JumpForward(100);
    scene.pax().TurnLeft90();   // Right is now +y, Heading -x
    Surface(stage(), [](Extended u, Extended w) { return tVector3d{u, w, 5}; }, 1, 1, 0, 10, 0, 20);
    ASSERT_EQ(window.polygons.size(), 1u);
    const std::vector<tVector3d>& c = window.polygons[0].corners;
    ASSERT_EQ(c.size(), 4u);
    const tVector3d expected[] = {{0, 100, 5}, {0, 110, 5}, {-20, 110, 5}, {-20, 100, 5}};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(Distance(c[i], expected[i]), 0, 1e-15L) << i;
}

TEST_F(SurfaceTest, RainbowSwitchesColourTheCellsByLayerOrByStrip) {
    const auto plane = [](Extended u, Extended w) { return tVector3d{u, w, 0}; };
    scene.pax().SetFillColor(0xFF112233);
    Surface(stage(), plane, 2, 3, 0, 1, 0, 1);
    for (TColor32 fill : window.fills) EXPECT_EQ(fill, 0xFF112233u);

    window.fills.clear();
    Switches()[Switch::RainbowColors] = true;
    Surface(stage(), plane, 2, 3, 0, 1, 0, 1);
    ASSERT_EQ(window.fills.size(), 6u);
    for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(window.fills[cell], HueColor(cell % 3, 4)) << cell;

    window.fills.clear();
    Switches()[Switch::HueAcrossRows] = true;
    Surface(stage(), plane, 2, 3, 0, 1, 0, 1);
    ASSERT_EQ(window.fills.size(), 6u);
    for (int cell = 0; cell < 6; ++cell) EXPECT_EQ(window.fills[cell], HueColor(1 + cell / 3, 3)) << cell;
    EXPECT_EQ(scene.pax().Pen().FillColor, 0xFF112233u);
}

TEST(HueColor, GoesRoundTheHueCircleAndTravelsWhileCycling) {
    testing::ScopedSettings settings;
    EXPECT_EQ(HueColor(0, 3), 0xFFFF0000u);
    EXPECT_EQ(HueColor(1, 3), 0xFF00FF00u);
    EXPECT_EQ(HueColor(2, 3), 0xFF0000FFu);
    EXPECT_EQ(HueColor(3, 3), 0xFFFF0000u);
    EXPECT_EQ(HueColor(120, 0), 0xFF00FF00u);   // count < 1 counts as 360
    const uint32_t counter = PictureClock().Counter;
    PictureClock().Counter = 200;
    ConfigValues().CyclingSpeed = 5;
    EXPECT_EQ(HueColor(0, 2), 0xFFFF0000u);   // not cycling: no travel
    Switches()[Switch::ColorCycling] = true;
    EXPECT_EQ(HueColor(0, 2), 0xFF00FFFFu);   // half way round after 200 pictures at speed 5
    PictureClock().Counter = counter;
}

}  // namespace
}  // namespace pax
