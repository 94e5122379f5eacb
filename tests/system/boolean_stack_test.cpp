#include "system/boolean_stack.h"

#include <gtest/gtest.h>

#include "support/scripted_presenter.h"

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

TEST(BooleanStack, GrowsBy64From128) {
    tBooleanStack stack;
    EXPECT_EQ(stack.Capacity(), 128);
    for (int i = 0; i < 128; ++i) stack.Push(false);
    EXPECT_EQ(stack.Capacity(), 128);
    stack.Push(false);
    EXPECT_EQ(stack.Capacity(), 192);
}

TEST(BooleanStack, The1025thPushWarnsAndLeavesTheStackUnchanged) {
    testing::ScopedPresenter boxes;
    tBooleanStack stack;
    for (int i = 0; i < 1024; ++i) EXPECT_TRUE(stack.Push(i % 3 == 0));
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(stack.Capacity(), 1024);
    EXPECT_FALSE(stack.Push(false));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "SysUtil2: PushBoolean");
    EXPECT_EQ(boxes.Last().text, "boolean stack is full: check call of PopBoolean");
    EXPECT_EQ(boxes.Last().icon, MessageIcon::Warning);
    EXPECT_EQ(stack.Count(), 1024);
    EXPECT_EQ(stack.Capacity(), 1024);
    EXPECT_TRUE(stack.Pop());  // entry 1023 (1023 % 3 == 0), not the refused false
}

}  // namespace
}  // namespace pax
