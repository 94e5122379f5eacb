#pragma once
// The byte a highlight gives: LightByte(x^k * s) for the reflection x = -Dot(reflected ray,
// line of sight). Every lit face of every picture asks for it, and the 80-bit power behind it
// is slow; but the answer takes only 256 values and rises with x, so the levels' thresholds
// are computed once per exponent and strength and a face finds its level among them. Near a
// threshold, where the two could disagree in the last bits, the exact power decides.

#include <array>
#include <cstdint>

#include "foundation/extended.h"

namespace pax {

// x in [0, 1] as a byte, x * 255 rounded (halves to even); 1 and more give 255, anything
// below 0 (or NaN, from a normal that is not a unit vector) gives 0.
uint8_t LightByte(Extended x);

class HighlightLevels {
public:
    // LightByte(pow(x, exponent) * strength), exactly.
    uint8_t Level(Extended x, Extended exponent, Extended strength);

private:
    void Prepare(Extended exponent, Extended strength);

    Extended m_exponent = -1;
    Extended m_strength = -1;
    bool m_usable = false;   // the power rises with x, so the thresholds order the levels
    // m_thresholds[L - 1]: about the least x whose level is L.
    std::array<Extended, 255> m_thresholds{};
};

}  // namespace pax
