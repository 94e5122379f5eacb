#pragma once
// Eye motion: keys, mouse drags and wheel turns as motions of the eye. What an arrow key or a
// drag does depends on the eye mode, one of five ways of looking at a figure.
//
// Keys are the platform's virtual-key codes (Page Up 33 .. Down 40, Insert 45, the pad's
// operator keys 106 .. 111) or the characters of the numeric pad's layout they translate to:
// "8", "2", "4", "6" the arrows, "9"/"3" forward/back, "1"/"7" zoom, "5" reset, "a"/"b"/"c"
// roll left, level, roll right.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/extended.h"

namespace pax {

class Eye3d;

// The modifier keys held, as the bits 0, 1 and 2 of the platform's shift state.
enum class ShiftFlag : uint8_t { Shift = 1 << 0, Alt = 1 << 1, Ctrl = 1 << 2 };

class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(ShiftFlag flag) : m_bits(static_cast<uint8_t>(flag)) {}
    // The platform's shift state; bits beyond the three modifiers (mouse buttons) are dropped.
    static constexpr TShiftState FromBits(uint32_t bits) {
        TShiftState s;
        s.m_bits = static_cast<uint8_t>(bits & 7u);
        return s;
    }
    constexpr bool Has(ShiftFlag flag) const { return m_bits & static_cast<uint8_t>(flag); }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr uint8_t Bits() const { return m_bits; }
    friend constexpr TShiftState operator|(TShiftState a, TShiftState b) { return FromBits(a.m_bits | b.m_bits); }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    uint8_t m_bits = 0;
};

constexpr TShiftState operator|(ShiftFlag a, ShiftFlag b) { return TShiftState(a) | TShiftState(b); }

enum EyeModeValue : uint8_t { EyeExamine = 0, EyeEncircle = 1, EyeTurn = 2, EyeMove = 3, EyeWalk = 4 };
inline constexpr int EyeModeCount = 5;

struct EyeMotionSettings {
    uint8_t EyeMode = EyeExamine;   // 0 .. EyeModeCount - 1
    Extended MotionSpeed = 5.0L;    // base key step: world units for moves, degrees for turns
};

// Out-of-range modes select Examine.
void SetEyeMode(EyeMotionSettings& settings, int mode);
// Ignores a value that is not finite.
void SetMotionSpeed(EyeMotionSettings& settings, Extended speed);
// "Examine", "Encircle", "Turn", "Move" or "Walk".
std::string_view EyeModeName(const EyeMotionSettings& settings);
// " ctrl", " shift", " alt" for the flags held, in this order.
std::string ModifierText(TShiftState shift);

// The key translated to the numeric pad's layout; other codes unchanged.
int TranslateEyeKey(int key, TShiftState shift);
// The name of the motion KeyMotion performs for key in the current mode (" Eye.OrbitLeft",
// ...); empty for a key without one.
std::string_view MotionName(const EyeMotionSettings& settings, int key);

// One step: MotionSpeed x 0.2 with Shift, x 2 with Ctrl, x 0.5 otherwise. Alt moves the eye
// sideways with the arrow keys.
void KeyMotion(Eye3d& eye, const EyeMotionSettings& settings, int key, TShiftState shift);
// A drag of dx, dy pixels (Shift x 0.2, Ctrl x 5). ERangeError beyond +-1000 pixels.
void MouseMotion(Eye3d& eye, const EyeMotionSettings& settings, int dx, int dy, TShiftState shift);
// A wheel turn of delta notches (the main window passes the sign): 10 units forward per
// notch, 2 with Shift, 50 with Ctrl; with Alt the view widens by a tenth of that in degrees.
void WheelMotion(Eye3d& eye, const EyeMotionSettings& settings, int delta, TShiftState shift);

}  // namespace pax
