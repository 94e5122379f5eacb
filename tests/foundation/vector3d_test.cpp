#include "foundation/vector3d.h"

#include <gtest/gtest.h>

#include <random>

#include "foundation/vector_checks.h"

namespace pax {
namespace {

using testing::Near;

tVector3d RandomVector(std::mt19937& random) {
    std::uniform_real_distribution<double> d(-10, 10);
    return {d(random), d(random), d(random)};
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
    EXPECT_TRUE(Near(DirFromAngles(Pi / 4, Pi / 4), {0.5L, 0.5L, std::sqrt(0.5L)}, 1e-15L));
}

TEST(Vector3d, PositiveAngleTurnsClockwiseSeenFromTheAxisTipAndNoAngleOrAxisChangesNothing) {
    EXPECT_TRUE(Near(RotateAbout({0, 0, 1}, {0, 1, 0}, Pi / 2), {1, 0, 0}, 1e-15L));
    EXPECT_TRUE(Near(RotateAbout({0, 0, 2}, {1, 0, 0}, Pi / 2), {0, -1, 0}, 1e-15L));
    EXPECT_TRUE(Near(RotateAbout({1, 0, 0}, {0, 0, 1}, Pi / 2), {0, 1, 0}, 1e-15L));
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
        EXPECT_TRUE(Near(RotateAbout(axis, turned, -a), v, 1e-13L));
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

}  // namespace
}  // namespace pax
