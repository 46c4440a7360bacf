// Polar decomposition M = Q S of a 3 x 3 matrix: Q orthogonal, S symmetric
// positive semi-definite. Internal to the affine decomposition.
#pragma once

#include "geometry/Matrix3d.h"

namespace tvx::detail {

struct PolarFactors {
    Matrix3d orthogonal;  // Q; det(Q) = -1 when M reflects
    Matrix3d stretch;     // S = Q^T M, symmetrised
};

// Full-rank matrices use the scaled Newton iteration, which converges to the
// unique Q. For singular M, Q is not unique (any sign, or twist, on the null
// space gives the same S); the completion picks a proper rotation:
//   rank 2: m + s a b^T, with a and b the left and right null vectors taken
//           from the rank-one cofactor matrix and the sign of s chosen so the
//           completed matrix has a positive determinant; its polar factor is
//           Q on m's range and maps b to a.
//   rank 1: m = sigma u v^T; Q is the shortest-arc rotation taking v to u,
//           the rotation closest to the identity among all valid ones.
//   zero:   Q = I.
[[nodiscard]] PolarFactors PolarDecompose(const Matrix3d& m);

}  // namespace tvx::detail
