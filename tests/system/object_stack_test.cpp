#include "system/object_stack.h"

#include <gtest/gtest.h>

#include "system/exceptions.h"

namespace pax {
namespace {

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
    try {
        stack.Push(nullptr);
        FAIL();
    } catch (const EInvalidPointer& e) {
        EXPECT_STREQ(e.what(), "\nObject pointer = nil when calling TObjectStack.Push\n");
    }
    EXPECT_EQ(stack.Count(), 0);
}

}  // namespace
}  // namespace pax
