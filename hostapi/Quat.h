// The host's rotation quaternion.
//
// The host's quaternions turn the other way round from the textbook
// (Hamilton) form: a rotation by angle a about the unit axis n is stored as
// (-n sin(a/2), cos(a/2)), the conjugate of the textbook quaternion. The
// host's matrix conversion is built to match, so that the matrix of a Quat
// is a row-vector matrix whose rows are the rotated axes. Code that moves a
// textbook quaternion into a Quat must go through Euler angles (SetEuler) or
// conjugate it; copying the four numbers turns the rotation backwards.
#pragma once

#include <cmath>

#include "hostapi/HostTypes.h"

namespace hostapi {

class Quat {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr Quat() = default;
    constexpr Quat(float qx, float qy, float qz, float qw) : x(qx), y(qy), z(qz), w(qw) {}

    constexpr void Identity() { *this = Quat(); }

    // Angles in radians about the fixed x, y and z axes, applied in that
    // order: the host matrix of the result is RotateX(X) * RotateY(Y) *
    // RotateZ(Z) for row vectors, the same rotation a scene document writes
    // as Rz * Ry * Rx for column vectors.
    void SetEuler(float X, float Y, float Z) {
        const float cx = std::cos(0.5f * X);
        const float sx = std::sin(0.5f * X);
        const float cy = std::cos(0.5f * Y);
        const float sy = std::sin(0.5f * Y);
        const float cz = std::cos(0.5f * Z);
        const float sz = std::sin(0.5f * Z);
        // Textbook product qz * qy * qx, then conjugated into the host's form.
        x = -(cz * cy * sx - sz * sy * cx);
        y = -(sz * cy * sx + cz * sy * cx);
        z = -(sz * cy * cx - cz * sy * sx);
        w = cz * cy * cx + sz * sy * sx;
    }

    constexpr bool operator==(const Quat&) const = default;
};

// A scale with the rotation of the axes it is measured along.
class ScaleValue {
public:
    Point3 s{1.0f, 1.0f, 1.0f};
    Quat q;

    constexpr ScaleValue() = default;
    constexpr ScaleValue(const Point3& scale, const Quat& axes) : s(scale), q(axes) {}

    constexpr bool operator==(const ScaleValue&) const = default;
};

}  // namespace hostapi
