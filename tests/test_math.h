// Comparisons of vectors, matrices and quaternions within a tolerance, with
// the values printed on failure, and a point through a matrix.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "math/vector_math.h"

inline ::testing::AssertionResult Near(Vec3 expected, Vec3 actual, float tolerance = 1e-5f)
{
    if (std::fabs(expected.x - actual.x) <= tolerance && std::fabs(expected.y - actual.y) <= tolerance &&
        std::fabs(expected.z - actual.z) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not ("
                                         << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult Near(const Matrix4& expected, const Matrix4& actual, float tolerance = 1e-5f)
{
    for (int i = 0; i < 16; ++i) {
        if (!(std::fabs(expected.m[i] - actual.m[i]) <= tolerance)) {
            return ::testing::AssertionFailure() << "element " << i << " is " << actual.m[i] << ", not "
                                                 << expected.m[i];
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult Near(Quaternion expected, Quaternion actual, float tolerance = 1e-5f)
{
    return Near(Vec3{expected.x, expected.y, expected.z}, Vec3{actual.x, actual.y, actual.z}, tolerance) &&
                   std::fabs(expected.w - actual.w) <= tolerance
               ? ::testing::AssertionSuccess()
               : ::testing::AssertionFailure() << "quaternion (" << actual.w << ", " << actual.x << ", " << actual.y
                                               << ", " << actual.z << ")";
}

// The point p (w = 1) through m.
inline Vec3 Point(const Matrix4& m, Vec3 p)
{
    const Vec4 r = MatTransform(m, {p.x, p.y, p.z, 1.0f});
    return {r.x, r.y, r.z};
}
