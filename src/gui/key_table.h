#pragma once
// The one place where Qt's keys become the virtual-key codes and the modifier set that the
// engine's key handling speaks.

#include <Qt>

#include "scene/eye_motion.h"

namespace pax {

namespace VirtualKey {
inline constexpr int Backspace = 8;
inline constexpr int Tab = 9;
inline constexpr int Clear = 12;   // the pad's 5 without Num Lock
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int Pause = 19;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int Numpad0 = 96;
inline constexpr int Multiply = 106;
inline constexpr int Add = 107;
inline constexpr int Subtract = 109;
inline constexpr int Decimal = 110;
inline constexpr int Divide = 111;
inline constexpr int F1 = 112;   // F1 .. F24 follow one by one
}  // namespace VirtualKey

// The virtual-key code of a Qt key; the keypad modifier tells the pad's digits and operators
// from the main block's. 0 for a key without a code.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift, Alt and Ctrl of Qt's modifiers; the keypad and meta flags are dropped.
TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers);

}  // namespace pax
