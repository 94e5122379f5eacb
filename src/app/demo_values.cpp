#include "app/demo_values.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <string>

#include "render/surface/bitmap32.h"
#include "system/error_reporting.h"
#include "system/text_utils.h"

namespace pax {

namespace {

// Bar geometry in pixels, from the bottom left corner of the picture.
constexpr int BarLeft = 10;
constexpr int BarPitch = 12;
constexpr int BarWidth = 8;
constexpr int BarBottomGap = 30;
constexpr int BarMaxHeight = 100;
constexpr TColor32 BarFrameColor = 0xFF808080;

Extended Limited(const tValue& v, Extended value) { return std::clamp(value, v.Min, v.Max); }

std::string ValueText(const tValue& v) {
    if (v.Kind == ValueKind::Integer) return std::to_string(std::llround(static_cast<double>(v.Value)));
    return FloatToText(2, 0, v.Value);
}

}  // namespace

void tValues::Reset() {
    m_count = 0;
    m_current = 1;
}

int tValues::Add(Extended min, Extended max, Extended step, Extended value, ValueKind kind, Extended further) {
    if (m_count >= MaxValues) {
        ShowPaxError("PaxForm: tValues.Add", "too many values (at most 20)");
        return 0;
    }
    if (min > max) std::swap(min, max);
    tValue& v = m_values[m_count];
    v = tValue{min, max, step, value, further, kind};
    v.Value = Limited(v, value);
    return ++m_count;
}

void tValues::SetCurrent(int index) {
    if (index >= 1 && index <= m_count) m_current = static_cast<uint16_t>(index);
}

const tValue& tValues::Item(int index) const {
    assert(index >= 1 && index <= MaxValues);
    return m_values[static_cast<size_t>(index - 1)];
}

void tValues::SetValue(int index, Extended value) {
    if (index < 1 || index > m_count) return;
    tValue& v = m_values[static_cast<size_t>(index - 1)];
    v.Value = Limited(v, value);
}

void tValues::Take(Extended value) { SetValue(m_current, value); }

void tValues::Change(Extended delta) { Take(Item(m_current).Value + delta); }

void tValues::ProcessKey(int key, TShiftState shift) {
    if (m_count == 0) return;
    if (shift == TShiftState(ShiftFlag::Shift)) {
        if (key == ValueKey::Right) Change(1);
        if (key == ValueKey::Left) Change(-1);
        return;
    }
    if (!shift.Empty()) return;
    const tValue& v = Item(m_current);
    switch (key) {
    case ValueKey::End: m_current = m_count; break;
    case ValueKey::Home: m_current = 1; break;
    case ValueKey::Up: m_current = m_current > 1 ? m_current - 1 : m_count; break;
    case ValueKey::Down: m_current = m_current < m_count ? m_current + 1 : 1; break;
    case ValueKey::Right:
    case ValueKey::Add: Change(v.Step); break;
    case ValueKey::Left:
    case ValueKey::Subtract: Change(-v.Step); break;
    case ValueKey::PageUp: Take(v.Max); break;
    case ValueKey::PageDown: Take(v.Min); break;
    case ValueKey::Clear:
    case ValueKey::Multiply: Take((v.Min + v.Max) / 2); break;
    default: break;
    }
}

void tValues::Draw(TBitmap32& surface) const {
    if (m_count == 0) return;
    const int bottom = surface.Height() - BarBottomGap;
    int currentTop = bottom;
    for (int i = 1; i <= m_count; ++i) {
        const tValue& v = Item(i);
        const Extended range = v.Max - v.Min;
        const Extended share = range > 0 ? (v.Value - v.Min) / range : 1;
        const int height = 1 + static_cast<int>(std::lround(static_cast<double>(share * (BarMaxHeight - 1))));
        const int left = BarLeft + (i - 1) * BarPitch;
        const TColor32 colour = i == m_current ? CurrentBarColor : BarColor;
        surface.FrameRectOpaque(left - 1, bottom - BarMaxHeight - 1, left + BarWidth + 1, bottom + 1, BarFrameColor);
        surface.FillRectOpaque(left, bottom - height, left + BarWidth, bottom, colour);
        if (i == m_current) currentTop = bottom - BarMaxHeight;
    }
    surface.Font.Color = CurrentBarColor;
    const int textLeft = BarLeft + (m_current - 1) * BarPitch;
    surface.TextOut(textLeft, currentTop - 4 - surface.TextHeight(), ValueText(Item(m_current)));
}

}  // namespace pax
