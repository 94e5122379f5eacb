#include "scene/plane_obj.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>
#include <vector>

#include "system/shown_boxes.h"

namespace pax {
namespace {

using testing::BoxTexts;
using testing::Texts;

// Records every call as one line of text.
class RecordingCanvas : public PlaneCanvas {
public:
    std::vector<std::string> calls;

    void LineF(tPoint2f a, tPoint2f b, TColor32 color) override {
        Add(std::snprintf(text, sizeof text, "line %d,%d %d,%d %08X", int(a.x), int(a.y), int(b.x), int(b.y), color));
    }
    void FillPolygon(std::span<const tPoint2f> points, TColor32 fill, TColor32 outline, bool f1, bool f2) override {
        Add(std::snprintf(text, sizeof text, "fill %zu %08X %08X %d%d", points.size(), fill, outline, f1, f2));
    }
    void OutlinePolygon(std::span<const tPoint2f> points, TColor32 color, PolygonClosure closure, bool f1) override {
        const char* kind = closure == PolygonClosure::Closed ? "closed" : "open";
        Add(std::snprintf(text, sizeof text, "%s %zu %08X %d", kind, points.size(), color, f1));
    }

private:
    char text[80] = {};
    void Add(int) { calls.emplace_back(text); }
};

// Every test starts with armed warnings and an empty plane stack.
class PlaneObj : public ::testing::Test {
protected:
    void SetUp() override { ResetPlaneWarnings(); }
    void TearDown() override { tPlaneObj::FreePlanes(); }
    testing::ScopedPresenter boxes;
    tPlaneObj plane;
};

void AddSquare(tPlaneObj& plane, int count = 4) {
    const tVector3d corners[] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    for (int i = 0; i < count; ++i) {
        plane.Add3dPoint(corners[i], 0xFF00FF00);
        plane.Add2dPoint(corners[i]);
    }
}

// Nesting, Count and Count2d of a record.
std::tuple<int, int, int> Counts(const tPlaneObj& plane) {
    return {plane.Record().Nesting, plane.Record().Count, plane.Record().Count2d};
}

TEST_F(PlaneObj, ThreeCornersGiveTheirNormalAndARepeatIsStoredOnce) {
    plane.BeginPlane(0xFFFFFF00, 0xFF000000);
    EXPECT_TRUE(plane.Add3dPoint({0, 0, 0}, 1));
    EXPECT_TRUE(plane.Add3dPoint({1, 0, 0}, 2));
    EXPECT_FALSE(plane.Add3dPoint({1, 0, 0.0000001L}, 0));
    EXPECT_TRUE(plane.Add3dPoint({0, 1, 0}, 3));
    EXPECT_EQ(plane.Record().Count, 3);
    EXPECT_EQ(plane.Record().Normal, (tVector3d{0, 0, 1}));
    EXPECT_EQ(plane.Record().Points[2].Color, 3u);
}

TEST_F(PlaneObj, CornerBeyondTwoHundredIsRefusedWithOneWarningPerRun) {
    plane.BeginPlane(0, 0);
    for (int i = 0; i < MaxPlanePoints; ++i) ASSERT_TRUE(plane.Add3dPoint({Extended(i), 0, 0}, 0));
    EXPECT_FALSE(plane.Add3dPoint({-1, 0, 0}, 0));
    EXPECT_FALSE(plane.Add3dPoint({-2, 0, 0}, 0));
    // A full plane still takes all its projected corners; the warning is not shown again.
    for (int i = 0; i < MaxPlanePoints; ++i) ASSERT_TRUE(plane.Add2dPoint({Extended(i), 0, 0}));
    EXPECT_FALSE(plane.Add2dPoint({-1, -1, 0}));
    EXPECT_EQ(Counts(plane), std::tuple(1, 200, 200));
    EXPECT_EQ(BoxTexts(boxes), Texts{"PaxPlane: tPlaneObj.Add3dPoint | too many plane points, must be <= 200"});
    ResetPlaneWarnings();
    EXPECT_FALSE(plane.Add2dPoint({-1, -1, 0}));
    EXPECT_EQ(BoxTexts(boxes).back(), "PaxPlane: tPlaneObj.Add2dPoint | too many plane points");
}

TEST_F(PlaneObj, NestedPlaneGivesTheOuterCornersBack) {
    plane.BeginPlane(0xFFFF0000, 0xFF0000FF);
    plane.Add3dPoint({0, 0, 0}, 0);
    plane.Add3dPoint({1, 0, 0}, 0);
    plane.BeginPlane(0xFF00FF00, 0);
    EXPECT_EQ(Counts(plane), std::tuple(2, 0, 0));
    plane.Add3dPoint({5, 5, 5}, 0);
    plane.EndPlane();
    EXPECT_TRUE(plane.IsOpen());
    EXPECT_TRUE(plane.IsCollecting());
    EXPECT_EQ(Counts(plane), std::tuple(1, 2, 0));
    EXPECT_EQ(plane.Record().LineColor, 0xFFFF0000u);
    EXPECT_TRUE(plane.Add3dPoint({1, 1, 0}, 0));
    EXPECT_EQ(plane.Record().Normal, (tVector3d{0, 0, 1}));
    plane.EndPlane();
    EXPECT_FALSE(plane.IsOpen());
    EXPECT_EQ(plane.Record().Nesting, 0);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), 0);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(PlaneObj, MisuseWarnsOncePerRunAndChangesNothing) {
    plane.EndPlane();
    plane.EndPlane();
    EXPECT_FALSE(plane.Add3dPoint({1, 1, 1}, 0));
    EXPECT_FALSE(plane.Add3dPoint({2, 1, 1}, 0));
    EXPECT_FALSE(plane.Add2dPoint({1, 1, 1}));
    EXPECT_EQ(BoxTexts(boxes), (Texts{"PaxPlane: tPlaneObj.EndPlane | no BeginPlane called",
                                      "PaxPlane: tPlaneObj.Add3dPoint | no BeginPolygon called"}));
    EXPECT_EQ(Counts(plane), std::tuple(0, 0, 0));
}

TEST_F(PlaneObj, NestingIsLimitedAndALeftoverStackIsReported) {
    for (int i = 0; i < MaxPlaneNesting + 5; ++i) plane.BeginPlane(0, 0);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), MaxPlaneNesting);
    EXPECT_EQ(plane.Record().Nesting, MaxPlaneNesting);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "PaxPlane: tPlaneObj.Push");
    tPlaneObj::FreePlanes();
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(BoxTexts(boxes)[1], "PaxPlane:  tPlaneObj.FreePlanes | plane stack not empty");
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(tPlaneObj::SavedPlanes(), 0);
}

TEST_F(PlaneObj, EqualProjectedCornersDrawNothing) {
    RecordingCanvas canvas;
    plane.BeginPlane(0xFFFFFFFF, 0xFFFFFFFF);
    AddSquare(plane);
    plane.ClearPoints2d();
    for (int i = 0; i < 4; ++i) plane.Add2dPoint({3.25L, 4, Extended(i)});
    EXPECT_EQ(plane.Record().Count2d, 1);
    plane.ShowPlane(canvas);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(PlaneObj, ShowPlaneDrawsLinesFillsAndOutlinesInShadedColours) {
    struct Case {
        TColor32 line, fill;
        bool filled, outline;
        uint8_t intensity;
        int corners;
        std::string expected;
    };
    const Case cases[] = {
        {0x80FFFF00, 0xFF000000, true, true, 0, 2, "line 0,0 10,0 80FFFF00"},
        {0xFF8040FF, 0x80FFFFFF, true, true, 128, 4, "fill 4 807F7F7F FF40207F 10"},
        {0xFF8040FF, 0x80FFFFFF, true, false, 128, 4, "fill 4 807F7F7F 00000000 10"},
        {0xFFFFFFFF, 0, false, true, 255, 3, "closed 3 FFFEFEFE 1"},
        {0xFFFFFFFF, 0, false, false, 255, 3, "open 3 FFFEFEFE 1"},
        {0, 0xFF0000FF, false, true, 64, 4, "open 4 FFFF0000 1"},
        {0, 0xFF0000FF, true, true, 64, 4, "fill 4 FF00003F 00000000 10"},
    };
    for (const Case& k : cases) {
        tPlaneObj plane;
        RecordingCanvas canvas;
        plane.ShowPlane(canvas);  // closed: nothing
        plane.BeginPlane(k.line, k.fill);
        tPlaneRecord& r = plane.Record();
        r.Filled = k.filled;
        r.Outline = k.outline;
        r.DrawFlag1 = true;
        r.Intensity = k.intensity;
        AddSquare(plane, k.corners);
        plane.ShowPlane(canvas);
        EXPECT_EQ(canvas.calls, std::vector<std::string>{k.expected});
        EXPECT_EQ(r.Outline, k.outline && k.line != 0);
        plane.EndPlane();
    }
}

}  // namespace
}  // namespace pax
