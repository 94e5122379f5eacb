#include "foundation/memory_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "system/shown_boxes.h"

namespace pax {
namespace {

bool Aligned(const void* p) { return reinterpret_cast<uintptr_t>(p) % 16 == 0; }

class BlockFailure {
public:
    explicit BlockFailure(int successes) { SimulateBlockAllocationFailure(successes); }
    ~BlockFailure() { SimulateBlockAllocationFailure(-1); }
};

struct Part {
    long double depth;
    int32_t kind;
};

TEST(MemoryList, BlocksAreAlignedAndFollowEachOther) {
    tMemoryList memory;
    EXPECT_EQ(memory.PageCount(), 1);
    EXPECT_EQ(memory.PageEnd(), tMemoryList::PageSize);
    auto* a = static_cast<std::byte*>(memory.Alloc(3));
    auto* b = static_cast<std::byte*>(memory.Alloc(20));
    auto* c = static_cast<std::byte*>(memory.Alloc(16));
    EXPECT_EQ(a, memory.Page());
    EXPECT_EQ(b, a + 16);
    EXPECT_EQ(c, b + 32);
    EXPECT_TRUE(Aligned(a) && Aligned(b) && Aligned(c));
    Part* part = memory.New<Part>(2.5L, 7);
    EXPECT_EQ(reinterpret_cast<std::byte*>(part), c + 16);
    EXPECT_EQ(part->depth, 2.5L);
    EXPECT_EQ(part->kind, 7);
}

TEST(MemoryList, ARequestThatDoesNotFitStartsTheNextPage) {
    tMemoryList memory;
    memory.Alloc(32000);
    auto* p = static_cast<std::byte*>(memory.Alloc(1000));
    EXPECT_EQ(memory.PageIndex(), 1);
    EXPECT_EQ(memory.PageCount(), 2);
    EXPECT_EQ(p, memory.Page());
    EXPECT_EQ(memory.Free(), 1008u);
    memory.Alloc(32768 - 1008);  // fills page 1 exactly
    EXPECT_EQ(memory.PageIndex(), 1);
}

TEST(MemoryList, ResetReusesThePagesInTheSameOrder) {
    tMemoryList memory;
    std::vector<void*> first;
    for (int i = 0; i < 200; ++i) first.push_back(memory.Alloc(1000 + 7 * i));
    int pages = memory.PageCount();
    EXPECT_GT(pages, 5);
    memory.Reset();
    EXPECT_EQ(memory.PageIndex(), 0);
    for (int i = 0; i < 200; ++i) ASSERT_EQ(memory.Alloc(1000 + 7 * i), first[i]) << i;
    EXPECT_EQ(memory.PageCount(), pages);
}

TEST(MemoryList, AnOversizedRequestGetsAPageOfItsOwn) {
    tMemoryList memory;
    memory.Alloc(100);
    auto* big = static_cast<std::byte*>(memory.Alloc(100000));
    EXPECT_EQ(big, memory.Page());
    EXPECT_GE(memory.PageEnd(), 100000u);
    big[99999] = std::byte{1};
    memory.Reset();
    memory.Alloc(32768);
    EXPECT_EQ(memory.Alloc(100000), big);  // the large page is reused after a full first page
}

TEST(MemoryList, AFailedPageIsReportedAndGivesNull) {
    testing::ScopedPresenter boxes;
    tMemoryList memory;
    memory.Alloc(32768);
    BlockFailure failure(0);
    EXPECT_EQ(memory.Alloc(16), nullptr);
    EXPECT_EQ(testing::BoxTexts(boxes), testing::Texts{"Memory.Create | no heap free for new memory page."});
    EXPECT_EQ(boxes.Last().buttons, 258);
    EXPECT_EQ(memory.PageIndex(), 0);
}

TEST(MemoryListDeathTest, CreateWithoutMemoryEndsTheProgramWith203) {
    EXPECT_EXIT(
        {
            SimulateBlockAllocationFailure(0);
            tMemoryList memory;
        },
        ::testing::ExitedWithCode(203), "tMemoryList.Create(.|\n)*no heap free for object2d working buffer\\.");
}

}  // namespace
}  // namespace pax
