#include "scene/plane_obj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

// Records every call as one line of text.
class RecordingCanvas : public PlaneCanvas {
public:
    std::vector<std::string> calls;

    void LineF(tPoint2f from, tPoint2f to, TColor32 color) override {
        calls.push_back("line " + Point(from) + " " + Point(to) + " " + Hex(color));
    }
    void FillPolygon(std::span<const tPoint2f> points, TColor32 fill, TColor32 outline, bool drawFlag1,
                     bool drawFlag2) override {
        calls.push_back("fill " + std::to_string(points.size()) + " " + Hex(fill) + " " + Hex(outline) + " " +
                        Flags(drawFlag1, drawFlag2));
    }
    void OutlinePolygon(std::span<const tPoint2f> points, TColor32 color, PolygonClosure closure,
                        bool drawFlag1) override {
        calls.push_back(std::string(closure == PolygonClosure::Closed ? "closed " : "open ") +
                        std::to_string(points.size()) + " " + Hex(color) + " " + Flags(drawFlag1, false));
    }

private:
    static std::string Point(tPoint2f p) { return std::to_string(int(p.x)) + "," + std::to_string(int(p.y)); }
    static std::string Hex(TColor32 c) {
        char text[12];
        std::snprintf(text, sizeof text, "%08X", c);
        return text;
    }
    static std::string Flags(bool a, bool b) { return std::string(a ? "1" : "0") + (b ? "1" : "0"); }
};

// Every test starts with armed warnings and an empty plane stack.
class PlaneObj : public ::testing::Test {
protected:
    void SetUp() override { ResetPlaneWarnings(); }
    void TearDown() override { tPlaneObj::FreePlanes(); }
    testing::ScopedPresenter boxes;
};

void AddSquare(tPlaneObj& plane, int count = 4) {
    const tVector3d corners[] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    for (int i = 0; i < count; ++i) {
        plane.Add3dPoint(corners[i], 0xFF00FF00);
        plane.Add2dPoint(corners[i]);
    }
}

TEST_F(PlaneObj, ThreeCornersGiveTheirNormal) {
    tPlaneObj plane;
    plane.BeginPlane(0xFFFFFF00, 0xFF000000);
    EXPECT_TRUE(plane.Add3dPoint({0, 0, 0}, 1));
    EXPECT_TRUE(plane.Add3dPoint({1, 0, 0}, 2));
    EXPECT_TRUE(plane.Add3dPoint({0, 1, 0}, 3));
    EXPECT_EQ(plane.Record().Count, 3);
    EXPECT_EQ(plane.Record().Normal, (tVector3d{0, 0, 1}));
    EXPECT_EQ(plane.Record().Points[2].Color, 3u);
}

TEST_F(PlaneObj, RepeatedCornerIsStoredOnce) {
    tPlaneObj plane;
    plane.BeginPlane(0, 0);
    EXPECT_TRUE(plane.Add3dPoint({1, 2, 3}, 0));
    EXPECT_FALSE(plane.Add3dPoint({1, 2, 3.0000001L}, 0));
    EXPECT_EQ(plane.Record().Count, 1);
}

TEST_F(PlaneObj, CornerBeyondTwoHundredIsRefusedWithOneWarningPerRun) {
    tPlaneObj plane;
    plane.BeginPlane(0, 0);
    for (int i = 0; i < MaxPlanePoints; ++i) ASSERT_TRUE(plane.Add3dPoint({Extended(i), 0, 0}, 0));
    EXPECT_FALSE(plane.Add3dPoint({-1, 0, 0}, 0));
    EXPECT_FALSE(plane.Add3dPoint({-2, 0, 0}, 0));
    EXPECT_EQ(plane.Record().Count, 200);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPlane: tPlaneObj.Add3dPoint");
    EXPECT_EQ(boxes.Last().text, "too many plane points, must be <= 200");
    plane.EndPlane();
    plane.BeginPlane(0, 0);
    for (int i = 0; i <= MaxPlanePoints; ++i) plane.Add3dPoint({Extended(i), 0, 0}, 0);
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(PlaneObj, TwoHundredProjectedCornersAreAcceptedAndNoMore) {
    tPlaneObj plane;
    plane.BeginPlane(0, 0);
    for (int i = 0; i < MaxPlanePoints; ++i) plane.Add3dPoint({Extended(i), Extended(i % 2), 0}, 0);
    for (int i = 0; i < MaxPlanePoints; ++i) ASSERT_TRUE(plane.Add2dPoint({Extended(i), Extended(i % 2), 0}));
    EXPECT_FALSE(plane.Add2dPoint({-1, -1, 0}));
    EXPECT_EQ(plane.Record().Count2d, 200);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPlane: tPlaneObj.Add2dPoint");
    EXPECT_EQ(boxes.Last().text, "too many plane points");
}

TEST_F(PlaneObj, NestedPlaneGivesTheOuterCornersBack) {
    tPlaneObj plane;
    plane.BeginPlane(0xFFFF0000, 0xFF0000FF);
    plane.Add3dPoint({0, 0, 0}, 0);
    plane.Add3dPoint({1, 0, 0}, 0);
    plane.BeginPlane(0xFF00FF00, 0);
    EXPECT_EQ(plane.Record().Nesting, 2);
    EXPECT_EQ(plane.Record().Count, 0);
    plane.Add3dPoint({5, 5, 5}, 0);
    plane.EndPlane();
    EXPECT_TRUE(plane.IsOpen());
    EXPECT_TRUE(plane.IsCollecting());
    EXPECT_EQ(plane.Record().Nesting, 1);
    EXPECT_EQ(plane.Record().LineColor, 0xFFFF0000u);
    EXPECT_EQ(plane.Record().Count, 2);
    EXPECT_TRUE(plane.Add3dPoint({1, 1, 0}, 0));
    EXPECT_EQ(plane.Record().Normal, (tVector3d{0, 0, 1}));
    plane.EndPlane();
    EXPECT_FALSE(plane.IsOpen());
    EXPECT_EQ(plane.Record().Nesting, 0);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), 0);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PlaneObj, MisuseWarnsOncePerRunAndChangesNothing) {
    tPlaneObj plane;
    plane.EndPlane();
    plane.EndPlane();
    EXPECT_FALSE(plane.Add3dPoint({1, 1, 1}, 0));
    EXPECT_FALSE(plane.Add3dPoint({2, 1, 1}, 0));
    EXPECT_FALSE(plane.Add2dPoint({1, 1, 1}));
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].caption, "PaxPlane: tPlaneObj.EndPlane");
    EXPECT_EQ(boxes.Shown()[0].text, "no BeginPlane called");
    EXPECT_EQ(boxes.Shown()[1].caption, "PaxPlane: tPlaneObj.Add3dPoint");
    EXPECT_EQ(boxes.Shown()[1].text, "no BeginPolygon called");
    EXPECT_EQ(plane.Record().Count, 0);
    EXPECT_EQ(plane.Record().Count2d, 0);
}

TEST_F(PlaneObj, NestingIsLimited) {
    tPlaneObj plane;
    for (int i = 0; i < MaxPlaneNesting + 5; ++i) plane.BeginPlane(0, 0);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), MaxPlaneNesting);
    EXPECT_EQ(plane.Record().Nesting, MaxPlaneNesting);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPlane: tPlaneObj.Push");
    boxes.Clear();
    tPlaneObj::FreePlanes();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPlane:  tPlaneObj.FreePlanes");
    EXPECT_EQ(boxes.Last().text, "plane stack not empty");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), 0);
}

TEST_F(PlaneObj, EqualProjectedCornersDrawNothing) {
    tPlaneObj plane;
    RecordingCanvas canvas;
    plane.BeginPlane(0xFFFFFFFF, 0xFFFFFFFF);
    AddSquare(plane);
    plane.ClearPoints2d();
    for (int i = 0; i < 4; ++i) plane.Add2dPoint({3.25L, 4, Extended(i)});
    EXPECT_EQ(plane.Record().Count2d, 1);
    plane.ShowPlane(canvas);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(PlaneObj, ShowPlaneDrawsALineForTwoCorners) {
    tPlaneObj plane;
    RecordingCanvas canvas;
    plane.ShowPlane(canvas);   // closed: nothing
    plane.BeginPlane(0x80FFFF00, 0xFF000000);
    AddSquare(plane, 2);
    plane.ShowPlane(canvas);
    EXPECT_EQ(canvas.calls, std::vector<std::string>{"line 0,0 10,0 80FFFF00"});
}

TEST_F(PlaneObj, ShowPlaneFillsWithAShadedOutline) {
    tPlaneObj plane;
    RecordingCanvas canvas;
    plane.BeginPlane(0xFF8040FF, 0x80FFFFFF);
    tPlaneRecord& r = plane.Record();
    r.Filled = true;
    r.Outline = true;
    r.DrawFlag1 = true;
    r.Intensity = 128;
    AddSquare(plane);
    plane.ShowPlane(canvas);
    r.Outline = false;
    plane.ShowPlane(canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"fill 4 807F7F7F FF40207F 10", "fill 4 807F7F7F 00000000 10"}));
}

TEST_F(PlaneObj, ShowPlaneOutlinesAnUnfilledPolygon) {
    tPlaneObj plane;
    RecordingCanvas canvas;
    plane.BeginPlane(0xFFFFFFFF, 0);
    plane.Record().Outline = true;
    plane.Record().DrawFlag1 = true;
    plane.Record().Intensity = 255;
    AddSquare(plane, 3);
    plane.ShowPlane(canvas);
    plane.Record().Outline = false;
    plane.ShowPlane(canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"closed 3 FFFEFEFE 10", "open 3 FFFEFEFE 10"}));
}

TEST_F(PlaneObj, LineColorZeroTurnsTheOutlineOffAndFallsBackToRed) {
    tPlaneObj plane;
    RecordingCanvas canvas;
    plane.BeginPlane(0, 0xFF0000FF);
    plane.Record().Outline = true;
    plane.Record().Intensity = 64;
    AddSquare(plane);
    plane.ShowPlane(canvas);
    EXPECT_FALSE(plane.Record().Outline);
    plane.Record().Filled = true;
    plane.ShowPlane(canvas);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"open 4 FFFF0000 00", "fill 4 FF00003F 00000000 00"}));
}

}  // namespace
}  // namespace pax
