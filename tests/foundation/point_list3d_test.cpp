#include "foundation/point_list3d.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(PointList3d, PointsRoundTripInFullExtendedPrecisionAndDoneKeepsTheElementSize) {
    tPointList3d list("p");
    tVector3d p{1.0L / 3, -2.5e-4000L, 1e4000L};
    EXPECT_EQ(list.AddPoint(p, 0xFF123456), 0);
    EXPECT_EQ(list.AddPoint({}, 0x80000000), 1);
    EXPECT_EQ(list.Point(0).Point, p);
    EXPECT_EQ(list.Point(0).Color, 0xFF123456u);
    EXPECT_EQ(list.Point(1).Color, 0x80000000u);
    list.Done();
    EXPECT_EQ(list.ElementSize(), 40);
}

TEST(PointList3d, GlobalListsHaveTheirNamesAndSteps) {
    EXPECT_EQ(PointList3d().Name(), "pointList3d");
    EXPECT_EQ(PointList3d().Step(), 5000);
    EXPECT_EQ(LineList3d().Name(), "lineList3d");
    EXPECT_EQ(LineList3d().Step(), 4000);
}

}  // namespace
}  // namespace pax
