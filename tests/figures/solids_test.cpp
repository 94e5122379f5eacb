#include "figures/solids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "figures/figure_test_support.h"
#include "scene/fake_turtle_window.h"

namespace pax {
namespace {

using testing::FakeTurtleWindow;
using testing::TurtleSnapshot;
using Polygon = FakeTurtleWindow::Polygon;

tVector3d Centroid(const Polygon& p) {
    tVector3d sum;
    for (const tVector3d& c : p.corners) sum += c;
    return (1.0L / p.corners.size()) * sum;
}

// The normal of the first three corners, as the plane recorder computes it.
tVector3d NormalOf(const Polygon& p) { return Cross(p.corners[1] - p.corners[0], p.corners[2] - p.corners[0]); }

void ExpectOutward(const std::vector<Polygon>& polygons, const tVector3d& interior) {
    for (size_t i = 0; i < polygons.size(); ++i) {
        ASSERT_GE(polygons[i].corners.size(), 3u) << i;
        EXPECT_GT(Dot(NormalOf(polygons[i]), Centroid(polygons[i]) - interior), 1e-9L) << "face " << i;
    }
}

// The stage's turtles draw into a recording window: exact corners, no projection.
struct SolidsTest : ::testing::Test {
    testing::FigureScene scene;
    FakeTurtleWindow window;

    SolidsTest() {
        scene.pax().SetWindow(&window);
        scene.stage().Bee().SetWindow(&window);
        scene.pax().Restart();
        scene.pax().SetColor(0xFF808080);
    }
    Stage& stage() { return scene.stage(); }
};

// For r < 0 the chord 2 r sin(turn / 2) is negative; negated it is the positive length again,
// and the turn runs the other way round.
TEST(PolySide, GivesTheChordAndTheTurnNegatedForNegativeRadii) {
    const tPolySide square = PolySide(4, 360, 10);
    EXPECT_NEAR(square.Turn, 90, 1e-12L);
    EXPECT_NEAR(square.Side, 10 * std::sqrt(2.0L), 1e-12L);
    const tPolySide negative = PolySide(4, 360, -10);
    EXPECT_NEAR(negative.Turn, -90, 1e-12L);
    EXPECT_NEAR(negative.Side, 10 * std::sqrt(2.0L), 1e-12L);
    EXPECT_NEAR(PolySide(0, 360, 1).Turn, 360, 1e-12L);
}

TEST_F(SolidsTest, DiscIsARegularPolygonWithCornersAtTheRadiusInTheChosenPlane) {
    const TurtleSnapshot before(scene.pax());
    disc(stage(), "z", 4, 10);
    disc(stage(), "x", 2, 10);
    disc(stage(), "Y", 5, 10);
    disc(stage(), "z", 500, 10);
    ASSERT_EQ(window.polygons.size(), 4u);
    const size_t corners[] = {4, 3, 5, 200};
    for (size_t i = 0; i < 4; ++i) {
        const Polygon& p = window.polygons[i];
        EXPECT_TRUE(p.fill);
        ASSERT_EQ(p.corners.size(), corners[i]) << i;
        for (const tVector3d& c : p.corners) EXPECT_NEAR(Extent(c), 10, 1e-12L) << i;
    }
    // "z" lies in the horizontal plane, "x" (lower case) in the plane x = 0, "Y" in y = 0.
    for (const tVector3d& c : window.polygons[0].corners) EXPECT_NEAR(c.z, 0, 1e-12L);
    for (const tVector3d& c : window.polygons[1].corners) EXPECT_NEAR(c.x, 0, 1e-12L);
    for (const tVector3d& c : window.polygons[2].corners) EXPECT_NEAR(c.y, 0, 1e-12L);
    // The square's sides are equal chords; 200 corners fit a plane without a warning.
    EXPECT_NEAR(Distance(window.polygons[0].corners[0], window.polygons[0].corners[1]), 10 * std::sqrt(2.0L), 1e-12L);
    EXPECT_EQ(scene.presenter().Count(), 0u);
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

TEST_F(SolidsTest, SolidCubeHasSixOutwardSquaresWithCornersAtPlusMinusHalfTheEdge) {
    const TurtleSnapshot before(scene.pax());
    SolidCube(stage(), 2);
    ASSERT_EQ(window.polygons.size(), 6u);
    std::vector<tVector3d> normals;
    for (const Polygon& face : window.polygons) {
        ASSERT_EQ(face.corners.size(), 4u);
        for (const tVector3d& c : face.corners)
            for (Extended v : {c.x, c.y, c.z}) EXPECT_NEAR(std::fabs(v), 1, 1e-12L);
        normals.push_back(Normalize(NormalOf(face)));
    }
    ExpectOutward(window.polygons, ZeroVector);
    // One face on each side.
    for (const tVector3d& axis : {tVector3d{1, 0, 0}, tVector3d{0, 1, 0}, tVector3d{0, 0, 1}})
        for (Extended sign : {1.0L, -1.0L})
            EXPECT_EQ(std::count_if(normals.begin(), normals.end(),
                                    [&](const tVector3d& n) { return Dot(n, sign * axis) > 0.999L; }),
                      1);
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

TEST_F(SolidsTest, SolidConeHasABaseAtTheTurtleAndAFanToTheApexAhead) {
    const TurtleSnapshot before(scene.pax());
    Cone(stage(), 8, 10, 30);
    ASSERT_EQ(window.polygons.size(), 9u);
    EXPECT_EQ(window.polygons[0].corners.size(), 8u);   // the base
    for (const tVector3d& c : window.polygons[0].corners) {
        EXPECT_NEAR(c.y, 0, 1e-12L);
        EXPECT_NEAR(Extent(c), 10, 1e-12L);
    }
    for (size_t i = 1; i < 9; ++i) {
        ASSERT_EQ(window.polygons[i].corners.size(), 3u);
        EXPECT_NEAR(Distance(window.polygons[i].corners[1], {0, 30, 0}), 0, 1e-12L);
    }
    ExpectOutward(window.polygons, {0, 10, 0});
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

TEST_F(SolidsTest, SolidCylinderAndTubeAreWoundOutwards) {
    Cylinder(stage(), 6, 10, 40);
    ASSERT_EQ(window.polygons.size(), 8u);
    ExpectOutward(window.polygons, {0, 20, 0});
    window.polygons.clear();
    // A tube narrowing to a point: its sides still face away from the axis.
    scene.pax().PitchUp90();
    Tube(stage(), 5, 10, 0, 30);
    ASSERT_EQ(window.polygons.size(), 5u);
    ExpectOutward(window.polygons, {0, 0, 5});
}

TEST_F(SolidsTest, WireSolidsDrawLinesOnlyWhenTheFillColourIsZero) {
    scene.pax().SetFillColor(0);
    const TurtleSnapshot before(scene.pax());
    Cone(stage(), 6, 10, 30);
    EXPECT_TRUE(window.polygons.empty());
    // Six lines to the apex and the six sides of the base.
    EXPECT_EQ(window.lines.size(), 12u);
    window.lines.clear();
    Cylinder(stage(), 6, 10, 30);
    EXPECT_TRUE(window.polygons.empty());
    // Six lines along the sides and both rings.
    EXPECT_EQ(window.lines.size(), 18u);
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

TEST_F(SolidsTest, SegmentCountsAreHeldWithinThreeAndTwoHundred) {
    Cone(stage(), 0, 10, 30);
    EXPECT_EQ(window.polygons.size(), 4u);
    window.polygons.clear();
    Cylinder(stage(), 1000, 10, 30);
    ASSERT_EQ(window.polygons.size(), 202u);
    EXPECT_EQ(window.polygons[0].corners.size(), 200u);
    EXPECT_EQ(scene.presenter().Count(), 0u);
}

TEST_F(SolidsTest, DashedForwardDrawsEveryOtherPieceAndDrawVectorReturns) {
    DashedForward(stage(), 4, 100);
    ASSERT_EQ(window.lines.size(), 2u);
    EXPECT_NEAR(window.lines[1].from.y, 50, 1e-12L);
    EXPECT_NEAR(window.lines[1].to.y, 75, 1e-12L);
    EXPECT_NEAR(scene.pax().Position().y, 100, 1e-12L);
    window.lines.clear();
    const TurtleSnapshot before(scene.pax());
    DrawVector(stage(), {0, 0, 2}, 30);
    DrawVector(stage(), ZeroVector, 30);
    ASSERT_EQ(window.lines.size(), 1u);
    EXPECT_NEAR(window.lines[0].to.z, 30, 1e-12L);
    EXPECT_TRUE(TurtleSnapshot(scene.pax()) == before);
}

// --- through the object window ---------------------------------------------------------------------

TEST(SolidsPicture, CubeFromTheDefaultEyeShowsItsLitFrontFaceBetweenTheProjectedCorners) {
    testing::FigureScene scene;
    constexpr Extended H = 100;
    scene.pax().SetColor(clWhite32);
    SolidCube(scene.stage(), 2 * H);
    EXPECT_EQ(scene.view().PartCount(), 6);   // no culling by default
    scene.NewPicture();
    scene.SetSwitch(Switch::ConvexObject, true);
    scene.pax().SetColor(clWhite32);
    SolidCube(scene.stage(), 2 * H);
    EXPECT_EQ(scene.view().PartCount(), 1);   // only the face towards the eye
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

TEST(SolidsPicture, WireConeInsideAnObjectMakesLinePartsOnly) {
    testing::FigureScene scene;
    scene.pax().SetFillColor(0);
    scene.view().BeginObject(ObjectShape::General);
    Cone(scene.stage(), 6, 50, 100);
    scene.view().EndObject();
    EXPECT_EQ(scene.view().PartCount(), 12);
}

}  // namespace
}  // namespace pax
