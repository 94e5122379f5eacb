#include "app/drawn_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace pax {
namespace {

std::vector<TRect> Boxes(const BoxList& list) { return {list.Boxes().begin(), list.Boxes().end()}; }

DrawnArea On(TColor32 background, std::initializer_list<TRect> boxes) {
    DrawnArea area = DrawnArea::Plain(background);
    for (const TRect& box : boxes) area.Boxes.Add(box);
    return area;
}

TEST(DrawnArea, ACopyTakesTheBoxesOfBothPicturesOnTheirBackgroundOrTheWholeWindow) {
    const TRect whole{0, 0, 480, 360};
    const DrawnArea plant = On(0xFF000000, {{100, 50, 300, 340}, {8, 342, 60, 355}});
    const DrawnArea moved = On(0xFF000000, {{110, 40, 310, 330}});
    // Both boxes of the picture shown are erased, and the new one drawn.
    EXPECT_EQ(Boxes(AreaToCopy(plant, moved, 480, 360)),
              (std::vector<TRect>{{100, 50, 300, 340}, {8, 342, 60, 355}, {110, 40, 310, 330}}));
    // Not known on either side, or on another background: everything.
    EXPECT_EQ(Boxes(AreaToCopy(DrawnArea::Anything(), moved, 480, 360)), std::vector<TRect>{whole});
    EXPECT_EQ(Boxes(AreaToCopy(plant, DrawnArea::Anything(), 480, 360)), std::vector<TRect>{whole});
    EXPECT_EQ(Boxes(AreaToCopy(plant, On(0xFF0000FF, {{110, 40, 310, 330}}), 480, 360)),
              std::vector<TRect>{whole});
    // Within the window; nothing at all where neither picture has anything.
    EXPECT_EQ(Boxes(AreaToCopy(On(0xFF000000, {{-50, -5, 20, 10}}), On(0xFF000000, {{470, 350, 900, 900}}), 480, 360)),
              (std::vector<TRect>{{0, 0, 20, 10}, {470, 350, 480, 360}}));
    EXPECT_TRUE(Boxes(AreaToCopy(DrawnArea::Plain(0xFF000000), DrawnArea::Plain(0xFF000000), 480, 360)).empty());
    EXPECT_TRUE(Boxes(AreaToCopy(On(0xFF000000, {{500, 0, 600, 10}}), DrawnArea::Plain(0xFF000000), 480, 360)).empty());
    EXPECT_TRUE(Boxes(AreaToCopy(DrawnArea::Anything(), DrawnArea::Anything(), 0, 0)).empty());
}

TEST(DrawnArea, BoxesBeyondTheListsCapacityMergeIntoItsLastBox) {
    BoxList list;
    list.Add({5, 5, 5, 9});   // empty
    EXPECT_TRUE(list.Boxes().empty());
    for (int i = 0; i < BoxList::Capacity; ++i) list.Add({10 * i, 0, 10 * i + 5, 5});
    list.Add({0, 100, 3, 103});
    ASSERT_EQ(list.Boxes().size(), size_t(BoxList::Capacity));
    EXPECT_EQ(list.Boxes()[0], (TRect{0, 0, 5, 5}));
    // The last box now covers both, and what lies between them.
    constexpr int last = 10 * (BoxList::Capacity - 1);
    EXPECT_EQ(list.Boxes().back(), (TRect{0, 0, last + 5, 103}));
}

}  // namespace
}  // namespace pax
