#include "scene/highlight_levels.h"

#include <algorithm>
#include <cmath>

namespace pax {

namespace {

// Closer than this (relative) to a threshold, the exact power decides the level: far wider
// than the error of an 80-bit power and its inverse.
constexpr Extended ThresholdMargin = 1e-12L;

uint8_t ExactLevel(Extended x, Extended exponent, Extended strength) {
    return LightByte(std::pow(x, exponent) * strength);
}

}  // namespace

uint8_t LightByte(Extended x) {
    if (x >= 1) return 255;
    if (!(x > 0)) return 0;
    // x * 255 rounded as lrint rounds it (to nearest, halves to even), without the library
    // call that every lit face made: beside 2^63 the extended format has no fraction bits,
    // so the addition rounds the value to a whole number and the subtraction is exact. The
    // whole number goes through double, exactly, because converting an extended value to an
    // integer switches the processor's rounding mode twice.
    constexpr Extended Whole = 9223372036854775808.0L;   // 2^63
    const Extended sum = x * 255 + Whole;
    return static_cast<uint8_t>(static_cast<double>(sum - Whole));
}

void HighlightLevels::Prepare(Extended exponent, Extended strength) {
    m_exponent = exponent;
    m_strength = strength;
    m_usable = exponent > 0 && std::isfinite(exponent) && strength > 0 && std::isfinite(strength);
    if (!m_usable) return;
    // Level L begins where x^k * s * 255 reaches L - 1/2.
    for (int level = 1; level <= 255; ++level)
        m_thresholds[static_cast<size_t>(level - 1)] =
            std::pow((level - 0.5L) / 255 / strength, 1 / exponent);
}

uint8_t HighlightLevels::Level(Extended x, Extended exponent, Extended strength) {
    if (exponent != m_exponent || strength != m_strength) Prepare(exponent, strength);
    if (!m_usable || !(x >= 0) || !std::isfinite(x)) return ExactLevel(x, exponent, strength);
    const Extended margin = ThresholdMargin * x;
    // Most faces turn away from the highlight: below the first level, clear of its margin.
    if (x < m_thresholds[0] && m_thresholds[0] - x > margin) return 0;
    const auto above = std::upper_bound(m_thresholds.begin(), m_thresholds.end(), x);
    if (above != m_thresholds.end() && *above - x <= margin) return ExactLevel(x, exponent, strength);
    if (above != m_thresholds.begin() && x - *(above - 1) <= margin) return ExactLevel(x, exponent, strength);
    return static_cast<uint8_t>(above - m_thresholds.begin());
}

}  // namespace pax
