#include "foundation/math2.h"

#include <gtest/gtest.h>

#include "system/exceptions.h"

namespace pax {
namespace {

TEST(Math2, FloatModLandsInZeroToYAndRoundClampRoundsHalvesToEvenAndClamps) {
    EXPECT_EQ(FloatMod(-30, 360), 330);
    EXPECT_NEAR(double(FloatMod(725, 360)), 5, 1e-15);  // frac(x / y) y is not exact
    EXPECT_EQ(FloatMod(360, 360), 0);
    Extended r = FloatMod(-1e-30L, 360);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 360);
    const std::pair<Extended, int32_t> rounded[] = {{3e9L, 2147483647}, {-3e9L, -2147483647}, {2.5L, 2},
                                                    {3.5L, 4}, {-2.5L, -2}, {2147483646.6L, 2147483647}};
    for (auto [x, expected] : rounded) EXPECT_EQ(RoundClamp(x), expected) << double(x);
}

TEST(Math2, MathErrorRaisesWithTheNameOnItsOwnLine) {
    try {
        MathError("TCursor3d.Check");
        FAIL() << "no exception";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "\nTCursor3d.Check\n");
    }
}

}  // namespace
}  // namespace pax
