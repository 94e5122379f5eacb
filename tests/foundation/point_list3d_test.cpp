#include "foundation/point_list3d.h"

#include <gtest/gtest.h>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

TEST(PointList3d, PointsRoundTripInFullExtendedPrecision) {
    tPointList3d list("p");
    tVector3d p{1.0L / 3, -2.5e-4000L, 1e4000L};
    EXPECT_EQ(list.AddPoint(p, 0xFF123456), 0);
    EXPECT_EQ(list.AddPoint({}, 0x80000000), 1);
    tColorPoint3d back = list.Point(0);
    EXPECT_EQ(back.Point, p);
    EXPECT_EQ(back.Color, 0xFF123456u);
    EXPECT_EQ(list.Point(1).Color, 0x80000000u);
    EXPECT_EQ(list.ElementSize(), 40);
    list.Done();
    EXPECT_EQ(list.ElementSize(), 40);
}

TEST(PointList3d, GlobalListsHaveTheirNamesAndSteps) {
    EXPECT_EQ(PointList3d().Name(), "pointList3d");
    EXPECT_EQ(PointList3d().Step(), 5000);
    EXPECT_EQ(LineList3d().Name(), "lineList3d");
    EXPECT_EQ(LineList3d().Step(), 4000);
    EXPECT_EQ(&PointList3d(), &PointList3d());
}

TEST(PointList3d, LineListHoldsEightThousandPoints) {
    testing::ScopedPresenter boxes;
    tPointList3d lines("lines");
    lines.SetStep(4000);
    for (int i = 0; i < 8000; ++i) ASSERT_EQ(lines.AddPoint({Extended(i), 0, 0}, 0), i);
    EXPECT_EQ(lines.AddPoint({}, 0), 7999);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "too many elements, capacity=8000");
    EXPECT_EQ(lines.Point(7999).Point.x, 7999);
}

}  // namespace
}  // namespace pax
