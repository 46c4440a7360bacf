// Double-precision 3 x 3 matrix used inside the affine decomposition. The
// iterations there repeatedly invert and re-orthogonalise, and doing that in
// double keeps the single-precision results they produce at full accuracy.
// Not part of the public geometry interface, hence namespace detail.
#pragma once

#include <array>
#include <cstddef>

#include "document/MathTypes.h"

namespace tvx::detail {

struct Matrix3d {
    std::array<double, 9> m{1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

    constexpr double& operator()(int row, int col) { return m[static_cast<std::size_t>(3 * row + col)]; }
    constexpr double operator()(int row, int col) const { return m[static_cast<std::size_t>(3 * row + col)]; }
    static constexpr Matrix3d Zero() {
        Matrix3d z;
        z.m.fill(0.0);
        return z;
    }
};

struct Vector3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

[[nodiscard]] Matrix3d UpperLeft3x3(const Matrix4& m);
// Writes rows and columns 0..2; column 3 and row 3 are those of the identity.
[[nodiscard]] Matrix4 ToMatrix4(const Matrix3d& m);

[[nodiscard]] Matrix3d Multiply(const Matrix3d& a, const Matrix3d& b);
[[nodiscard]] Matrix3d Transpose(const Matrix3d& a);
[[nodiscard]] Matrix3d Add(const Matrix3d& a, const Matrix3d& b);
[[nodiscard]] Matrix3d Subtract(const Matrix3d& a, const Matrix3d& b);
[[nodiscard]] Matrix3d Scale(const Matrix3d& a, double s);
// u v^T
[[nodiscard]] Matrix3d Outer(const Vector3d& u, const Vector3d& v);

// Cofactor matrix: det(a) * a^-T when a is invertible. Its columns are the
// cross products of pairs of a's columns, so it is also defined (and carries
// the null spaces) when a is singular.
[[nodiscard]] Matrix3d Cofactors(const Matrix3d& a);
[[nodiscard]] double Determinant(const Matrix3d& a);
// Maximum absolute column sum and maximum absolute row sum.
[[nodiscard]] double OneNorm(const Matrix3d& a);
[[nodiscard]] double InfinityNorm(const Matrix3d& a);
[[nodiscard]] bool IsZero(const Matrix3d& a);

// a * v
[[nodiscard]] Vector3d Transform(const Matrix3d& a, const Vector3d& v);
// The rotation closest to the identity that takes unit vector `from` to unit
// vector `to`: about from x to by the angle between them. Opposite vectors
// get a half turn about an axis perpendicular to both.
[[nodiscard]] Matrix3d RotationBetween(const Vector3d& from, const Vector3d& to);

[[nodiscard]] Vector3d Column(const Matrix3d& a, int col);
[[nodiscard]] Vector3d Row(const Matrix3d& a, int row);
void SetColumn(Matrix3d& a, int col, const Vector3d& v);
[[nodiscard]] double Dot(const Vector3d& a, const Vector3d& b);
[[nodiscard]] Vector3d Cross(const Vector3d& a, const Vector3d& b);
[[nodiscard]] Vector3d Negated(const Vector3d& a);
// Zero stays zero.
[[nodiscard]] Vector3d Normalized(const Vector3d& a);

}  // namespace tvx::detail
