#include "geometry/AffineDecomposition.h"

#include "geometry/Matrix3d.h"
#include "geometry/PolarDecomposition.h"
#include "geometry/QuaternionOps.h"
#include "geometry/StretchCanonicalForm.h"
#include "geometry/SymmetricEigen.h"

namespace tvx {

namespace {

using detail::Matrix3d;

// S is positive semi-definite, so a negative eigenvalue can only be rounding
// on a collapsed axis; clamping keeps such a factor from reading as a flip.
// NaN is passed through untouched.
float StretchFactor(double value) { return value < 0.0 ? 0.0f : static_cast<float>(value); }

}  // namespace

AffineParts DecomposeAffine(const Matrix4& a) {
    AffineParts parts;
    parts.t = {a(0, 3), a(1, 3), a(2, 3), 0.0f};

    const detail::PolarFactors polar = detail::PolarDecompose(detail::UpperLeft3x3(a));
    Matrix3d rotation = polar.orthogonal;
    // A reflection cannot be a quaternion; move it into f so R is proper.
    if (detail::Determinant(rotation) < 0.0) {
        rotation = detail::Scale(rotation, -1.0);
        parts.f = -1.0f;
    }
    parts.q = QuaternionFromRotation(detail::ToMatrix4(rotation));

    const detail::Stretch stretch = detail::CanonicalStretch(detail::DiagonalizeSymmetric(polar.stretch));
    parts.u = QuaternionFromRotation(detail::ToMatrix4(stretch.rotation));
    parts.k = {StretchFactor(stretch.factors[0]), StretchFactor(stretch.factors[1]), StretchFactor(stretch.factors[2]),
               1.0f};
    return parts;
}

}  // namespace tvx
