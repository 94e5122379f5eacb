#include "figures/solids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "figures/figure_test_support.h"

namespace pax {
namespace {

using testing::ExpectOutward;
using testing::TurtleState;
constexpr Extended Exact = 1e-12L;

struct SolidsTest : ::testing::Test {
    testing::FigureScene scene;
    testing::FakeTurtleWindow window;
    std::vector<testing::FakeTurtleWindow::Polygon>& faces = window.polygons;
    SolidsTest() { scene.Record(window); }
    Stage& stage() { return scene.stage(); }
};

TEST_F(SolidsTest, DiscIsARegularPolygonOfPolySidesWithCornersAtTheRadiusInTheChosenPlane) {
    for (Extended r : {10.0L, -10.0L}) {   // a negative radius turns the other way
        EXPECT_NEAR(PolySide(4, 360, r).Turn, r > 0 ? 90 : -90, Exact);
        EXPECT_NEAR(PolySide(4, 360, r).Side, 10 * std::sqrt(2.0L), Exact);
    }
    EXPECT_NEAR(PolySide(0, 360, 1).Turn, 360, Exact);
    const auto before = TurtleState(scene.pax());
    struct Case {
        const char* axis;
        int n;
        size_t corners;
        Extended tVector3d::*flat;   // the coordinate that stays 0
    };
    for (const Case& c : {Case{"z", 4, 4, &tVector3d::z}, Case{"x", 2, 3, &tVector3d::x},
                          Case{"Y", 5, 5, &tVector3d::y}, Case{"z", 500, 200, &tVector3d::z}}) {
        faces.clear();
        disc(stage(), c.axis, c.n, 10);
        ASSERT_EQ(faces.size(), 1u);
        EXPECT_TRUE(faces[0].fill);
        const std::vector<tVector3d>& corners = faces[0].corners;
        ASSERT_EQ(corners.size(), c.corners) << c.axis << c.n;
        for (const tVector3d& p : corners) {
            EXPECT_NEAR(Extent(p), 10, Exact) << c.axis << c.n;
            EXPECT_NEAR(p.*c.flat, 0, Exact) << c.axis << c.n;
        }
        EXPECT_NEAR(Distance(corners[0], corners[1]), PolySide(int(c.corners), 360, 10).Side, Exact);
    }
    EXPECT_EQ(scene.presenter().Count(), 0u);   // 200 corners fit a plane
    EXPECT_EQ(TurtleState(scene.pax()), before);
}

TEST_F(SolidsTest, CubeConeCylinderAndTubeAreWoundOutwardsTheCubesCornersAtHalfTheEdge) {
    const auto before = TurtleState(scene.pax());
    SolidCube(stage(), 2);
    ASSERT_EQ(faces.size(), 6u);
    std::vector<tVector3d> normals;
    for (const auto& face : faces) {
        ASSERT_EQ(face.corners.size(), 4u);
        for (const tVector3d& c : face.corners)
            for (Extended v : {c.x, c.y, c.z}) EXPECT_NEAR(std::fabs(v), 1, Exact);
        normals.push_back(Normalize(Cross(face.corners[1] - face.corners[0], face.corners[2] - face.corners[0])));
    }
    ExpectOutward(faces, ZeroVector);
    for (const tVector3d& axis : {tVector3d{1, 0, 0}, tVector3d{0, 1, 0}, tVector3d{0, 0, 1}})
        for (Extended sign : {1.0L, -1.0L})
            EXPECT_EQ(std::count_if(normals.begin(), normals.end(),
                                    [&](const tVector3d& n) { return Dot(n, sign * axis) > 0.999L; }),
                      1);
    EXPECT_EQ(TurtleState(scene.pax()), before);
    faces.clear();
    Cone(stage(), 8, 10, 30);
    ASSERT_EQ(faces.size(), 9u);
    ASSERT_EQ(faces[0].corners.size(), 8u);   // the base around the turtle
    for (const tVector3d& c : faces[0].corners) {
        EXPECT_NEAR(c.y, 0, Exact);
        EXPECT_NEAR(Extent(c), 10, Exact);
    }
    for (size_t i = 1; i < 9; ++i) {
        ASSERT_EQ(faces[i].corners.size(), 3u);
        EXPECT_NEAR(Distance(faces[i].corners[1], {0, 30, 0}), 0, Exact);
    }
    ExpectOutward(faces, {0, 10, 0});
    faces.clear();
    Cylinder(stage(), 6, 10, 40);
    ASSERT_EQ(faces.size(), 8u);
    ExpectOutward(faces, {0, 20, 0});
    faces.clear();
    scene.pax().PitchUp90();   // a tube narrowing to a point still faces away from its axis
    Tube(stage(), 5, 10, 0, 30);
    ASSERT_EQ(faces.size(), 5u);
    ExpectOutward(faces, {0, 0, 5});
}

TEST_F(SolidsTest, SegmentCountsAreHeldWithinThreeAndTwoHundredAndFillZeroDrawsLinesOnly) {
    const auto before = TurtleState(scene.pax());
    Cone(stage(), 0, 10, 30);
    EXPECT_EQ(faces.size(), 4u);
    faces.clear();
    Cylinder(stage(), 1000, 10, 30);
    ASSERT_EQ(faces.size(), 202u);
    EXPECT_EQ(faces[0].corners.size(), 200u);
    EXPECT_EQ(TurtleState(scene.pax()), before);
    faces.clear();
    scene.pax().SetFillColor(0);
    const auto wire = TurtleState(scene.pax());
    Cone(stage(), 6, 10, 30);
    EXPECT_EQ(window.lines.size(), 12u);   // six to the apex, six round the base
    window.lines.clear();
    Cylinder(stage(), 6, 10, 30);
    EXPECT_EQ(window.lines.size(), 18u);   // six along the sides, both rings
    EXPECT_TRUE(faces.empty());
    EXPECT_EQ(scene.presenter().Count(), 0u);
    EXPECT_EQ(TurtleState(scene.pax()), wire);
}

}  // namespace
}  // namespace pax
