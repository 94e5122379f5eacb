#include "render/windows/proj3d_window.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "foundation/point_list3d.h"
#include "render/window_test_support.h"
#include "system/display_info.h"

namespace pax {
namespace {

using testing::CountPixelsNot;
using testing::LastBox;
using testing::ScopedPresenter;

constexpr double Cx = testing::PictureWidth / 2, Cy = testing::PictureHeight / 2;

struct Proj3dWindowTest : ::testing::Test {
    testing::SceneParts scene;
    Proj3dWindow window{"view", scene.surfaces, scene.sprites, scene.eye, scene.light};
    ProjData pen;
    Proj3dWindowTest() {
        testing::OpenOnPicture(window, scene.surfaces);
        pen.FillDrawColor = 0xFFC04020;
    }
    TBitmap32& Picture() { return scene.surfaces.Drawing; }
    double S() const { return double(window.PerspectiveScale()); }
    double Psx() const { return double(window.PerspectiveScaleX()); }
    void At(const tVector3d& p) { window.DoProjection(pen, p, false); }
    void To(const tVector3d& p) { window.DoProjection(pen, p, true); }
};

TEST_F(Proj3dWindowTest, KnownPointsLandWhereEachModePutsThem) {
    // The perspective scale fits the view cone to the height.
    EXPECT_EQ(window.ProjectionMode(), Projection::Perspective);
    EXPECT_NEAR(S(), 360 / (2 * std::tan(12.5 * std::numbers::pi / 180)), 1e-9);
    const double v = 25 * std::numbers::pi / 180;
    const double ppmx = double(window.PixelsPerMmX()), ppmy = double(window.PixelsPerMmY());
    struct Case {
        int mode;
        tVector3d point;
        double sx, sy;
    };
    const double a42 = 42 * std::numbers::pi / 180;
    const Case cases[] = {
        {2, {0, 0, 0}, Cx, Cy},
        {2, {100, 0, 0}, Cx + 100 * S() / 1000 * Psx(), Cy},
        {2, {0, 0, 100}, Cx, Cy - 100 * S() / 1000 * 0.7},
        {0, {100, 0, 50}, Cx + 100 * ppmx, Cy - 50 * ppmy},
        {6, {100, 0, 50}, Cx + 100 * ppmx, Cy - 50 * ppmy},   // 6 keeps the projection in use
        {1, {100, 0, 0}, Cx + 100 * std::cos(a42) * 0.5 * ppmx, Cy - 100 * std::sin(a42) * 0.5 * ppmy},
        {4, {1000, 0, 0}, Cx + std::numbers::pi / 4 * 480 / v, Cy},
        {4, {0, 0, 100}, Cx, Cy - 0.1 * 480 / v},
        {5, {1000, 0, 0}, Cx + std::numbers::pi / 4 * 480 / v, Cy},
        {5, {0, 0, 1000}, Cx, Cy - std::numbers::pi / 4 * 360 / v},
        {7, {100, 0, 0}, Cx + 100 * S() / 1000 * Psx(), Cy},   // unknown modes are perspective
    };
    for (const Case& c : cases) {
        window.SetProjection(c.mode);
        window.ProjectPoint(pen, c.point);
        EXPECT_TRUE(pen.Visible) << c.mode;
        EXPECT_NEAR(pen.ScreenX, c.sx, 1e-6) << "mode " << c.mode;
        EXPECT_NEAR(pen.ScreenY, c.sy, 1e-6) << "mode " << c.mode;
        EXPECT_EQ(pen.RoundX, std::lrint(c.sx));
    }
    // The view follows the eye without being asked.
    window.SetProjection(2);
    scene.eye.MoveRight(100);
    At({0, 0, 0});
    EXPECT_NEAR(pen.ScreenX, Cx - 100 * S() / 1000 * Psx(), 1e-6);
    EXPECT_FALSE(scene.eye.Changed());
}

TEST_F(Proj3dWindowTest, StereoViewsAreMirroredAndTheEyeIsLeftBalanced) {
    const tVector3d before = scene.eye.Position();
    window.SetProjection(Projection::Stereo);
    EXPECT_TRUE(scene.eye.Depth() == 0 && scene.eye.StackCount() == 0 && !scene.eye.Changed());
    EXPECT_EQ(scene.eye.Position(), before);
    // The primary view stands 0.5 to the left turned a quarter degree right; the second the
    // other way round.
    const double a = 0.25 * std::numbers::pi / 180;
    const double x = 0.5 * std::cos(a) - 1000 * std::sin(a), d = 0.5 * std::sin(a) + 1000 * std::cos(a);
    window.ProjectPoint(pen, {0, 0, 0});
    EXPECT_NEAR(pen.ScreenX, Cx + x / d * S() * Psx(), 1e-6);
    // The translation rows hold the eye coordinates of the origin.
    EXPECT_NEAR(double(window.ViewMatrix().Row[3].x), x, 1e-9);
    EXPECT_NEAR(double(window.SecondViewMatrix().Row[3].x), 1000 * std::sin(a) - 0.5, 1e-9);
}

TEST_F(Proj3dWindowTest, ScreenPositionsRoundHalvesToEvenAndStayInRange) {
    DisplayInfo().HorzSize = DisplayInfo().HorzRes;   // one pixel per millimetre
    Proj3dWindow unit{"unit", scene.surfaces, scene.sprites, scene.eye, scene.light};
    DisplayInfo() = tDisplayInfo{};
    testing::OpenOnPicture(unit, scene.surfaces);
    unit.SetProjection(Projection::Parallel);
    for (auto [x, rounded] : {std::pair{0.5, 240}, {1.5, 242}, {-0.5, 240}, {2.5, 242}}) {
        unit.ProjectPoint(pen, {x, 0, 0});
        EXPECT_EQ(pen.RoundX, rounded) << x;
    }
    unit.ProjectPoint(pen, {1e30L, 0, -1e30L});
    EXPECT_TRUE(pen.RoundX == 1 << 30 && pen.RoundY == 1 << 30);
    unit.ProjectPoint(pen, {NAN, 0, 0});
    EXPECT_EQ(pen.RoundX, -(1 << 30));
}

TEST_F(Proj3dWindowTest, PointsBehindTheNearPlaneBreakTheLine) {
    window.LineAntialiasing = false;
    At({0, 0, 0});
    To({0, -970.01L, 0});   // depth 29.99
    EXPECT_FALSE(pen.Visible);
    To({50, 0, 0});   // visible again: starts a new segment, draws nothing
    EXPECT_TRUE(pen.Visible);
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);
    To({100, 0, 0});
    EXPECT_GT(CountPixelsNot(Picture(), clBlack32), 20);
    EXPECT_EQ(window.PrimitiveCount(), 1);
    window.ProjectPoint(pen, {0, -970, 0});   // exactly at the near distance
    EXPECT_TRUE(pen.Visible);
}

// A circle is drawn only while its centre lies within 2000 pixels of the window; radii are
// measured along the eye's axes, and beyond 20000 units the circle becomes one point.
TEST_F(Proj3dWindowTest, CirclesFarOffOrTooLargeAreNotDrawnAsCircles) {
    window.LineAntialiasing = false;
    const double perUnit = S() * Psx() / 1000;   // pixels per world unit at depth 1000
    const Extended radius = 2300 / perUnit;        // reaches well into the picture
    At({(-2001 - Cx) / perUnit, 0, 0});
    ASSERT_EQ(pen.RoundX, -2001);
    window.DrawCircle(pen, radius);
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);
    At({(-2000 - Cx) / perUnit, 0, 0});
    window.DrawCircle(pen, radius);
    EXPECT_GT(CountPixelsNot(Picture(), clBlack32), 1000);
    Picture().Clear();
    At({0, 0, 0});
    window.CalcRadius(100, 50, pen);
    EXPECT_NEAR(pen.PrevScreenX, 100 * S() / 1000 * Psx(), 1e-6);
    EXPECT_NEAR(pen.PrevScreenY, 50 * S() / 1000 * 0.7, 1e-6);
    EXPECT_NEAR(pen.ScreenX, Cx, 1e-9);   // the centre is back
    window.CalcRadius(20001, 10, pen);
    EXPECT_TRUE(pen.PrevScreenX == 0 && pen.PrevScreenY == 0);
    window.DrawCircle(pen, 20001);
    const int drawn = CountPixelsNot(Picture(), clBlack32);
    EXPECT_TRUE(drawn > 0 && drawn <= 4) << drawn;
}

// Misuse of objects and planes is reported; ClearAll forgets pictures, planes and objects;
// sprite ids from 40 on are refused.
TEST_F(Proj3dWindowTest, ProtocolMisuseIsReportedAndClearAllForgetsEverything) {
    ScopedPresenter presenter;
    window.DoBeginPolyon(pen, false);
    window.DoBeginPolyon(pen, false);
    window.CheckPlaneClosed();
    EXPECT_EQ(LastBox(presenter), "PaxPax:  | missing call of EndPlane");
    EXPECT_TRUE(!window.PlaneObject().IsOpen() && tPlaneObj::SavedPlanes() == 0);
    window.EndPicture();
    window.BeginObject(ObjectShape::General);
    window.BeginObject(ObjectShape::General);
    window.DoBeginPolyon(pen, true);
    window.DoBeginPolyon(pen, true);
    EXPECT_EQ(window.PictureCount(), 1);
    window.ClearAll();
    EXPECT_TRUE(window.PictureCount() == 0 && window.NestingDepth() == 0 && !window.InObject());
    EXPECT_TRUE(!window.PlaneObject().IsOpen() && tPlaneObj::SavedPlanes() == 0);
    window.SetSpriteId(39);
    window.SetSpriteId(40);
    EXPECT_EQ(window.SpriteId(), 39);
    window.BeginObject(ObjectShape::General);
    EXPECT_TRUE(window.NestingDepth() == 1 && window.InObject());
    window.EndObject();
    window.EndObject();
    EXPECT_EQ(LastBox(presenter), "PaxProj: Proj3dWindow.EndObject | missing call of BeginObject");
    EXPECT_EQ(window.NestingDepth(), 0);
    window.Close();
    window.BeginObject(ObjectShape::Convex);
    EXPECT_EQ(LastBox(presenter), "PaxProj: Proj3dWindow.BeginObject | window not seen");
    EXPECT_EQ(window.NestingDepth(), 0);
    window.DoProjection(pen, {0, 0, 0}, true);
    EXPECT_EQ(LastBox(presenter), "PaxProj:  Proj3dWindow.DoProjection | window not open");
    EXPECT_EQ(presenter.Last().buttons, 258);
}

// A square in the plane y = 0, wound so that its normal faces the eye (towards -y) or away.
void RecordSquare(Proj3dWindow& window, ProjData& pen, bool facingEye) {
    std::vector<tVector3d> corners{{-50, 0, -50}, {50, 0, -50}, {50, 0, 50}, {-50, 0, 50}};
    if (!facingEye) std::reverse(corners.begin(), corners.end());
    window.DoBeginPolyon(pen, true);
    window.DoProjection(pen, corners[0], false);
    window.AddPolyPoint(pen);
    for (size_t i = 1; i < corners.size(); ++i) window.DoProjection(pen, corners[i], true);
}

TEST_F(Proj3dWindowTest, WithCullFaceBackFacesOfConvexObjectsAreCulledUnprojected) {
    window.BeginObject(ObjectShape::Convex);
    EXPECT_FALSE(window.ObjectDef().Convex);   // not without the option
    window.EndObject();
    Switches()[Switch::ConvexObject] = true;
    window.Reset();
    window.BeginObject(ObjectShape::General);
    EXPECT_FALSE(window.ObjectDef().Convex);
    window.BeginObject(ObjectShape::Convex);
    EXPECT_TRUE(window.ObjectDef().Convex);
    RecordSquare(window, pen, false);
    EXPECT_EQ(window.PlaneObject().Record().Count, 4);
    EXPECT_FALSE(window.CalcPolygonProjection());
    EXPECT_EQ(window.PlaneObject().Record().Count2d, 0);
    window.DoEndPolygon(pen);
    EXPECT_TRUE(!window.PlaneObject().IsOpen() && CountPixelsNot(Picture(), clBlack32) == 0);
    RecordSquare(window, pen, true);
    window.DoEndPolygon(pen);
    EXPECT_GT(CountPixelsNot(Picture(), clBlack32), 1000);
    EXPECT_NE(Picture().Pixel(int(Cx), int(Cy)), clBlack32);
    window.EndObject();
    EXPECT_FALSE(window.ObjectDef().Convex);
}

TEST_F(Proj3dWindowTest, PolygonsCrossingTheNearPlaneAreCutThere) {
    // A floor reaching from far ahead to behind the eye: what lies in front fills the lower
    // part of the picture up to the floor's far edge, and nothing above the horizon.
    window.DoBeginPolyon(pen, true);
    for (tVector3d p : {tVector3d{-2000, -2000, -100}, {2000, -2000, -100}, {2000, 2000, -100}, {-2000, 2000, -100}}) {
        window.DoProjection(pen, p, true);
    }
    ASSERT_TRUE(window.CalcPolygonProjection());
    const tPlaneRecord& r = window.PlaneObject().Record();
    EXPECT_EQ(r.Count2d, 4);   // the two corners behind the eye replaced by two on the near plane
    for (int i = 0; i < r.Count2d; ++i) EXPECT_GE(r.Points2d[i].y, Cy) << i;
    window.DoShowPlane();
    window.PlaneObject().EndPlane();
    EXPECT_NE(Picture().Pixel(int(Cx), testing::PictureHeight - 1), clBlack32);
    EXPECT_EQ(Picture().Pixel(int(Cx), int(Cy) - 5), clBlack32);
}

// Each plane's corners land where the view it is shown in puts them, however they were recorded:
// by drawing moves (projected as they are made), from the pen's position, around a nested plane,
// or before the view changed.
TEST_F(Proj3dWindowTest, PlaneCornersLandWhereTheViewTheyAreShownInPutsThem) {
    const std::vector<tVector3d> square{{-50, 0, -50}, {50, 0, -50}, {50, 0, 50}, {-50, 0, 50}};
    const auto expectCorners = [&](const std::vector<tVector3d>& corners, const char* what) {
        ASSERT_TRUE(window.CalcPolygonProjection()) << what;
        const tPlaneRecord& r = window.PlaneObject().Record();
        ASSERT_EQ(r.Count2d, static_cast<int32_t>(corners.size())) << what;
        ProjData probe;
        for (size_t i = 0; i < corners.size(); ++i) {
            window.ProjectPoint(probe, corners[i]);
            EXPECT_EQ(r.Points2d[i].x, static_cast<float>(probe.ScreenX)) << what << " corner " << i;
            EXPECT_EQ(r.Points2d[i].y, static_cast<float>(probe.ScreenY)) << what << " corner " << i;
        }
        window.PlaneObject().EndPlane();
    };
    for (int mode : {Projection::Perspective, Projection::Parallel, Projection::Panorama}) {
        window.SetProjection(mode);
        RecordSquare(window, pen, true);
        expectCorners(square, "recorded");
        // The view changes after the corners were projected.
        RecordSquare(window, pen, true);
        window.SetProjection(mode == Projection::Parallel ? Projection::Spherical : Projection::Parallel);
        expectCorners(square, "view changed");
        window.SetProjection(mode);
        // The first corner from a pen whose screen position is that of another view.
        window.SetProjection(Projection::Dimetric);
        At(square[0]);
        window.SetProjection(mode);
        window.DoBeginPolyon(pen, true);
        window.AddPolyPoint(pen);
        for (size_t i = 1; i < square.size(); ++i) To(square[i]);
        expectCorners(square, "pen of another view");
        // Two corners, a nested plane of two, then the other two.
        window.DoBeginPolyon(pen, true);
        To(square[0]);
        To(square[1]);
        window.DoBeginPolyon(pen, true);
        To({0, 0, 80});
        To({0, 0, 90});
        window.PlaneObject().EndPlane();
        To(square[2]);
        To(square[3]);
        expectCorners(square, "around a nested plane");
    }
}

TEST_F(Proj3dWindowTest, ZBufferAndLineRecordingTakeTheSegments) {
    tPointList3d lines("lines");
    window.SetLineRecording(&lines);
    Switches()[Switch::ZBuffer] = true;
    window.Reset();
    At({0, 0, 0});
    To({100, 0, 0});
    EXPECT_EQ(CountPixelsNot(Picture(), clBlack32), 0);
    EXPECT_EQ(scene.surfaces.ZBuffer.ColorPlane().Pixel(int(Cx) + 10, int(Cy)), pen.LineDrawColor);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Point(1).Point, (tVector3d{100, 0, 0}));
}

}  // namespace
}  // namespace pax
