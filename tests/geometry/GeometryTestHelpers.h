// Builders and comparisons shared by the geometry tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "document/MathTypes.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx::testing {

inline Quaternion AxisAngle(Vector3 axis, float angle) {
    const Vector3 v = Normalize(axis) * std::sin(0.5f * angle);
    return {v.x, v.y, v.z, std::cos(0.5f * angle)};
}

inline Quaternion RandomRotation(std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    return AxisAngle({unit(rng), unit(rng), unit(rng) + 0.01f}, 3.0f * unit(rng));
}

inline Matrix4 Translation(float x, float y, float z) {
    Matrix4 m;
    m(0, 3) = x;
    m(1, 3) = y;
    m(2, 3) = z;
    return m;
}

inline Matrix4 Diagonal(float x, float y, float z) {
    Matrix4 m;
    m(0, 0) = x;
    m(1, 1) = y;
    m(2, 2) = z;
    return m;
}

inline ::testing::AssertionResult MatricesNear(const Matrix4& expected, const Matrix4& actual, float tolerance) {
    for (std::size_t i = 0; i < 16; ++i) {
        if (!(std::fabs(expected.m[i] - actual.m[i]) <= tolerance)) {
            return ::testing::AssertionFailure()
                   << "element " << i << ": expected " << expected.m[i] << ", got " << actual.m[i];
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult QuaternionsNear(const Quaternion& e, const Quaternion& a, float tolerance) {
    const float d = std::fmax(std::fmax(std::fabs(e.x - a.x), std::fabs(e.y - a.y)),
                              std::fmax(std::fabs(e.z - a.z), std::fabs(e.w - a.w)));
    if (d <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << a.x << ", " << a.y << ", " << a.z << ", " << a.w << ")";
}

inline ::testing::AssertionResult VectorsNear(const Vector3& e, const Vector3& a, float tolerance = 1e-5f) {
    if (std::fabs(e.x - a.x) <= tolerance && std::fabs(e.y - a.y) <= tolerance && std::fabs(e.z - a.z) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << a.x << ", " << a.y << ", " << a.z << ")";
}

}  // namespace tvx::testing
