#include "foundation/math2.h"

#include <gtest/gtest.h>

#include <cmath>

#include "system/exceptions.h"

namespace pax {
namespace {

TEST(Math2, FloatModLandsInZeroToY) {
    EXPECT_EQ(FloatMod(-30, 360), 330);
    EXPECT_NEAR(double(FloatMod(725, 360)), 5, 1e-15);  // frac(x / y) y is not exact
    EXPECT_EQ(FloatMod(360, 360), 0);
    Extended r = FloatMod(-1e-30L, 360);
    EXPECT_GE(r, 0);
    EXPECT_LT(r, 360);
}

TEST(Math2, RoundClampRoundsHalvesToEvenAndClamps) {
    EXPECT_EQ(RoundClamp(3e9L), 2147483647);
    EXPECT_EQ(RoundClamp(-3e9L), -2147483647);
    EXPECT_EQ(RoundClamp(2.5L), 2);
    EXPECT_EQ(RoundClamp(3.5L), 4);
    EXPECT_EQ(RoundClamp(-2.5L), -2);
    EXPECT_EQ(RoundClamp(2147483646.6L), 2147483647);
}

TEST(Math2, MathErrorRaisesWithTheNameOnItsOwnLine) {
    try {
        MathError("TCursor3d.Check");
        FAIL() << "no exception";
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "\nTCursor3d.Check\n");
    }
}

TEST(Math2, MaxByteIsTheLarger) {
    EXPECT_EQ(MaxByte(3, 250), 250);
    EXPECT_EQ(MaxByte(255, 0), 255);
}

}  // namespace
}  // namespace pax
