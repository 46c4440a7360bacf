#include "geometry/PolarDecomposition.h"

#include <cmath>

namespace tvx::detail {

namespace {

// Relative one-norm of the last Newton step at which Q is taken as
// converged; the iteration is quadratic, so Q is then orthogonal to roughly
// the square of this.
constexpr double kConvergenceTolerance = 1e-6;
// Scaled Newton needs under ten steps even for condition numbers near 1e16;
// the cap only guards against non-finite input.
constexpr int kMaxIterations = 100;

int LongestColumn(const Matrix3d& a) {
    int best = 0;
    for (int c = 1; c < 3; ++c) {
        if (Dot(Column(a, c), Column(a, c)) > Dot(Column(a, best), Column(a, best))) {
            best = c;
        }
    }
    return best;
}

int LongestRow(const Matrix3d& a) { return LongestColumn(Transpose(a)); }

// Q <- (gamma Q + Q^-T / gamma) / 2, with Q^-T = cofactors / det and gamma
// the (1, infinity)-norm estimate of 1 / sqrt(sigma_max sigma_min), which
// pulls the largest and smallest singular values together from the first
// step on.
Matrix3d NewtonOrthogonalFactor(Matrix3d q) {
    for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
        const Matrix3d cofactors = Cofactors(q);
        const double det = Dot(Column(q, 0), Column(cofactors, 0));
        if (det == 0.0 || !std::isfinite(det)) {
            break;
        }
        const double qNorm = OneNorm(q);
        const double normRatio = (OneNorm(cofactors) * InfinityNorm(cofactors)) / (qNorm * InfinityNorm(q));
        const double gamma = std::sqrt(std::sqrt(normRatio) / std::fabs(det));
        const Matrix3d next = Scale(Add(Scale(q, gamma), Scale(cofactors, 1.0 / (gamma * det))), 0.5);
        const double change = OneNorm(Subtract(next, q));
        q = next;
        if (change <= kConvergenceTolerance * qNorm) {
            break;
        }
    }
    return q;
}

// For rank 2 the cofactor matrix is lambda a b^T: its columns lie in the left
// null space of m and its rows in the right one. Adding s a b^T fills the
// missing singular value without touching m's range, and by the determinant
// lemma det(m + s a b^T) = s a^T cofactors b, which fixes the sign of s.
Matrix3d CompleteRankTwo(const Matrix3d& m, const Matrix3d& cofactors) {
    const Vector3d left = Normalized(Column(cofactors, LongestColumn(cofactors)));
    const Vector3d right = Normalized(Row(cofactors, LongestRow(cofactors)));
    const double orientation = Dot(left, Transform(cofactors, right));
    // Any magnitude gives the same Q; m's own scale keeps the iteration well
    // conditioned.
    const double magnitude = OneNorm(m);
    return Add(m, Scale(Outer(left, right), orientation >= 0.0 ? magnitude : -magnitude));
}

Matrix3d RankOneRotation(const Matrix3d& m) {
    const Vector3d right = Normalized(Row(m, LongestRow(m)));
    Vector3d left = Normalized(Column(m, LongestColumn(m)));
    // Orient left so that sigma = left^T m right is positive, as S requires.
    if (Dot(left, Transform(m, right)) < 0.0) {
        left = Negated(left);
    }
    return RotationBetween(right, left);
}

Matrix3d OrthogonalFactor(const Matrix3d& m) {
    if (Determinant(m) != 0.0) {
        return NewtonOrthogonalFactor(m);
    }
    const Matrix3d cofactors = Cofactors(m);
    if (!IsZero(cofactors)) {
        return NewtonOrthogonalFactor(CompleteRankTwo(m, cofactors));
    }
    if (!IsZero(m)) {
        return RankOneRotation(m);
    }
    return Matrix3d{};
}

}  // namespace

PolarFactors PolarDecompose(const Matrix3d& m) {
    const Matrix3d q = OrthogonalFactor(m);
    const Matrix3d s = Multiply(Transpose(q), m);
    // Q^T M is symmetric in exact arithmetic; averaging with the transpose
    // removes the rounding so the eigen solver sees a symmetric matrix.
    return {q, Scale(Add(s, Transpose(s)), 0.5)};
}

}  // namespace tvx::detail
