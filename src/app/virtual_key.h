#pragma once
// The virtual-key codes the main window's commands and the eye motion speak: the platform
// codes of the keys, whatever toolkit delivers them. Letters and the main block's digits are
// their upper-case characters ('A', '7').

namespace pax::VirtualKey {

inline constexpr int Cancel = 3;   // Break, as Ctrl+Pause gives it
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

// The function key Fn (1 .. 24).
constexpr int F(int n) { return F1 + n - 1; }

}  // namespace pax::VirtualKey
