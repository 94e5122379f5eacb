#pragma once
// FigureValues: the 16 sliders of the options' "figure values" tab that a figure may claim
// for values of its own. A figure defines a slot with a name, a number of decimals and a
// range; the slider then runs over the range times 10 to the power of the decimals, so that
// it moves in steps of the last decimal. Showing a new figure hides every slot again.
//
//     values.Define(3, "angle", 1, 0, 5, 2);   // a slider 0 .. 50 at 20
//     Extended angle = values.FloatValue(3);    // 2.0, or what the user chose

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "foundation/extended.h"

namespace pax {

struct tFigureValue {
    uint16_t Index = 0;        // 1 .. 16
    Extended Value = 0;        // Position / Scale
    int32_t Position = 100;    // the slider's position
    // Already multiplied by Scale.
    Extended Min = 0, Max = 200, Range = 200, Default = 100;
    uint8_t Decimals = 0;
    int32_t Scale = 1;         // 10 to the power of Decimals
    std::string Name;
    bool Visible = false;

    int32_t SliderMin() const;
    int32_t SliderMax() const;
    // The value with its decimals ("2.5").
    std::string ValueText() const;
};

class FigureValues {
public:
    static constexpr int Count = 16;
    static constexpr int MaxDecimals = 6;
    // The first slider's tag; the sixteen run from 51 to 66.
    static constexpr int FirstTag = 51;

    FigureValues();

    // index 1 .. 16, else ERangeError "%d is not within the valid range of 1 .. 16". The
    // bounds are swapped when given the wrong way round; a default outside them becomes their
    // middle; decimals above MaxDecimals count as MaxDecimals, and bounds that do not fit a
    // slider once scaled (or are not finite) are limited to what fits. The slot is shown.
    void Define(int index, std::string name, int decimals, Extended min, Extended max, Extended value);
    // value x scale, limited to the slider's range, becomes the position.
    void Set(int index, Extended value);
    // The slider moved (gValueChange): limited to its range.
    void SetPosition(int index, int32_t position);

    Extended FloatValue(int index) const;
    int32_t IntValue(int index) const;
    // The position limited to 0 .. 255.
    uint8_t ByteValue(int index) const;

    // Every slot with scale 1 and hidden (a new figure is shown).
    void Reset();
    // The " &Reset" button: every shown slot at its default.
    void ResetToDefaults();
    // The "Ra&ndom" button: every shown slot at minimum + random(maximum - minimum + 1).
    void Randomize(const std::function<int32_t(int32_t)>& random);
    // The "&Copy" button's text: one line "name = value" per shown slot.
    std::string CopyText() const;

    // Slot 1 .. 16; ERangeError outside, as for Define.
    const tFigureValue& Slot(int index) const;
    bool AnyVisible() const;

private:
    tFigureValue& At(int index);

    std::array<tFigureValue, Count> m_slots;
};

}  // namespace pax
