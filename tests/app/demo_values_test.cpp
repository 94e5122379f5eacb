#include "app/demo_values.h"

#include <gtest/gtest.h>

#include "render/bitmap32.h"
#include "support/scripted_presenter.h"

namespace pax {
namespace {

constexpr TShiftState None{};
constexpr TShiftState Shift{ShiftFlag::Shift};

// Three values: 0..10 step 2 at 4, -5..5 step 0.5 at 0, 1..3 step 1 at 2 (integer).
tValues ThreeValues() {
    tValues v;
    v.Add(0, 10, 2, 4);
    v.Add(-5, 5, 0.5L, 0);
    v.Add(1, 3, 1, 2, ValueKind::Integer);
    return v;
}

TEST(tValues, EndHomeUpAndDownSelectWithWrapAround) {
    tValues v = ThreeValues();
    EXPECT_EQ(v.Current(), 1);
    v.ProcessKey(ValueKey::Up, None);
    EXPECT_EQ(v.Current(), 3);
    v.ProcessKey(ValueKey::Down, None);
    EXPECT_EQ(v.Current(), 1);
    v.ProcessKey(ValueKey::End, None);
    EXPECT_EQ(v.Current(), 3);
    v.ProcessKey(ValueKey::Down, None);
    EXPECT_EQ(v.Current(), 1);
    v.ProcessKey(ValueKey::End, TShiftState(ShiftFlag::Ctrl));   // modifiers other than Shift do nothing
    EXPECT_EQ(v.Current(), 1);
}

TEST(tValues, StepKeysShiftArrowsAndPageKeysStayWithinTheLimits) {
    tValues v = ThreeValues();
    v.ProcessKey(ValueKey::Right, None);
    EXPECT_EQ(v.Value(1), 6);
    v.ProcessKey(ValueKey::Add, None);
    v.ProcessKey(ValueKey::Add, None);
    EXPECT_EQ(v.Value(1), 10);   // limited, not 12
    v.ProcessKey(ValueKey::Subtract, None);
    v.ProcessKey(ValueKey::Left, None);
    EXPECT_EQ(v.Value(1), 6);
    v.ProcessKey(ValueKey::Left, Shift);
    EXPECT_EQ(v.Value(1), 5);     // exactly 1, not the step
    v.ProcessKey(ValueKey::Up, Shift);
    EXPECT_EQ(v.Current(), 1);    // Shift only moves Left and Right
    v.ProcessKey(ValueKey::PageDown, None);
    EXPECT_EQ(v.Value(1), 0);
    v.ProcessKey(ValueKey::Left, Shift);
    EXPECT_EQ(v.Value(1), 0);
    v.ProcessKey(ValueKey::PageUp, None);
    EXPECT_EQ(v.Value(1), 10);
    v.ProcessKey(ValueKey::Clear, None);
    EXPECT_EQ(v.Value(1), 5);

    v.ProcessKey(ValueKey::Down, None);
    v.ProcessKey(ValueKey::Right, Shift);
    EXPECT_EQ(v.Value(2), 1);
    v.ProcessKey(ValueKey::Multiply, None);
    EXPECT_EQ(v.Value(2), 0);
}

TEST(tValues, AddLimitsAndRefusesTheTwentyFirstValue) {
    testing::ScopedPresenter boxes;
    tValues v;
    EXPECT_EQ(v.Add(10, 0, 1, 20), 1);   // swapped range, value limited
    EXPECT_EQ(v.Item(1).Min, 0);
    EXPECT_EQ(v.Value(1), 10);
    for (int i = 2; i <= tValues::MaxValues; ++i) EXPECT_EQ(v.Add(0, 1, 1, 0), i);
    EXPECT_EQ(v.Add(0, 1, 1, 0), 0);
    EXPECT_EQ(v.Count(), 20);
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST(tValues, BarsShowTheCurrentValueInYellowAndTheOthersInOrange) {
    tValues v = ThreeValues();
    v.ProcessKey(ValueKey::Down, None);
    TBitmap32 surface(200, 200);
    surface.Clear(0xFF000000);
    v.Draw(surface);
    // Bars stand on y = height - 30; bar i (1-based) starts at x = 10 + 12 (i - 1).
    const int y = 200 - 31;
    EXPECT_EQ(surface.Pixel(10, y), tValues::BarColor);
    EXPECT_EQ(surface.Pixel(22, y), tValues::CurrentBarColor);
    EXPECT_EQ(surface.Pixel(34, y), tValues::BarColor);
    // Full, half and empty bars: value 4 of 0..10, 0 of -5..5, 2 of 1..3.
    EXPECT_EQ(surface.Pixel(22, 170 - 50), tValues::CurrentBarColor);
    EXPECT_EQ(surface.Pixel(22, 170 - 52), 0xFF000000u);
}

}  // namespace
}  // namespace pax
