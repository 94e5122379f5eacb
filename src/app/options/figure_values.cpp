#include "app/options/figure_values.h"

#include <algorithm>
#include <cmath>

#include "system/exceptions.h"
#include "system/text_utils.h"

namespace pax {

namespace {

// Slider positions are 32-bit; scaled bounds stay well inside.
constexpr Extended SliderLimit = 1e9L;

Extended Limited(Extended v) {
    if (std::isnan(v)) return 0;
    return std::clamp(v, -SliderLimit, SliderLimit);
}

int32_t Round(Extended v) { return static_cast<int32_t>(std::lrint(Limited(v))); }

}  // namespace

int32_t tFigureValue::SliderMin() const { return Round(Min); }
int32_t tFigureValue::SliderMax() const { return Round(Max); }

std::string tFigureValue::ValueText() const { return FloatToText(Decimals, 0, Value); }

FigureValues::FigureValues() { Reset(); }

tFigureValue& FigureValues::At(int index) {
    return const_cast<tFigureValue&>(static_cast<const FigureValues*>(this)->Slot(index));
}

const tFigureValue& FigureValues::Slot(int index) const {
    if (index < 1 || index > Count)
        throw ERangeError(std::to_string(index) + " is not within the valid range of 1 .. " + std::to_string(Count));
    return m_slots[static_cast<size_t>(index - 1)];
}

void FigureValues::Define(int index, std::string name, int decimals, Extended min, Extended max, Extended value) {
    tFigureValue& s = At(index);
    s.Decimals = static_cast<uint8_t>(std::clamp(decimals, 0, MaxDecimals));
    s.Scale = 1;
    for (int i = 0; i < s.Decimals; ++i) s.Scale *= 10;
    s.Min = Limited(min * s.Scale);
    s.Max = Limited(max * s.Scale);
    if (s.Min > s.Max) std::swap(s.Min, s.Max);
    s.Range = s.Max - s.Min;
    s.Default = value * s.Scale;
    if (!(s.Default >= s.Min && s.Default <= s.Max)) s.Default = (s.Min + s.Max) / 2;
    s.Name = std::move(name);
    s.Visible = true;
    SetPosition(index, Round(s.Default));
}

void FigureValues::Set(int index, Extended value) {
    const tFigureValue& s = Slot(index);
    SetPosition(index, Round(value * s.Scale));
}

void FigureValues::SetPosition(int index, int32_t position) {
    tFigureValue& s = At(index);
    s.Position = std::clamp(position, s.SliderMin(), s.SliderMax());
    s.Value = static_cast<Extended>(s.Position) / s.Scale;
}

Extended FigureValues::FloatValue(int index) const {
    const tFigureValue& s = Slot(index);
    return static_cast<Extended>(s.Position) / s.Scale;
}

int32_t FigureValues::IntValue(int index) const { return Slot(index).Position; }

uint8_t FigureValues::ByteValue(int index) const {
    return static_cast<uint8_t>(std::clamp(Slot(index).Position, 0, 255));
}

void FigureValues::Reset() {
    for (int i = 0; i < Count; ++i) {
        tFigureValue s;
        s.Index = static_cast<uint16_t>(i + 1);
        s.Name = "Value " + std::to_string(i + 1);
        s.Value = s.Position;
        m_slots[static_cast<size_t>(i)] = s;
    }
}

void FigureValues::ResetToDefaults() {
    for (int i = 1; i <= Count; ++i)
        if (Slot(i).Visible) SetPosition(i, Round(Slot(i).Default));
}

void FigureValues::Randomize(const std::function<int32_t(int32_t)>& random) {
    for (int i = 1; i <= Count; ++i) {
        const tFigureValue& s = Slot(i);
        if (!s.Visible) continue;
        const int64_t span = static_cast<int64_t>(s.SliderMax()) - s.SliderMin() + 1;
        SetPosition(i, s.SliderMin() + random(static_cast<int32_t>(std::min<int64_t>(span, INT32_MAX))));
    }
}

std::string FigureValues::CopyText() const {
    std::string text;
    for (const tFigureValue& s : m_slots)
        if (s.Visible) text += s.Name + " = " + s.ValueText() + "\n";
    return text;
}

bool FigureValues::AnyVisible() const {
    return std::any_of(m_slots.begin(), m_slots.end(), [](const tFigureValue& s) { return s.Visible; });
}

}  // namespace pax
