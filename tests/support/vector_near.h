#pragma once
// Near(): every component of a vector within a tolerance, compared in double like EXPECT_NEAR.

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/vector3d.h"

namespace pax::testing {

inline ::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected, long double tolerance) {
    const tVector3d d = actual - expected;
    if (std::fabs(double(d.x)) <= double(tolerance) && std::fabs(double(d.y)) <= double(tolerance) &&
        std::fabs(double(d.z)) <= double(tolerance))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << double(actual.x) << ", " << double(actual.y) << ", "
                                         << double(actual.z) << ") is not within " << double(tolerance) << " of ("
                                         << double(expected.x) << ", " << double(expected.y) << ", "
                                         << double(expected.z) << ")";
}

}  // namespace pax::testing
