// Canonical form of the stretch U K U^T. The eigen solver's U is only one of
// many rotations that diagonalise S (axes can be permuted and flipped, and
// repeated factors leave a whole family), so the same matrix could decompose
// differently from run to run. This picks one. Internal to the affine
// decomposition.
#pragma once

#include <array>

#include "geometry/Matrix3d.h"
#include "geometry/SymmetricEigen.h"

namespace tvx::detail {

struct Stretch {
    Matrix3d rotation;                // U', a proper rotation
    std::array<double, 3> factors{};  // K', diagonal of U'^T S U'
};

// Factors within this fraction of the largest one count as equal: the float
// input already carries rounding of about 1e-7 relative, and treating nearer
// factors as distinct would let that noise choose the stretch axes.
inline constexpr double kEqualStretchTolerance = 1e-5;

// Rules, all keeping U' K' U'^T = S (up to the tolerance above):
//   - distinct factors: U' = U P over the 24 axis-permuting, sign-flipping
//     rotations P, the one with the largest trace (closest to the identity),
//     and K' = P^T K P;
//   - two equal: only the distinct eigenvector e is fixed. U' is the shortest
//     arc taking the coordinate axis best aligned with +-e onto it, which is
//     the closest-to-identity rotation that leaves one axis on e; the equal
//     pair is replaced by its mean;
//   - all equal: U' = I and every factor is the mean.
[[nodiscard]] Stretch CanonicalStretch(const SymmetricEigensystem& eigen);

}  // namespace tvx::detail
