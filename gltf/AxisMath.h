// Matrices in glTF's own form (column vectors, column-major, Y up) and their
// passage into the host's (row vectors, rows 0..2 the images of the axes,
// Z up). The axis change A sends (x, y, z) to (x, -z, y).
#pragma once

#include <array>

#include <nlohmann/json.hpp>

namespace tvx::gltf {

using Vec3 = std::array<double, 3>;
using Quat = std::array<double, 4>;  // x, y, z, w: glTF's (textbook) form
using Mat4 = std::array<double, 16>;  // column-major, as glTF stores it

Mat4 IdentityMatrix();
Mat4 Multiply(const Mat4& a, const Mat4& b);  // a after b, for column vectors
Mat4 TrsMatrix(const Vec3& t, const Quat& r, const Vec3& s);
// Affine inverse; a singular matrix gives the identity.
Mat4 AffineInverse(const Mat4& m);
Vec3 TransformPoint(const Mat4& m, const Vec3& p);

Vec3 HostPoint(const Vec3& p);
// The glTF scale along its own axes, as a scale along the host's axes.
Vec3 HostScale(const Vec3& s);
// The host quaternion of a glTF rotation: axis changed, then conjugated,
// since host quaternions turn the other way (hostapi/Quat.h).
Quat HostQuat(const Quat& q);
// A * m * inverse(A), written as the host's four rows.
nlohmann::ordered_json HostRows(const Mat4& m);

// A number for the host-scene file. The file holds single-precision floats
// only, so a value that is not finite there is refused with `what` named.
double HostNumber(double v, const char* what);

}  // namespace tvx::gltf
