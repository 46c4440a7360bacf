// Decomposition of an affine matrix into the parts a host animates
// separately: A = T * F * R * (U K U^T), with T a translation, F = f I the
// sign, R the essential rotation, and U K U^T the stretch (scale factors K
// along the axes of rotation U). Shoemake-Duff polar decomposition followed by
// an eigen decomposition of the stretch.
#pragma once

#include "document/MathTypes.h"

namespace tvx {

struct AffineParts {
    struct Vector4 {
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
        float w = 0.0f;

        constexpr bool operator==(const Vector4&) const = default;
    };

    Vector4 t;                          // translation; w = 0 (a displacement, not a point)
    Quaternion q;                       // essential rotation R
    Quaternion u;                       // stretch rotation U
    Vector4 k{1.0f, 1.0f, 1.0f, 1.0f};  // stretch factors K; w = 1, K's homogeneous entry
    float f = 1.0f;                     // +1, or -1 when A reflects (det < 0)

    constexpr bool operator==(const AffineParts&) const = default;
};

// Row 3 of a is ignored (taken as 0, 0, 0, 1). Never fails: a singular upper
// 3 x 3 part still gives a proper rotation q with f = +1 and zero stretch
// factors on the collapsed axes, and for finite input the parts always
// recompose to a.
// u is brought to a canonical form (see StretchCanonicalForm.h), so which of
// the equivalent stretch rotations comes out does not depend on the order in
// which the eigen solver happened to find the axes.
// Computed in double precision internally; only the outputs are rounded.
[[nodiscard]] AffineParts DecomposeAffine(const Matrix4& a);

}  // namespace tvx
