#include "figures/surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "figures/figure_test_support.h"
#include "system/exceptions.h"
#include "system/picture_clock.h"

namespace pax {
namespace {

tVector3d Plane(Extended u, Extended w) { return {u, w, 0}; }

struct SurfaceTest : ::testing::Test {
    testing::FigureScene scene;
    testing::ColourRecordingWindow window;
    std::vector<testing::FakeTurtleWindow::Polygon>& cells = window.polygons;
    SurfaceTest() { scene.Record(window); }
    Stage& stage() { return scene.stage(); }
};

TEST_F(SurfaceTest, ZeroCountsRaiseBeforeTheTurtleMoves) {
    for (auto [segments, layers, text] :
         {std::tuple(0, 4, "\nsegments must be > 1\n"), std::tuple(4, 0, "\nlayers must be > 1\n")}) {
        try {
            Surface(stage(), Plane, uint16_t(segments), uint16_t(layers), 0, 1, 0, 1);
            ADD_FAILURE() << "no exception";
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), text);
        }
    }
    EXPECT_EQ(window.projections, 0);
}

TEST_F(SurfaceTest, EllipsoidRunsPoleToPoleWithCellsFacingOutwardsWithinTheRadii) {
    std::vector<tVector3d> points;
    const auto recorded = [&](Extended phi, Extended theta) { return points.emplace_back(EllipsoidPoint(phi, theta)); };
    SetEllipsoidRadii(1, 1, 1);
    Surface(stage(), recorded, 4, 2, 0, 2 * Pi, -Pi / 2, Pi / 2);
    ASSERT_EQ(points.size(), 15u);   // five rows of three points
    for (size_t row = 0; row < 5; ++row) {
        EXPECT_NEAR(Distance(points[3 * row], {0, 0, -1}), 0, 1e-15L);
        EXPECT_NEAR(Extent(points[3 * row + 1]), 1, 1e-15L);
        EXPECT_NEAR(points[3 * row + 1].z, 0, 1e-15L);
        EXPECT_NEAR(Distance(points[3 * row + 2], {0, 0, 1}), 0, 1e-15L);
    }
    ASSERT_EQ(cells.size(), 8u);   // every cell touches a pole, where two corners meet
    for (const auto& cell : cells) EXPECT_EQ(cell.corners.size(), 3u);

    cells.clear();
    const auto before = testing::TurtleState(scene.pax());
    Ellipsoid(stage(), 12, 6, 2, 1, 1);
    ASSERT_EQ(cells.size(), 72u);
    testing::ExpectOutward(cells, ZeroVector);
    Extended maxX = 0;
    for (const auto& cell : cells)
        for (const tVector3d& c : cell.corners) {
            maxX = std::max(maxX, std::fabs(c.x));
            EXPECT_LE(std::fabs(c.z), 1 + 1e-15L);
        }
    EXPECT_NEAR(maxX, 2, 1e-15L);
    EXPECT_EQ(testing::TurtleState(scene.pax()), before);
    EXPECT_EQ(scene.view().NestingDepth(), 0);
}

TEST_F(SurfaceTest, EllipsoidCornersAreBitEqualToTheEllipsoidPointGridWhateverCameBefore) {
    // Its sines and cosines are kept from one ellipsoid to the next of the same counts.
    const auto corners = [&](auto draw) {
        cells.clear();
        draw();
        std::vector<tVector3d> all;
        for (const auto& cell : cells) all.insert(all.end(), cell.corners.begin(), cell.corners.end());
        return all;
    };
    for (auto [segments, layers] : {std::pair(12, 6), std::pair(8, 4), std::pair(8, 5), std::pair(12, 6)}) {
        const auto s = static_cast<uint16_t>(segments), l = static_cast<uint16_t>(layers);
        const auto drawn = corners([&] { Ellipsoid(stage(), s, l, 3, 2, 1.5L); });
        const auto expected = corners([&] {
            SetEllipsoidRadii(3, 2, 1.5L);
            Surface(stage(), EllipsoidPoint, s, l, 0, 2 * Pi, -Pi / 2, Pi / 2);
        });
        ASSERT_EQ(drawn.size(), expected.size()) << segments << "x" << layers;
        for (size_t i = 0; i < drawn.size(); ++i)
            EXPECT_TRUE(SameBits(drawn[i].x, expected[i].x) && SameBits(drawn[i].y, expected[i].y) &&
                        SameBits(drawn[i].z, expected[i].z))
                << segments << "x" << layers << " corner " << i;
    }
}

TEST_F(SurfaceTest, PointsAreInTheTurtlesFrameFromItsPosition) {
    scene.pax().JumpForward(100);
    scene.pax().TurnLeft90();   // Right is now +y, Heading -x
    Surface(stage(), [](Extended u, Extended w) { return tVector3d{u, w, 5}; }, 1, 1, 0, 10, 0, 20);
    ASSERT_EQ(cells.size(), 1u);
    const std::vector<tVector3d>& c = cells[0].corners;
    ASSERT_EQ(c.size(), 4u);
    const tVector3d expected[] = {{0, 100, 5}, {0, 110, 5}, {-20, 110, 5}, {-20, 100, 5}};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(Distance(c[i], expected[i]), 0, 1e-15L) << i;
}

TEST_F(SurfaceTest, RainbowColoursGoRoundTheHueCircleByLayerOrByStripAndTravelWhileCycling) {
    for (auto [k, count, colour] : {std::tuple(0, 3, 0xFFFF0000u), std::tuple(1, 3, 0xFF00FF00u),
                                    std::tuple(2, 3, 0xFF0000FFu), std::tuple(3, 3, 0xFFFF0000u),
                                    std::tuple(120, 0, 0xFF00FF00u)})   // count < 1 counts as 360
        EXPECT_EQ(HueColor(k, count), colour) << k << "/" << count;
    scene.pax().SetFillColor(0xFF112233);
    const auto fills = [&] {
        window.fills.clear();
        Surface(stage(), Plane, 2, 3, 0, 1, 0, 1);
        return window.fills;
    };
    EXPECT_EQ(fills(), std::vector<TColor32>(6, 0xFF112233u));
    std::vector<TColor32> byLayer, byStrip;
    for (int cell = 0; cell < 6; ++cell) {
        byLayer.push_back(HueColor(cell % 3, 4));
        byStrip.push_back(HueColor(1 + cell / 3, 3));
    }
    Switches()[Switch::RainbowColors] = true;
    EXPECT_EQ(fills(), byLayer);
    Switches()[Switch::HueAcrossRows] = true;
    EXPECT_EQ(fills(), byStrip);
    EXPECT_EQ(scene.pax().Pen().FillColor, 0xFF112233u);

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
