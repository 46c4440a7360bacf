#include "geometry/StretchCanonicalForm.h"

#include <algorithm>
#include <cmath>

namespace tvx::detail {

namespace {

using Factors = std::array<double, 3>;

constexpr std::array<std::array<int, 3>, 6> kPermutations{{
    {0, 1, 2}, {1, 2, 0}, {2, 0, 1},  // even
    {0, 2, 1}, {2, 1, 0}, {1, 0, 2},  // odd
}};

double At(const Factors& f, int i) { return f[static_cast<std::size_t>(i)]; }

// Column c of U' is signs[c] times column perm[c] of U, so U' = U P with P
// the signed permutation. det P = parity(perm) * product(signs) must be +1.
struct SignedPermutation {
    std::array<int, 3> perm;
    std::array<double, 3> signs;
};

Stretch Apply(const SymmetricEigensystem& eigen, const SignedPermutation& p) {
    Stretch result;
    for (std::size_t c = 0; c < 3; ++c) {
        const Vector3d column = Column(eigen.vectors, p.perm[c]);
        SetColumn(result.rotation, static_cast<int>(c), p.signs[c] > 0.0 ? column : Negated(column));
        result.factors[c] = At(eigen.values, p.perm[c]);
    }
    return result;
}

// Maximising the trace of U P maximises |w| of its quaternion, since
// 4 w^2 = 1 + trace. The identity is tried first, so exact ties keep U.
Stretch ClosestSignedPermutation(const SymmetricEigensystem& eigen) {
    SignedPermutation best{kPermutations[0], {1.0, 1.0, 1.0}};
    double bestTrace = -4.0;
    for (std::size_t permIndex = 0; permIndex < kPermutations.size(); ++permIndex) {
        const double permParity = permIndex < 3 ? 1.0 : -1.0;
        for (unsigned signBits = 0; signBits < 8U; ++signBits) {
            SignedPermutation candidate{kPermutations[permIndex], {}};
            double trace = 0.0;
            for (std::size_t c = 0; c < 3; ++c) {
                candidate.signs[c] = (signBits >> c) & 1U ? -1.0 : 1.0;
                trace += candidate.signs[c] * eigen.vectors(static_cast<int>(c), candidate.perm[c]);
            }
            const double det = permParity * candidate.signs[0] * candidate.signs[1] * candidate.signs[2];
            if (det > 0.0 && trace > bestTrace) {
                best = candidate;
                bestTrace = trace;
            }
        }
    }
    return Apply(eigen, best);
}

Stretch AboutDistinctAxis(const SymmetricEigensystem& eigen, int distinct) {
    const Vector3d e = Column(eigen.vectors, distinct);
    const std::array<double, 3> components{e.x, e.y, e.z};
    int axis = 0;
    for (int i = 1; i < 3; ++i) {
        if (std::fabs(At(components, i)) > std::fabs(At(components, axis))) {
            axis = i;
        }
    }
    Vector3d from;
    const double one = At(components, axis) < 0.0 ? -1.0 : 1.0;
    if (axis == 0) {
        from.x = one;
    } else if (axis == 1) {
        from.y = one;
    } else {
        from.z = one;
    }

    double repeatedSum = 0.0;
    for (int i = 0; i < 3; ++i) {
        repeatedSum += i == distinct ? 0.0 : At(eigen.values, i);
    }
    Stretch result;
    result.rotation = RotationBetween(from, e);
    result.factors.fill(0.5 * repeatedSum);
    result.factors[static_cast<std::size_t>(axis)] = At(eigen.values, distinct);
    return result;
}

Stretch Uniform(const SymmetricEigensystem& eigen) {
    const double mean = (eigen.values[0] + eigen.values[1] + eigen.values[2]) / 3.0;
    return {Matrix3d{}, {mean, mean, mean}};
}

}  // namespace

Stretch CanonicalStretch(const SymmetricEigensystem& eigen) {
    const Factors& k = eigen.values;
    const double largest = std::max({std::fabs(k[0]), std::fabs(k[1]), std::fabs(k[2])});
    const double tolerance = kEqualStretchTolerance * largest;
    const bool equal12 = std::fabs(k[1] - k[2]) <= tolerance;
    const bool equal02 = std::fabs(k[0] - k[2]) <= tolerance;
    const bool equal01 = std::fabs(k[0] - k[1]) <= tolerance;

    // Two equal pairs make all three equal within twice the tolerance.
    const int equalPairs = (equal12 ? 1 : 0) + (equal02 ? 1 : 0) + (equal01 ? 1 : 0);
    if (equalPairs >= 2) {
        return Uniform(eigen);
    }
    if (equal12) {
        return AboutDistinctAxis(eigen, 0);
    }
    if (equal02) {
        return AboutDistinctAxis(eigen, 1);
    }
    if (equal01) {
        return AboutDistinctAxis(eigen, 2);
    }
    return ClosestSignedPermutation(eigen);
}

}  // namespace tvx::detail
