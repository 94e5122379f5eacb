#include "foundation/geom3d.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(Geom3d, PlaneNormalIsRightHandedAndRefusesCollinearPoints) {
    tVector3d n;
    EXPECT_TRUE(PlaneNormal({1, 1, 1}, {3, 1, 1}, {1, 4, 1}, n));
    EXPECT_EQ(n, (tVector3d{0, 0, 1}));
    EXPECT_FALSE(PlaneNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, n));
}

TEST(Geom3d, LinePlaneCutFindsTheCutOrGivesTheFixedParameterForAParallelLine) {
    tVector3d cut;
    Extended t = 0;
    EXPECT_TRUE(LinePlaneCut({0, 0, 10}, {0, 0, -2}, {5, 5, 4}, {0, 0, 1}, cut, t));
    EXPECT_EQ(t, 3);
    EXPECT_EQ(cut, (tVector3d{0, 0, 4}));
    EXPECT_FALSE(LinePlaneCut({1, 2, 3}, {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, cut, t));
    EXPECT_EQ(t, 0.000000999L);
    EXPECT_EQ(cut, (tVector3d{1 + 0.000000999L, 2, 3}));
}

}  // namespace
}  // namespace pax
