#include "foundation/polygon3d.h"

#include <gtest/gtest.h>

namespace pax {
namespace {

TEST(Polygon3d, PointsViewFollowsEveryChangeAndDoneKeepsTheElementSize) {
    tPolygon3d poly("poly1");
    EXPECT_TRUE(poly.Points().empty());
    for (int i = 0; i < 20; ++i) poly.AddPoint({Extended(i), 2, 3});  // grows past one step
    ASSERT_EQ(poly.Points().size(), 20u);
    EXPECT_EQ(poly.Points().data(), static_cast<tVector3d*>(poly.Get(0)));
    EXPECT_EQ(poly.Points()[19], (tVector3d{19, 2, 3}));
    poly.SetCount(100);
    ASSERT_EQ(poly.Points().size(), 100u);
    EXPECT_EQ(poly.Points()[99], tVector3d{});  // new places are zero
    poly.Points()[50] = {5, 5, 5};
    EXPECT_EQ(*static_cast<tVector3d*>(poly.Get(50)), (tVector3d{5, 5, 5}));
    EXPECT_EQ(poly.GetText(), "poly1100 points");
    poly.Done();
    EXPECT_EQ(poly.Count(), 0);
    EXPECT_TRUE(poly.Points().empty());
    poly.AddPoint({2, 2, 2});
    EXPECT_EQ(poly.Points()[0], (tVector3d{2, 2, 2}));
}

}  // namespace
}  // namespace pax
