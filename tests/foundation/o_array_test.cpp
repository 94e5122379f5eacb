#include "foundation/o_array.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "support/scripted_presenter.h"
#include "system/exceptions.h"

namespace pax {
namespace {

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

class BlockFailure {
public:
    explicit BlockFailure(int successes) { SimulateBlockAllocationFailure(successes); }
    ~BlockFailure() { SimulateBlockAllocationFailure(-1); }
};

TEST(OArray, FreshAndDoneArraysHaveTheDefaults) {
    tOArray array("a");
    EXPECT_EQ(array.TypeId(), TypeIds::OArray);
    EXPECT_EQ(array.Step(), 8);
    EXPECT_EQ(array.ElementSize(), 4);
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Capacity(), 0);
    EXPECT_EQ(array.Allocated(), 0);
    EXPECT_EQ(array.GetText(), "tOArray: name=a  count=0  size=4  cap=0  step=8");
    int32_t value = 7;
    array.Add(&value);
    EXPECT_NE(array.Get(0), nullptr);
    EXPECT_EQ(array.Get(1), nullptr);  // Get(Count)
    EXPECT_EQ(array.Get(-1), nullptr);
    array.SetStep(100);
    array.Done();
    EXPECT_EQ(array.GetText(), "tOArray: name=a  count=0  size=4  cap=0  step=8");
    EXPECT_EQ(array.Data(), nullptr);
}

TEST(OArray, GrowsInWholeStepsUpToTheByteLimitAndReportsOnce) {
    testing::ScopedPresenter boxes;
    tOArray array("big");
    array.SetSize(40);
    array.SetStep(5000);
    EXPECT_EQ(array.Add(RecordOf(0).data()), 0);
    EXPECT_EQ(array.Capacity(), 5000);
    EXPECT_EQ(array.Allocated(), 200000);
    for (int32_t i = 1; i < 5000; ++i) ASSERT_EQ(array.Add(RecordOf(i).data()), i);
    EXPECT_EQ(array.Allocated(), 200000);
    EXPECT_EQ(array.Add(RecordOf(5000).data()), 5000);
    EXPECT_EQ(array.Capacity(), 10000);
    EXPECT_EQ(array.Allocated(), 400000);
    for (int32_t i = 5001; i < 10000; ++i) ASSERT_EQ(array.Add(RecordOf(i).data()), i);
    EXPECT_EQ(boxes.Count(), 0u);

    EXPECT_EQ(array.Add(RecordOf(-1).data()), 9999);
    EXPECT_EQ(array.Count(), 10000);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "OArray: tOArray.Add");
    EXPECT_EQ(boxes.Last().text, "too many elements, capacity=10000");
    EXPECT_EQ(boxes.Last().buttons, Buttons::OkCancel);
    EXPECT_TRUE(array.FullReported());
    EXPECT_EQ(array.Add(RecordOf(-1).data()), 9999);
    EXPECT_EQ(boxes.Count(), 1u);

    for (int32_t i : {0, 4999, 5000, 9999}) EXPECT_EQ(FirstOf(array, i), i);  // survived growth
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
    EXPECT_EQ(array.Count(), 0);
    EXPECT_EQ(array.Capacity(), 8);
    array.SetSize(0);
    EXPECT_EQ(array.ElementSize(), 4);
    array.SetSize(40);  // larger elements in the old 32 bytes must never overrun them
    EXPECT_LE(array.Capacity() * array.ElementSize(), array.Allocated());
    array.SetCount(5);
    EXPECT_EQ(array.Count(), 5);
    EXPECT_GE(array.Allocated(), 5 * 40);
}

TEST(OArray, SetCountGrowsAndStopsAtTheLimit) {
    testing::ScopedPresenter boxes;
    tOArray array("a");
    array.SetSize(40);
    array.SetStep(5000);
    array.SetCount(10000);  // exactly the largest reachable capacity
    EXPECT_EQ(array.Count(), 10000);
    EXPECT_EQ(array.Capacity(), 10000);
    EXPECT_EQ(boxes.Count(), 0u);
    array.SetCount(12000);
    EXPECT_EQ(array.Count(), 10000);  // never beyond the block
    EXPECT_EQ(boxes.Count(), 1u);
    array.SetCount(3);
    EXPECT_EQ(array.Count(), 3);
}

TEST(OArray, TinyElementsStopAtTheSixteenBitCount) {
    testing::ScopedPresenter boxes;
    tOArray array("bytes");
    array.SetSize(1);
    array.SetStep(4096);
    uint8_t b = 0;
    for (int32_t i = 0; i < tOArray::MaxCount; ++i) ASSERT_EQ(array.Add(&b), i);
    EXPECT_EQ(array.Add(&b), tOArray::MaxCount - 1);
    EXPECT_EQ(array.Count(), tOArray::MaxCount);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().text, "too many elements, capacity=65536");
}

TEST(OArray, CopyOwnsItsDataAndForgetsTheReport) {
    testing::ScopedPresenter boxes;
    tOArray array("src");
    array.SetSize(40);
    array.SetStep(5000);
    array.SetCount(10000);
    array.Add(RecordOf(1).data());
    ASSERT_TRUE(array.FullReported());
    *static_cast<int32_t*>(array.Get(3)) = 33;
    std::unique_ptr<tOArray> copy = array.Copy();
    EXPECT_EQ(copy->GetText(), array.GetText());
    EXPECT_EQ(copy->Allocated(), array.Allocated());
    EXPECT_FALSE(copy->FullReported());
    EXPECT_NE(copy->Data(), array.Data());
    EXPECT_EQ(FirstOf(*copy, 3), 33);
    *static_cast<int32_t*>(array.Get(3)) = 44;
    EXPECT_EQ(FirstOf(*copy, 3), 33);
}

TEST(OArray, OutOfMemoryIsReportedAndNothingIsStored) {
    testing::ScopedPresenter boxes;
    tOArray array("a");
    int32_t value = 5;
    {
        BlockFailure failure(0);
        EXPECT_EQ(array.Add(&value), -1);
    }
    EXPECT_EQ(array.Count(), 0);
    ASSERT_EQ(boxes.Count(), 2u);
    EXPECT_EQ(boxes.Shown()[0].caption, "OArray: tOArray.GrowArray");
    EXPECT_EQ(boxes.Shown()[0].text, "no free memory");
    EXPECT_EQ(boxes.Shown()[1].text, "too many elements, capacity=0");

    array.Add(&value);
    boxes.Clear();
    BlockFailure failure(0);
    std::unique_ptr<tOArray> copy = array.Copy();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "OArray: tOArray.Copy");
    EXPECT_EQ(boxes.Last().text, "no free memory");
    EXPECT_EQ(copy->Count(), 0);
    EXPECT_EQ(copy->Get(0), nullptr);
}

}  // namespace
}  // namespace pax
