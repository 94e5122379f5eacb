#include "foundation/o_array.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <tuple>

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

TEST(OArray, FreshAndDoneArraysHaveTheDefaultsAndGetRefusesIndicesOutsideCount) {
    tOArray array("a");
    const std::string fresh = "tOArray: name=a  count=0  size=4  cap=0  step=8";
    EXPECT_EQ(array.TypeId(), TypeIds::OArray);
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

TEST(OArray, SetCountGrowsAndStopsAtTheLimit) {
    ScopedPresenter boxes;
    tOArray array("a");
    MakeBig(array);
    array.SetCount(10000);  // exactly the largest reachable capacity
    EXPECT_EQ(Sizes(array), std::tuple(10000, 10000, 400000));
    EXPECT_EQ(boxes.Count(), 0u);
    array.SetCount(12000);
    EXPECT_EQ(array.Count(), 10000);  // never beyond the block
    EXPECT_EQ(boxes.Count(), 1u);
    array.SetCount(3);
    EXPECT_EQ(array.Count(), 3);
}

TEST(OArray, SetSizeRaisesOnANonEmptyArrayAndStepZeroIsIgnored) {
    tOArray array("a");
    int32_t value = 1;
    array.Add(&value);
    try {
        array.SetSize(8);
        FAIL() << "no exception";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "tOArray.SetSize: element count must be 0");
    }
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

TEST(OArray, CopyOwnsItsDataAndForgetsTheReport) {
    ScopedPresenter boxes;
    tOArray array("src");
    MakeBig(array);
    array.SetCount(10000);
    array.Add(RecordOf(1).data());
    ASSERT_TRUE(array.FullReported());
    *static_cast<int32_t*>(array.Get(3)) = 33;
    std::unique_ptr<tOArray> copy = array.Copy();
    EXPECT_EQ(copy->GetText(), array.GetText());
    EXPECT_EQ(copy->Allocated(), array.Allocated());
    EXPECT_FALSE(copy->FullReported());
    EXPECT_NE(copy->Data(), array.Data());
    *static_cast<int32_t*>(array.Get(3)) = 44;
    EXPECT_EQ(FirstOf(*copy, 3), 33);
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

}  // namespace
}  // namespace pax
