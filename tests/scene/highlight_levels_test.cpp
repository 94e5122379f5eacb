#include "scene/highlight_levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace pax {
namespace {

uint8_t Exact(Extended x, Extended k, Extended s) { return LightByte(std::pow(x, k) * s); }

// The looked-up level equals the exact power's everywhere, above all on the edges between
// levels, where a threshold one bit off would show.
TEST(HighlightLevels, EqualToTheExactPower) {
    const Extended settings[][2] = {{5.5L, 0.5L}, {1, 1}, {1, 0.25L}, {2, 1}, {30, 0.8L}, {1.5L, 3}, {0.5L, 1}};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    for (const auto& [k, s] : settings) {
        HighlightLevels levels;
        for (int i = 0; i < 20000; ++i) {
            const Extended x = unit(random);
            ASSERT_EQ(levels.Level(x, k, s), Exact(x, k, s)) << "x=" << static_cast<double>(x);
        }
        for (int level = 1; level <= 255; ++level) {
            Extended edge = std::pow((level - 0.5L) / 255 / s, 1 / k);
            for (int step = 0; step < 4; ++step) edge = std::nextafter(edge, Extended(0));
            for (int step = 0; step < 8; ++step, edge = std::nextafter(edge, Extended(2)))
                ASSERT_EQ(levels.Level(edge, k, s), Exact(edge, k, s)) << "level " << level;
        }
        EXPECT_EQ(levels.Level(0, k, s), 0);
        EXPECT_EQ(levels.Level(1, k, s), Exact(1, k, s));
        EXPECT_EQ(levels.Level(1.0000001L, k, s), Exact(1.0000001L, k, s));
    }
}

// Settings and reflections outside the usual ranges take the exact path: the same answers,
// however the settings change between calls.
TEST(HighlightLevels, UnusualSettingsAndReflections) {
    HighlightLevels levels;
    const Extended nan = std::numeric_limits<Extended>::quiet_NaN();
    EXPECT_EQ(levels.Level(nan, 5.5L, 0.5L), 0);
    EXPECT_EQ(levels.Level(-0.5L, 2, 1), Exact(-0.5L, 2, 1));   // a negative base squared
    EXPECT_EQ(levels.Level(0.7L, 0, 1), 255);                   // x^0 = 1
    EXPECT_EQ(levels.Level(0.7L, -1, 0.5L), Exact(0.7L, -1, 0.5L));
    EXPECT_EQ(levels.Level(0.9L, 2, 0), 0);
    EXPECT_EQ(levels.Level(0.9L, 2, 1), Exact(0.9L, 2, 1));
    EXPECT_EQ(levels.Level(0.9L, 3, 1), Exact(0.9L, 3, 1));     // new exponent, new thresholds
    EXPECT_EQ(LightByte(0.5L), 128);                             // 127.5 rounds to even
    EXPECT_EQ(LightByte(2.5L / 255), 2);
    EXPECT_EQ(LightByte(nan), 0);
    // As std::lrint rounds, at and next to every half and in between.
    int differ = 0;
    for (int k = 0; k < 255; ++k)
        for (Extended offset : {-1e-17L, 0.0L, 1e-17L, 0.25L, 0.4999999L})
            for (Extended x : {(k + 0.5L + offset) / 255, std::nextafter((k + 0.5L) / 255, 1.0L),
                               std::nextafter((k + 0.5L) / 255, 0.0L)})
                differ += LightByte(x) != static_cast<uint8_t>(std::lrint(x * 255));
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace pax
