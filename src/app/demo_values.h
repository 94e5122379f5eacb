#pragma once
// tValues: the adjustable values of one demo. While the value input is shown the keys of
// each picture change the current value, and the values are drawn as bars over the picture.
// Indices are 1-based; the current index is 1 when there are no values.

#include <array>
#include <cstdint>

#include "foundation/color32.h"
#include "foundation/extended.h"
#include "scene/eye_motion.h"

namespace pax {

class TBitmap32;

// The platform's virtual-key codes the values react to.
namespace ValueKey {
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Clear = 12;      // numpad 5 without Num Lock
inline constexpr int Multiply = 106;  // numpad star
inline constexpr int Add = 107;       // numpad plus
inline constexpr int Subtract = 109;  // numpad minus
}  // namespace ValueKey

enum class ValueKind { Float, Integer };

struct tValue {
    Extended Min = 0;
    Extended Max = 0;
    Extended Step = 1;
    Extended Value = 0;
    Extended Further = 0;   // a second number a demo may keep beside the value
    ValueKind Kind = ValueKind::Float;
};

class tValues {
public:
    static constexpr int MaxValues = 20;
    static constexpr TColor32 CurrentBarColor = 0xFFFFFF00;
    static constexpr TColor32 BarColor = 0xFFFFA500;

    // Count 0, current index 1.
    void Reset();
    // Appends a value (minimum and maximum swapped when given the wrong way round, the value
    // limited to them) and returns its index; 0 when all MaxValues places are taken, after a
    // message in the message line.
    int Add(Extended min, Extended max, Extended step, Extended value, ValueKind kind = ValueKind::Float,
            Extended further = 0);

    uint16_t Count() const { return m_count; }
    uint16_t Current() const { return m_current; }
    // Taken only within 1 .. Count.
    void SetCurrent(int index);
    // Value i (1-based); unchecked beyond an assertion.
    const tValue& Item(int index) const;
    Extended Value(int index) const { return Item(index).Value; }
    // Limited to the value's range; an index outside 1 .. Count changes nothing.
    void SetValue(int index, Extended value);

    // The keys of one picture: without modifiers End/Home select the last/first value,
    // Up/Down the previous/next (wrapping), Right and numpad plus add the step, Left and
    // numpad minus subtract it, Page Up/Down take the maximum/minimum, numpad 5 and numpad
    // star the middle; with Shift alone Left and Right change the value by exactly 1. Other
    // keys and modifiers do nothing.
    void ProcessKey(int key, TShiftState shift);

    // One vertical bar per value, filled by its place between minimum and maximum, the current
    // one in CurrentBarColor, the others in BarColor; the current value as text above the bars.
    void Draw(TBitmap32& surface) const;

private:
    void Change(Extended delta);
    void Take(Extended value);

    std::array<tValue, MaxValues> m_values{};
    uint16_t m_count = 0;
    uint16_t m_current = 1;
};

}  // namespace pax
