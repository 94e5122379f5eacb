#include "gui/key_table.h"

#include <gtest/gtest.h>

#include <tuple>

namespace pax {
namespace {

TEST(KeyTable, QtKeysBecomeTheVirtualKeyCodes) {
    const Qt::KeyboardModifiers none = Qt::NoModifier, pad = Qt::KeypadModifier;
    const std::tuple<int, Qt::KeyboardModifiers, int> cases[] = {
        {Qt::Key_Left, none, 37},      {Qt::Key_Up, none, 38},         {Qt::Key_Right, none, 39},
        {Qt::Key_Down, pad, 40},       {Qt::Key_PageUp, none, 33},     {Qt::Key_PageDown, none, 34},
        {Qt::Key_Home, none, 36},      {Qt::Key_End, none, 35},        {Qt::Key_Insert, none, 45},
        {Qt::Key_Clear, pad, 12},      {Qt::Key_Asterisk, pad, 106},   {Qt::Key_Plus, pad, 107},
        {Qt::Key_Minus, pad, 109},     {Qt::Key_Slash, pad, 111},      {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},      {Qt::Key_Return, none, 13},     {Qt::Key_Enter, pad, 13},
        {Qt::Key_Space, none, 32},     {Qt::Key_Backspace, none, 8},   {Qt::Key_Escape, none, 27},
        {Qt::Key_Pause, none, 19},     {Qt::Key_0, none, '0'},         {Qt::Key_9, none, '9'},
        {Qt::Key_8, pad, 104},         {Qt::Key_A, none, 'A'},         {Qt::Key_Z, Qt::ShiftModifier, 'Z'},
        {Qt::Key_Shift, none, 16},     {Qt::Key_Control, none, 17},    {Qt::Key_Alt, none, 18},
        // The main block's operators are not the pad's; keys without a code give 0.
        {Qt::Key_Asterisk, none, 0},   {Qt::Key_Plus, none, 0},        {Qt::Key_Eacute, none, 0},
    };
    for (const auto& [qtKey, modifiers, code] : cases)
        EXPECT_EQ(VirtualKeyOf(qtKey, modifiers), code) << std::hex << qtKey;
}

TEST(KeyTable, ModifiersBecomeTheShiftStateWithoutKeypadOrMeta) {
    EXPECT_EQ(ShiftStateOf(Qt::NoModifier), TShiftState());
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::KeypadModifier), TShiftState(ShiftFlag::Shift));
    EXPECT_EQ(ShiftStateOf(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier), ShiftFlag::Ctrl | ShiftFlag::Alt);
    EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier).Bits(), 7);
}

}  // namespace
}  // namespace pax
