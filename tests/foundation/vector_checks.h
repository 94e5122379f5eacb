#pragma once
// Near(): every component of a vector within a tolerance, compared in double like EXPECT_NEAR;
// a failure shows both vectors.

#include <gtest/gtest.h>

#include <cmath>

#include "foundation/vector3d.h"

namespace pax::testing {

inline ::testing::AssertionResult Near(const tVector3d& actual, const tVector3d& expected, long double tolerance) {
    auto close = [&](Extended a, Extended e) { return std::fabs(double(a) - double(e)) <= double(tolerance); };
    if (close(actual.x, expected.x) && close(actual.y, expected.y) && close(actual.z, expected.z))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << double(actual.x) << ", " << double(actual.y) << ", "
                                         << double(actual.z) << ") is not within " << double(tolerance) << " of ("
                                         << double(expected.x) << ", " << double(expected.y) << ", "
                                         << double(expected.z) << ")";
}

}  // namespace pax::testing
