// Vector3 arithmetic and the tolerance used for comparing scene values.
#pragma once

#include "document/MathTypes.h"

namespace tvx {

// Scene values are single precision and have usually been through several
// transforms, so exact comparison is too strict. 1e-4 absorbs that rounding
// while still telling apart values that differ at scene scale.
inline constexpr float kNearlyEqualTolerance = 0.0001f;

[[nodiscard]] bool NearlyEqual(float a, float b);
[[nodiscard]] bool NearlyZero(float a);
// True when every component is within the tolerance.
[[nodiscard]] bool NearlyEqual(const Vector3& a, const Vector3& b);

[[nodiscard]] constexpr Vector3 operator+(const Vector3& a, const Vector3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
[[nodiscard]] constexpr Vector3 operator-(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
[[nodiscard]] constexpr Vector3 operator-(const Vector3& a) { return {-a.x, -a.y, -a.z}; }
[[nodiscard]] constexpr Vector3 operator*(const Vector3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
[[nodiscard]] constexpr Vector3 operator*(float s, const Vector3& a) { return a * s; }

constexpr Vector3& operator+=(Vector3& a, const Vector3& b) {
    a = a + b;
    return a;
}
constexpr Vector3& operator*=(Vector3& a, float s) {
    a = a * s;
    return a;
}

[[nodiscard]] constexpr float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
// Right-handed: Cross((1,0,0), (0,1,0)) = (0,0,1).
[[nodiscard]] constexpr Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
[[nodiscard]] constexpr float LengthSquared(const Vector3& a) { return Dot(a, a); }
[[nodiscard]] float Length(const Vector3& a);
[[nodiscard]] float Distance(const Vector3& a, const Vector3& b);
// a + (b - a) * t; t is not clamped, so it extrapolates outside [0, 1].
[[nodiscard]] constexpr Vector3 Lerp(const Vector3& a, const Vector3& b, float t) { return a + (b - a) * t; }
// A zero-length (or NaN) vector has no direction and becomes (0, 0, 0)
// rather than NaN, so degenerate input never poisons the matrices built from it.
[[nodiscard]] Vector3 Normalize(const Vector3& a);

}  // namespace tvx
