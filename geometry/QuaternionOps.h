// Quaternion algebra. Quaternions are (x, y, z, w) with (x, y, z) the vector
// part. Rotations are expected to be unit length, but nothing here normalises:
// the values written to a scene file must be exactly the ones computed.
#pragma once

#include "document/MathTypes.h"

namespace tvx {

// Hamilton product. As rotations, Multiply(a, b) applies b first, matching
// RotationMatrix(Multiply(a, b)) == Multiply(RotationMatrix(a), RotationMatrix(b)).
[[nodiscard]] Quaternion Multiply(const Quaternion& a, const Quaternion& b);

// Conjugate divided by the squared norm, so it also inverts non-unit
// quaternions. The zero quaternion has no inverse and is returned unchanged.
[[nodiscard]] Quaternion Inverse(const Quaternion& q);

// Spherical interpolation in single precision; the result is not normalised.
// q is negated when that brings it nearer p, so the path is the shorter arc
// and finite unit inputs are never opposite afterwards. The opposite branch
// (interpolating through a quaternion perpendicular to p) is reached only when
// the dot product overflows or is NaN; it returns a defined value there
// instead of dividing by sin(pi).
[[nodiscard]] Quaternion Slerp(const Quaternion& p, const Quaternion& q, float t);

// Quaternion of the rotation in rows and columns 0..2 of m. Picks the largest
// of w, x, y, z to divide by, so it stays accurate near 180 degrees. The sign
// of the result is whatever that branch produces; q and -q are the same
// rotation.
[[nodiscard]] Quaternion QuaternionFromRotation(const Matrix4& m);

}  // namespace tvx
