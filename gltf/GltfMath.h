// Transforms between the host's space and glTF's.
//
// The host is Z-up with row-vector matrices (p' = p * M); glTF is Y-up with
// column-vector matrices stored column by column. A point (x, y, z) of the
// host is (x, z, -y) in glTF: the axis change C. A node's world transform W
// becomes C W C^-1, so no extra root node is needed. A view (light or
// camera) looks down its own -z in both, with +y up, so its frame must not
// be changed back: its world transform becomes C W. With E = C^-1 for an
// ordinary node and the identity for a view, a node's glTF world transform
// is C W E and its local one E(parent)^-1 L E, L its host local transform.
#pragma once

#include <array>

#include "hostapi/HostTypes.h"
#include "hostapi/Quat.h"

namespace tvx::gltf {

// Column-vector 4 x 4, element (r, c) at index 4c + r, as glTF stores it.
struct Mat4 {
    std::array<double, 16> m{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    double& at(int r, int c) { return m[static_cast<std::size_t>(4 * c + r)]; }
    double at(int r, int c) const { return m[static_cast<std::size_t>(4 * c + r)]; }
};

struct Vec3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

// The parts of a TRS transform, as glTF stores them.
using Vec3 = std::array<double, 3>;
using Quat = std::array<double, 4>;  // x, y, z, w: the textbook form

// A transform as glTF's translation, rotation and scale. exact is false
// when the matrix it came from has shear that TRS cannot hold.
struct TRS {
    Vec3 translation{};
    Quat rotation{0, 0, 0, 1};
    Vec3 scale{1, 1, 1};
    bool exact = true;
};

// The host matrix in column-vector form, in the host's axes.
[[nodiscard]] Mat4 FromHost(const hostapi::Matrix3& m);
[[nodiscard]] Mat4 Multiply(const Mat4& a, const Mat4& b);
// The inverse of an affine matrix; a singular one gives the identity.
[[nodiscard]] Mat4 InverseAffine(const Mat4& m);
[[nodiscard]] Vec3d TransformPoint(const Mat4& m, const Vec3d& p);
[[nodiscard]] Vec3d TransformDirection(const Mat4& m, const Vec3d& d);
// A normal of a surface m carries: by the inverse transpose of its 3 x 3
// part, which keeps it square to a scaled surface; not made unit.
[[nodiscard]] Vec3d TransformNormal(const Mat4& m, const Vec3d& n);

[[nodiscard]] double Dot(const Vec3d& a, const Vec3d& b);
[[nodiscard]] Vec3d Cross(const Vec3d& a, const Vec3d& b);
// b - a.
[[nodiscard]] Vec3d Towards(const Vec3d& a, const Vec3d& b);

// C, and C^-1 (the reader's passage from glTF's axes into the host's).
[[nodiscard]] Mat4 AxisChange();
[[nodiscard]] Mat4 AxisChangeBack();
// A host point in glTF's axes.
[[nodiscard]] Vec3d ToGltfAxes(const hostapi::Point3& p);

[[nodiscard]] TRS Decompose(const Mat4& m);
// T * R * S; the rotation is normalised first, and one of no length (or not
// finite) counts as none.
[[nodiscard]] Mat4 TrsMatrix(const TRS& trs);
// a * b in the textbook (Hamilton) form: b's turn, then a's.
[[nodiscard]] Quat QuatProduct(const Quat& a, const Quat& b);

}  // namespace tvx::gltf
