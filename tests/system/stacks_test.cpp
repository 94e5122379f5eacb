#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "system/boolean_stack.h"
#include "system/exceptions.h"
#include "system/object_stack.h"
#include "system/shown_boxes.h"

namespace pax {
namespace {

TEST(BooleanStack, PopsInReverseOrderAndAnEmptyStackGivesItsBottomEntry) {
    ResetBooleanStack();
    EXPECT_FALSE(PopBoolean());
    PushBoolean(true);
    PushBoolean(false);
    EXPECT_FALSE(PopBoolean());
    EXPECT_TRUE(PopBoolean());
    EXPECT_TRUE(PopBoolean());  // empty again: the bottom entry is still true
    EXPECT_EQ(BooleanStack().Count(), 0);
}

TEST(BooleanStack, GrowsBy64From128AndThe1025thPushWarnsAndLeavesTheStackUnchanged) {
    testing::ScopedPresenter boxes;
    tBooleanStack stack;
    auto pushUpTo = [&](int count) {
        while (stack.Count() < count) ASSERT_TRUE(stack.Push(stack.Count() % 3 == 0));
    };
    pushUpTo(128);
    EXPECT_EQ(stack.Capacity(), 128);
    pushUpTo(129);
    EXPECT_EQ(stack.Capacity(), 192);
    pushUpTo(1024);
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_FALSE(stack.Push(false));
    EXPECT_EQ(testing::BoxTexts(boxes), testing::Texts{"SysUtil2: PushBoolean | boolean stack is full: check call of PopBoolean"});
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Warning);
    EXPECT_EQ(stack.Count(), 1024);
    EXPECT_EQ(stack.Capacity(), 1024);
    EXPECT_TRUE(stack.Pop());  // entry 1023 (1023 % 3 == 0), not the refused false
}

TEST(TObjectStack, LastInFirstOutAndPushOfNothingRaisesNilObject) {
    TObjectStack<int> stack;
    stack.Push(std::make_unique<int>(1));
    stack.Push(std::make_unique<int>(2));
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(*stack.Peek(), 2);
    EXPECT_EQ(*stack.Pop(), 2);
    EXPECT_EQ(*stack.Pop(), 1);
    EXPECT_EQ(stack.Pop(), nullptr);
    EXPECT_EQ(stack.Peek(), nullptr);
    EXPECT_THAT([&] { stack.Push(nullptr); },
                ::testing::ThrowsMessage<EInvalidPointer>("\nObject pointer = nil when calling TObjectStack.Push\n"));
    EXPECT_EQ(stack.Count(), 0);
}

}  // namespace
}  // namespace pax
