#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "foundation/geom3d.h"
#include "foundation/math2.h"
#include "foundation/matrix3d.h"
#include "foundation/vector3d.h"
#include "support/vector_near.h"
#include "system/exceptions.h"

namespace pax {
namespace {

using testing::Near;

tVector3d RandomVector(std::mt19937& random) {
    std::uniform_real_distribution<double> d(-10, 10);
    return {d(random), d(random), d(random)};
}

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
    EXPECT_THAT([] { MathError("TCursor3d.Check"); }, ::testing::ThrowsMessage<EMathError>("\nTCursor3d.Check\n"));
}

TEST(Vector3d, NormalizeAndSetExtentNeedALengthAboveTheTolerance) {
    EXPECT_EQ(Normalize({1e-7L, 0, 0}), ZeroVector);
    EXPECT_EQ(Normalize({0, 0, 5}), (tVector3d{0, 0, 1}));
    Extended len = -1;
    EXPECT_EQ(NormalizeLen({3, 4, 0}, len), (tVector3d{0.6L, 0.8L, 0}));
    EXPECT_EQ(len, 5);
    EXPECT_EQ(NormalizedXYZ(0, -2, 0), (tVector3d{0, -1, 0}));
    tVector3d v{3, 4, 0}, tiny{1e-7L, 0, 0};
    SetExtent(v, 10);
    SetExtent(tiny, 10);
    EXPECT_EQ(v, (tVector3d{6, 8, 0}));
    EXPECT_EQ(tiny, (tVector3d{1e-7L, 0, 0}));
}

TEST(Vector3d, DifferenceIsFromFirstToSecondAndNormCrossOfParallelsIsZero) {
    EXPECT_EQ(Difference({1, 1, 1}, {3, 1, 1}), (tVector3d{2, 0, 0}));
    EXPECT_EQ(AddScaled({1, 1, 1}, {1, 2, 3}, 2), (tVector3d{3, 5, 7}));
    EXPECT_EQ(Distance({1, 1, 1}, {1, 4, 5}), 5);
    tVector3d out{9, 9, 9};
    EXPECT_EQ(NormCross(out, {1, 2, 3}, {2, 4, 6}), 0);
    EXPECT_EQ(out, ZeroVector);
    EXPECT_EQ(NormCross(out, {2, 0, 0}, {0, 3, 0}), 6);
    EXPECT_EQ(out, (tVector3d{0, 0, 1}));  // right-handed: x cross y is z
    EXPECT_EQ(VectorText({1, -2.5L, 1234.567L}, 8, 2), "x=    1.00  y=   -2.50  z= 1234.57");
}

TEST(Vector3d, DirFromAnglesSnapsTinyComponentsToZero) {
    EXPECT_EQ(DirFromAngles(Pi / 2, 0), (tVector3d{0, 1, 0}));
    EXPECT_EQ(DirFromAngles(0, Pi / 2), (tVector3d{0, 0, 1}));
    EXPECT_EQ(DirFromAngles(Pi, 0).y, 0);
    EXPECT_TRUE(Near(DirFromAngles(Pi / 4, Pi / 4), {0.5L, 0.5L, std::sqrt(0.5L)}, 1e-15));
}

TEST(Vector3d, PositiveAngleTurnsClockwiseSeenFromTheAxisTipAndNoAngleOrAxisChangesNothing) {
    EXPECT_TRUE(Near(RotateAbout({0, 0, 1}, {0, 1, 0}, Pi / 2), {1, 0, 0}, 1e-15));
    EXPECT_TRUE(Near(RotateAbout({0, 0, 2}, {1, 0, 0}, Pi / 2), {0, -1, 0}, 1e-15));
    EXPECT_TRUE(Near(RotateAbout({1, 0, 0}, {0, 0, 1}, Pi / 2), {0, 1, 0}, 1e-15));
    tVector3d v{1.5L, -2, 3};
    EXPECT_EQ(RotateAbout(ZeroVector, v, 0), v);
    EXPECT_EQ(RotateAbout({0, 0, 1e-7L}, v, 1), v);
    tVector3d r1{7, 7, 7}, r2 = r1, r3 = r1;
    EXPECT_FALSE(RotationRows({1e-7L, 0, 0}, 1, r1, r2, r3));
    EXPECT_EQ(r1, (tVector3d{7, 7, 7}));
}

TEST(Vector3d, RotationsKeepLengthsAndUndoThemselves) {
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> angle(-7, 7);
    for (int i = 0; i < 1000; ++i) {
        tVector3d axis = RandomVector(random), v = RandomVector(random);
        if (Extent(axis) < 0.01L) continue;
        Extended a = angle(random);
        tVector3d r1, r2, r3;
        ASSERT_TRUE(RotationRows(axis, a, r1, r2, r3));
        EXPECT_NEAR(double(Dot(r1, r2)), 0, 1e-15);
        EXPECT_NEAR(double(Extent(r3)), 1, 1e-15);
        tVector3d turned = RotateRows(v, r1, r2, r3);
        EXPECT_NEAR(double(Extent(turned)), double(Extent(v)), 1e-13);
        EXPECT_TRUE(Near(RotateAbout(axis, turned, -a), v, 1e-13));
    }
}

TEST(Vector3d, CosAngleIsOneWithoutDirectionAndAngleBetweenParallelsIsNeverNaN) {
    EXPECT_EQ(CosAngle(ZeroVector, {1, 0, 0}), 1);
    EXPECT_EQ(CosAngle({2, 0, 0}, {0, 0, 3}), 0);
    EXPECT_NEAR(double(AngleBetween({1, 0, 0}, {-1, 0, 0})), double(Pi), 1e-15);
    std::mt19937 random(42);
    for (int i = 0; i < 2000; ++i) {
        tVector3d v = RandomVector(random);
        ASSERT_NEAR(double(AngleBetween(v, 3.7L * v)), 0, 1e-9);
        ASSERT_NEAR(double(AngleBetween(v, -3.7L * v)), double(Pi), 1e-9);
    }
}

TEST(Matrix3d, TransformUsesRowVectorsAndComposeAppliesTheFirstThenTheSecond) {
    tMatrix3d m;
    m.Row[0] = {0, 1, 0};
    m.Row[1] = {-1, 0, 0};
    m.Row[2] = {0, 0, 2};
    m.Row[3] = {10, 20, 30};
    EXPECT_EQ(TransformPoint({1, 2, 3}, m), (tVector3d{8, 21, 36}));
    EXPECT_EQ(TransformPoint({1, 2, 3}, IdentityMatrix), (tVector3d{1, 2, 3}));
    std::mt19937 random(99);
    for (int i = 0; i < 200; ++i) {
        tMatrix3d a, b;
        for (tVector3d& row : a.Row) row = RandomVector(random);
        for (tVector3d& row : b.Row) row = RandomVector(random);
        tVector3d p = RandomVector(random);
        EXPECT_TRUE(Near(TransformPoint(p, ComposeMatrix(a, b)), TransformPoint(TransformPoint(p, a), b), 1e-13));
    }
}

TEST(Geom3d, PlaneNormalIsRightHandedAndLinePlaneCutGivesTheFixedParameterForAParallelLine) {
    tVector3d n, cut;
    EXPECT_TRUE(PlaneNormal({1, 1, 1}, {3, 1, 1}, {1, 4, 1}, n));
    EXPECT_EQ(n, (tVector3d{0, 0, 1}));
    EXPECT_FALSE(PlaneNormal({0, 0, 0}, {1, 1, 1}, {2, 2, 2}, n));
    Extended t = 0;
    EXPECT_TRUE(LinePlaneCut({0, 0, 10}, {0, 0, -2}, {5, 5, 4}, {0, 0, 1}, cut, t));
    EXPECT_EQ(t, 3);
    EXPECT_EQ(cut, (tVector3d{0, 0, 4}));
    EXPECT_FALSE(LinePlaneCut({1, 2, 3}, {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, cut, t));
    EXPECT_EQ(t, 0.000000999L);
    EXPECT_EQ(cut, (tVector3d{1 + 0.000000999L, 2, 3}));
}

}  // namespace
}  // namespace pax
