// Matrix4 operations. Matrices map column vectors (p' = M * p) with the
// translation in column 3; an affine matrix has row 3 = (0, 0, 0, 1). In a
// product A * B, B is applied first, so a world matrix is parentWorld * local.
//
// Every product returns by value, so `a = MultiplyAffine(a, b)` and
// `b = MultiplyAffine(a, b)` are safe: the result never aliases an input.
#pragma once

#include <optional>

#include "document/MathTypes.h"

namespace tvx {

// Row 3 is not read: the point is treated as (x, y, z, 1) and the result is
// not divided by w.
[[nodiscard]] Vector3 TransformPoint(const Matrix4& m, const Vector3& p);

// Full 4 x 4 product. Each element is summed in single precision in the fixed
// order k = 0..3, so the exported values are the same on every build.
[[nodiscard]] Matrix4 Multiply(const Matrix4& a, const Matrix4& b);

// Product of two affine matrices. Row 3 of both inputs is ignored and the
// result's row 3 is (0, 0, 0, 1), so garbage in a host matrix's last row
// cannot leak into a hierarchy. Used for every parent-child composition.
[[nodiscard]] Matrix4 MultiplyAffine(const Matrix4& a, const Matrix4& b);

// Inverse by cofactors in single precision, or nothing when m has none
// there: a determinant of exactly 0 (a bone scaled to nothing along an
// axis), or one so small or so large that the result is not finite.
[[nodiscard]] std::optional<Matrix4> InverseIfAny(const Matrix4& m);

// InverseIfAny, or the identity instead of an error: callers use the inverse
// to re-express transforms, and identity is the harmless fallback there,
// where the cofactors would spread infinities and NaN into everything the
// inverse touches.
[[nodiscard]] Matrix4 Inverse(const Matrix4& m);

// Rotation matrix of a unit quaternion; the quaternion is not normalised, so a
// non-unit input also scales. Column 3 and row 3 are those of the identity.
[[nodiscard]] Matrix4 RotationMatrix(const Quaternion& q);

// The rotation matrix of q with t in column 3: a placement without scale.
[[nodiscard]] Matrix4 RotationTranslationMatrix(const Quaternion& q, const Vector3& t);

// diag(s.x, s.y, s.z, 1).
[[nodiscard]] Matrix4 ScaleMatrix(const Vector3& s);

}  // namespace tvx
