#include "render/windows/part_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>
#include <vector>

namespace pax {
namespace {

// The drawing order by definition: larger keys first, later parts first among equal keys.
std::vector<int> ReferenceOrder(const std::vector<tPartHeader>& parts) {
    std::vector<int> order(parts.size());
    for (size_t i = 0; i < parts.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (parts[a].Key != parts[b].Key) return parts[a].Key > parts[b].Key;
        return a > b;
    });
    return order;
}

TEST(PartList, OrdersFarToNearWithLaterPartsFirstAmongEqualKeysAndHoldsAtMostThirtyTwoThousand) {
    std::mt19937 random(20240611);
    // One key for all, few distinct keys (many ties) and many; below and above the radix sort's
    // threshold.
    for (int count : {1, 7, 255, 256, 5000, PartList::MaxParts}) {
        for (int distinct : {0, 3, 1 << 30}) {
            std::uniform_int_distribution<int> pick(0, distinct);
            std::vector<tPartHeader> parts(static_cast<size_t>(count));
            for (size_t i = 0; i < parts.size(); ++i) {
                parts[i].Key = (pick(random) - distinct / 2) * 0.37;
                parts[i].Type = i % 3 ? PartType::Line : PartType::Polygon;
            }
            PartList list;
            // Each part's rows name it: they must travel with it.
            for (int i = 0; i < count; ++i) ASSERT_TRUE(list.Insert(&parts[i], {i, i + 2, 0.5f * i}));
            list.Sort();
            const std::vector<int> expected = ReferenceOrder(parts);
            ASSERT_EQ(list.Count(), count);
            ASSERT_EQ(list.Rows().size(), static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) {
                const int part = expected[i];
                ASSERT_EQ(list[i], &parts[part]) << "count " << count << " distinct " << distinct << " at " << i;
                ASSERT_TRUE(list.RowsOf(i).top == part && list.RowsOf(i).bottom == part + 2 &&
                            list.RowsOf(i).work == 0.5f * part && list.TypeOf(i) == parts[part].Type) << i;
                // The rows side by side are the entries' rows.
                ASSERT_TRUE(list.Rows()[i].top == part && list.Rows()[i].work == 0.5f * part) << i;
            }
            EXPECT_EQ(list.CountOf(PartType::Polygon), (count + 2) / 3);
            EXPECT_EQ(list.CountOf(PartType::Line), count - (count + 2) / 3);
            // The list holds at most 32000 parts.
            EXPECT_EQ(list.Full(), count == PartList::MaxParts);
            tPartHeader extra;
            EXPECT_EQ(list.Insert(&extra, {}), count < PartList::MaxParts);
            list.Clear();
            EXPECT_TRUE(list.Count() == 0 && list.CountOf(PartType::Line) == 0 && list.CountOf(PartType::Polygon) == 0);
        }
    }
}

TEST(PartList, ItsBoxHoldsEveryPartsRowsAndColumnsUntilCleared) {
    std::vector<tPartHeader> parts(4);
    PartList list;
    EXPECT_TRUE(list.Box().Empty());
    list.Insert(&parts[0], {10, 20, 1}, {-5, 40});
    list.Insert(&parts[1], {15, 90, 1}, {30, 70});
    list.Insert(&parts[2], {200, 200, 1}, {0, 1000});   // no rows: nothing drawn
    const PartBox box = list.Box();
    EXPECT_TRUE(box.left == -5 && box.top == 10 && box.right == 70 && box.bottom == 90);
    // A part whose columns are not said may touch every one.
    list.Insert(&parts[3], {12, 13, 1});
    EXPECT_TRUE(list.Box().left == INT_MIN && list.Box().right == INT_MAX && list.Box().bottom == 90);
    list.Clear();
    EXPECT_TRUE(list.Box().Empty());
    list.Insert(&parts[0], {1, 2, 1}, {3, 4});
    list.ClearClaimingLater();
    EXPECT_TRUE(list.Box().Empty());
}

TEST(PartList, AClaimLeftForLaterKeepsWhatWasWrittenSince) {
    std::vector<tPartHeader> parts(300);
    for (size_t i = 0; i < parts.size(); ++i) parts[i].Key = double(i);
    PartList list;
    for (int i = 0; i < 300; ++i) list.Insert(&parts[static_cast<size_t>(i)], {i, i + 1, 1});
    list.Sort();
    // Read by another core, cleared, and written again before the claim is made.
    list.ClaimOnReuse();
    list.ClearClaimingLater();
    EXPECT_EQ(list.Count(), 0);
    for (int i = 0; i < 100; ++i) list.Insert(&parts[static_cast<size_t>(i)], {i, i + 3, 2});
    list.ClaimOwed();
    list.ClaimOwed();   // made once
    list.Sort();
    ASSERT_EQ(list.Count(), 100);
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(list[i] == &parts[static_cast<size_t>(99 - i)] && list.RowsOf(i).bottom == 102 - i) << i;
    EXPECT_EQ(list.CountOf(PartType::Line), 0);
}

TEST(PartList, OrderCodesDescendWithTheKey) {
    const double keys[] = {std::numeric_limits<double>::infinity(), 1e300, 1000.5, 1000, 1, 1e-300, 0,
                           -1e-300, -1, -1000, -1e300, -std::numeric_limits<double>::infinity()};
    for (size_t i = 0; i + 1 < std::size(keys); ++i)
        EXPECT_LT(PartOrderCode(keys[i]), PartOrderCode(keys[i + 1])) << keys[i];
    EXPECT_EQ(PartOrderCode(0.0), PartOrderCode(-0.0));
}

}  // namespace
}  // namespace pax
