#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <tuple>
#include <vector>

#include "foundation/cache_lines.h"
#include "foundation/memory_list.h"
#include "foundation/o_array.h"
#include "foundation/point_list3d.h"
#include "foundation/polygon3d.h"
#include "system/exceptions.h"
#include "system/shown_boxes.h"

namespace pax {
namespace {

using testing::BoxTexts;
using testing::ScopedPresenter;
using testing::Texts;
using Record = std::array<int32_t, 10>;  // 40 bytes

Record RecordOf(int32_t i) {
    Record r;
    r.fill(i);
    return r;
}

int32_t FirstOf(const tOArray& array, int32_t i) {
    int32_t value;
    std::memcpy(&value, array.Get(i), sizeof value);
    return value;
}

// Count, Capacity and Allocated.
std::tuple<int32_t, int32_t, int32_t> Sizes(const tOArray& array) {
    return {array.Count(), array.Capacity(), array.Allocated()};
}

// An array of 40-byte elements growing in steps of 5000: at most 10000 of them fit.
void MakeBig(tOArray& array) {
    array.SetSize(40);
    array.SetStep(5000);
}

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
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 16, 0u);  // and with it b and c
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

// Taking lines for writing rewrites one byte of each: no byte may change, and none outside the
// range is touched (the exactly sized blocks let the address sanitizer see a stray write).
TEST(MemoryList, LinesTakenForWritingKeepEveryByte) {
    std::vector<std::byte> bytes(400);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = std::byte(i * 7 + 3);
    const std::vector<std::byte> before = bytes;
    for (size_t from : {0, 1, 63, 64, 65})
        for (size_t n : {0, 1, 63, 64, 65, 129, 300}) ClaimForWriting(bytes.data() + from, n);
    EXPECT_EQ(bytes, before);
    for (size_t n : {1, 7, 64, 100}) {
        const auto block = std::make_unique<std::byte[]>(n);
        for (size_t i = 0; i < n; ++i) block[i] = std::byte(i + 1);
        ClaimForWriting(block.get(), n);
        for (size_t i = 0; i < n; ++i) ASSERT_EQ(block[i], std::byte(i + 1)) << n << " " << i;
    }
    tMemoryList memory;
    std::vector<std::pair<int32_t*, int32_t>> blocks;
    for (int32_t i = 0; i < 100; ++i) {
        auto* block = static_cast<int32_t*>(memory.Alloc(1000));
        std::fill_n(block, 250, i);
        blocks.emplace_back(block, i);
    }
    ASSERT_GT(memory.PageIndex(), 1);
    memory.ClaimForWriting();
    for (const auto& block : blocks) {
        const int32_t i = block.second;
        ASSERT_TRUE(std::all_of(block.first, block.first + 250, [i](int32_t v) { return v == i; })) << i;
    }
}

// Claimed on reuse, the pages of the last picture are claimed as the next one reaches them,
// and every byte stays until it is handed out again; also where the next picture puts a new
// page among them, so that a page of plain size comes to stand where the oversized last one
// was claimed (the address sanitizer sees a claim past its end).
TEST(MemoryList, PagesClaimedOnReuseKeepTheirBytes) {
    tMemoryList memory;
    auto* small = static_cast<int32_t*>(memory.Alloc(400));
    std::fill_n(small, 100, 7);
    auto* plain = static_cast<std::byte*>(memory.Alloc(32500));   // a page of its own
    std::fill_n(plain, 32500, std::byte{5});
    auto* big = static_cast<std::byte*>(memory.Alloc(200000));
    std::fill_n(big, 200000, std::byte{9});
    ASSERT_EQ(memory.PageCount(), 3);
    memory.ClaimOnReuse();
    memory.Reset();   // claims the first page
    EXPECT_TRUE(std::all_of(small, small + 100, [](int32_t v) { return v == 7; }));
    EXPECT_EQ(memory.Alloc(400), small);
    ASSERT_NE(memory.Alloc(100000), nullptr);   // a new page before the plain one
    EXPECT_EQ(memory.Alloc(32500), plain);       // the plain page, where the big one was claimed
    EXPECT_EQ(memory.PageCount(), 4);
    EXPECT_TRUE(std::all_of(plain, plain + 32500, [](std::byte b) { return b == std::byte{5}; }));
    EXPECT_TRUE(std::all_of(big, big + 200000, [](std::byte b) { return b == std::byte{9}; }));
    memory.Reset();   // nothing left to claim
    EXPECT_EQ(memory.Alloc(400), small);
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

TEST(OArray, FreshAndDoneArraysHaveTheDefaultsAndGetRefusesIndicesOutsideCount) {
    tOArray array("a");
    const std::string fresh = "tOArray: name=a  count=0  size=4  cap=0  step=8";
    EXPECT_EQ(array.GetText(), fresh);
    int32_t value = 7;
    array.Add(&value);
    EXPECT_NE(array.Get(0), nullptr);
    EXPECT_EQ(array.Get(1), nullptr);
    EXPECT_EQ(array.Get(-1), nullptr);
    array.SetStep(100);
    array.Done();
    EXPECT_EQ(array.GetText(), fresh);
    EXPECT_EQ(Sizes(array), std::tuple(0, 0, 0));
    EXPECT_EQ(array.Data(), nullptr);
}

TEST(OArray, GrowsInWholeStepsUpToTheByteLimitAndReportsOnce) {
    ScopedPresenter boxes;
    tOArray array("big");
    MakeBig(array);
    EXPECT_EQ(array.Add(RecordOf(0).data()), 0);
    EXPECT_EQ(Sizes(array), std::tuple(1, 5000, 200000));
    for (int32_t i = 1; i < 5000; ++i) ASSERT_EQ(array.Add(RecordOf(i).data()), i);
    EXPECT_EQ(Sizes(array), std::tuple(5000, 5000, 200000));
    EXPECT_EQ(array.Add(RecordOf(5000).data()), 5000);
    EXPECT_EQ(Sizes(array), std::tuple(5001, 10000, 400000));
    for (int32_t i = 5001; i < 10000; ++i) ASSERT_EQ(array.Add(RecordOf(i).data()), i);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(array.Add(RecordOf(-1).data()), 9999);
    EXPECT_EQ(array.Add(RecordOf(-1).data()), 9999);
    EXPECT_EQ(array.Count(), 10000);
    EXPECT_EQ(BoxTexts(boxes), Texts{"OArray: tOArray.Add | too many elements, capacity=10000"});
    EXPECT_EQ(boxes.Last().buttons, Buttons::OkCancel);
    EXPECT_TRUE(array.FullReported());
    for (int32_t i : {0, 4999, 5000, 9999}) EXPECT_EQ(FirstOf(array, i), i);  // survived growth
}

TEST(OArray, SetSizeRaisesOnANonEmptyArrayAndStepZeroIsIgnored) {
    tOArray array("a");
    int32_t value = 1;
    array.Add(&value);
    EXPECT_THAT([&] { array.SetSize(8); },
                ::testing::ThrowsMessage<ERangeError>("tOArray.SetSize: element count must be 0"));
    array.SetStep(0);
    EXPECT_EQ(array.Step(), 8);
    array.Clear();
    EXPECT_EQ(Sizes(array), std::tuple(0, 8, 32));
    array.SetSize(0);
    EXPECT_EQ(array.ElementSize(), 4);
    array.SetSize(40);  // larger elements in the old 32 bytes must never overrun them
    EXPECT_LE(array.Capacity() * array.ElementSize(), array.Allocated());
    array.SetCount(5);
    EXPECT_EQ(array.Count(), 5);
    EXPECT_GE(array.Allocated(), 5 * 40);
}

TEST(OArray, TinyElementsStopAtTheSixteenBitCount) {
    ScopedPresenter boxes;
    tOArray array("bytes");
    array.SetSize(1);
    array.SetStep(4096);
    uint8_t b = 0;
    for (int32_t i = 0; i < tOArray::MaxCount; ++i) ASSERT_EQ(array.Add(&b), i);
    EXPECT_EQ(array.Add(&b), tOArray::MaxCount - 1);
    EXPECT_EQ(array.Count(), tOArray::MaxCount);
    EXPECT_EQ(BoxTexts(boxes), Texts{"OArray: tOArray.Add | too many elements, capacity=65536"});
}

TEST(OArray, SetCountStopsAtTheLimitAndACopyOwnsItsDataAndForgetsTheReport) {
    ScopedPresenter boxes;
    tOArray array("src");
    MakeBig(array);
    array.SetCount(10000);  // exactly the largest reachable capacity
    EXPECT_EQ(Sizes(array), std::tuple(10000, 10000, 400000));
    EXPECT_EQ(boxes.Count(), 0u);
    array.SetCount(12000);
    EXPECT_EQ(array.Count(), 10000);  // never beyond the block
    EXPECT_EQ(boxes.Count(), 1u);
    ASSERT_TRUE(array.FullReported());
    *static_cast<int32_t*>(array.Get(3)) = 33;
    std::unique_ptr<tOArray> copy = array.Copy();
    EXPECT_EQ(copy->GetText(), array.GetText());
    EXPECT_EQ(copy->Allocated(), array.Allocated());
    EXPECT_FALSE(copy->FullReported());
    EXPECT_NE(copy->Data(), array.Data());
    *static_cast<int32_t*>(array.Get(3)) = 44;
    EXPECT_EQ(FirstOf(*copy, 3), 33);
    array.SetCount(3);
    EXPECT_EQ(array.Count(), 3);
}

TEST(OArray, OutOfMemoryIsReportedAndNothingIsStored) {
    ScopedPresenter boxes;
    tOArray array("a");
    int32_t value = 5;
    {
        BlockFailure failure(0);
        EXPECT_EQ(array.Add(&value), -1);
    }
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(BoxTexts(boxes), (Texts{"OArray: tOArray.GrowArray | no free memory",
                                      "OArray: tOArray.Add | too many elements, capacity=0"}));
    array.Add(&value);
    boxes.Clear();
    BlockFailure failure(0);
    std::unique_ptr<tOArray> copy = array.Copy();
    EXPECT_EQ(BoxTexts(boxes), Texts{"OArray: tOArray.Copy | no free memory"});
    EXPECT_EQ(copy->Count(), 0);
    EXPECT_EQ(copy->Get(0), nullptr);
}

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
