// Eigen decomposition of a symmetric 3 x 3 matrix, S = V diag(values) V^T.
// Internal to the affine decomposition.
#pragma once

#include <array>

#include "geometry/Matrix3d.h"

namespace tvx::detail {

struct SymmetricEigensystem {
    std::array<double, 3> values{};
    // Column i is the eigenvector of values[i]. Always a proper rotation:
    // it is a product of plane rotations, so det = +1 without any fix-up.
    Matrix3d vectors;
};

// Cyclic Jacobi iteration in double precision. Only the upper triangle's
// symmetry is assumed, not checked. Eigenvalues come in no particular order.
[[nodiscard]] SymmetricEigensystem DiagonalizeSymmetric(const Matrix3d& s);

}  // namespace tvx::detail
