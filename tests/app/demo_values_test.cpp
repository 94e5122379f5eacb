#include "app/demo_values.h"

#include <gtest/gtest.h>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

constexpr TShiftState None{};
constexpr TShiftState Shift{ShiftFlag::Shift};
constexpr TShiftState Ctrl{ShiftFlag::Ctrl};

TEST(tValues, KeysSelectWithWrapAroundAndChangeWithinTheLimits) {
    tValues v;
    v.Add(0, 10, 2, 4);
    v.Add(-5, 5, 0.5L, 0);
    v.Add(1, 3, 1, 2, ValueKind::Integer);
    struct Step {
        int key;
        TShiftState shift;
        int current;
        Extended value;   // of the current value afterwards
    };
    const Step steps[] = {
        {ValueKey::Up, None, 3, 2},           {ValueKey::Down, None, 1, 4},
        {ValueKey::End, None, 3, 2},          {ValueKey::Down, None, 1, 4},
        {ValueKey::End, Ctrl, 1, 4},          {ValueKey::Right, None, 1, 6},
        {ValueKey::Add, None, 1, 8},          {ValueKey::Right, None, 1, 10},
        {ValueKey::Add, None, 1, 10},         {ValueKey::Subtract, None, 1, 8},
        {ValueKey::Left, Shift, 1, 7},        {ValueKey::Up, Shift, 1, 7},
        {ValueKey::PageDown, None, 1, 0},     {ValueKey::Left, Shift, 1, 0},
        {ValueKey::Left, None, 1, 0},         {ValueKey::PageUp, None, 1, 10},
        {ValueKey::Clear, None, 1, 5},        {ValueKey::Down, None, 2, 0},
        {ValueKey::Right, Shift, 2, 1},       {ValueKey::Left, None, 2, 0.5L},
        {ValueKey::PageUp, None, 2, 5},       {ValueKey::Multiply, None, 2, 0},
        {ValueKey::Home, None, 1, 5},
    };
    for (const Step& s : steps) {
        v.ProcessKey(s.key, s.shift);
        EXPECT_EQ(v.Current(), s.current) << "key " << s.key;
        EXPECT_EQ(v.Value(v.Current()), s.value) << "key " << s.key;
    }
}

TEST(tValues, AddSwapsAReversedRangeAndRefusesTheTwentyFirstValue) {
    testing::ScopedPresenter boxes;
    tValues v;
    EXPECT_EQ(v.Add(10, 0, 1, 20), 1);
    EXPECT_EQ(v.Value(1), 10);
    for (int i = 2; i <= tValues::MaxValues; ++i) v.Add(0, 1, 1, 0);
    EXPECT_EQ(v.Add(0, 1, 1, 0), 0);
    EXPECT_EQ(boxes.Count(), 1u);
}

}  // namespace
}  // namespace pax
