#include "geometry/SymmetricEigen.h"

#include <cmath>

namespace tvx::detail {

namespace {

// Jacobi converges quadratically once the off-diagonal part is small; a 3 x 3
// matrix needs a handful of sweeps, the cap only guards non-finite input.
constexpr int kMaxSweeps = 50;
// Off-diagonal mass, relative to the whole matrix, below which it is noise.
constexpr double kRelativeOffDiagonal = 1e-30;

double OffDiagonalSquared(const Matrix3d& a) { return a(0, 1) * a(0, 1) + a(0, 2) * a(0, 2) + a(1, 2) * a(1, 2); }

double FrobeniusSquared(const Matrix3d& a) {
    double sum = 0.0;
    for (const double v : a.m) {
        sum += v * v;
    }
    return sum;
}

// One plane rotation J in (p, q) with A <- J^T A J chosen to zero A(p, q):
// that needs cot(2 phi) = (A(q,q) - A(p,p)) / (2 A(p,q)), whose smaller root
// t = tan(phi) keeps the rotation under 45 degrees and the update stable.
void AnnihilatePair(Matrix3d& a, Matrix3d& vectors, int p, int q) {
    const double apq = a(p, q);
    if (apq == 0.0) {
        return;
    }
    const double theta = (a(q, q) - a(p, p)) / (2.0 * apq);
    // For huge theta, theta^2 overflows to infinity and t correctly becomes 0.
    const double t = (theta >= 0.0 ? 1.0 : -1.0) / (std::fabs(theta) + std::sqrt(theta * theta + 1.0));
    const double c = 1.0 / std::sqrt(t * t + 1.0);
    const double s = t * c;

    Matrix3d j;
    j(p, p) = c;
    j(q, q) = c;
    j(p, q) = s;
    j(q, p) = -s;
    a = Multiply(Transpose(j), Multiply(a, j));
    // Zero in exact arithmetic; storing the rounding would only slow convergence.
    a(p, q) = 0.0;
    a(q, p) = 0.0;
    vectors = Multiply(vectors, j);
}

}  // namespace

SymmetricEigensystem DiagonalizeSymmetric(const Matrix3d& s) {
    Matrix3d a = s;
    Matrix3d vectors;
    const double limit = kRelativeOffDiagonal * FrobeniusSquared(s);
    for (int sweep = 0; sweep < kMaxSweeps && OffDiagonalSquared(a) > limit; ++sweep) {
        AnnihilatePair(a, vectors, 0, 1);
        AnnihilatePair(a, vectors, 0, 2);
        AnnihilatePair(a, vectors, 1, 2);
    }
    return {{a(0, 0), a(1, 1), a(2, 2)}, vectors};
}

}  // namespace tvx::detail
