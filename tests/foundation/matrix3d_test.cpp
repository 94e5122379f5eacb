#include "foundation/matrix3d.h"

#include <gtest/gtest.h>

#include <random>

#include "foundation/vector_checks.h"

namespace pax {
namespace {

tMatrix3d RandomMatrix(std::mt19937& random) {
    std::uniform_real_distribution<double> d(-3, 3);
    tMatrix3d m;
    for (tVector3d& row : m.Row) row = {d(random), d(random), d(random)};
    return m;
}

TEST(Matrix3d, TransformPointUsesRowVectors) {
    tMatrix3d m;
    m.Row[0] = {0, 1, 0};
    m.Row[1] = {-1, 0, 0};
    m.Row[2] = {0, 0, 2};
    m.Row[3] = {10, 20, 30};
    EXPECT_EQ(TransformPoint({1, 2, 3}, m), (tVector3d{8, 21, 36}));
    EXPECT_EQ(TransformPoint({1, 2, 3}, IdentityMatrix), (tVector3d{1, 2, 3}));
}

TEST(Matrix3d, ComposeAppliesTheFirstThenTheSecond) {
    std::mt19937 random(99);
    std::uniform_real_distribution<double> d(-5, 5);
    for (int i = 0; i < 200; ++i) {
        tMatrix3d a = RandomMatrix(random), b = RandomMatrix(random);
        tVector3d p{d(random), d(random), d(random)};
        EXPECT_TRUE(testing::Near(TransformPoint(p, ComposeMatrix(a, b)), TransformPoint(TransformPoint(p, a), b), 1e-13L));
    }
}

}  // namespace
}  // namespace pax
