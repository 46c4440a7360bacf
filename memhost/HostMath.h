// The stand-in host's own matrix arithmetic, in the host's conventions:
// row vectors (p' = p * M), rows 0..2 the images of the axes, row 3 the
// translation. A product A * B applies A first, so a node's world transform
// is its local transform times its parent's world transform.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/Quat.h"

namespace memhost {

// a * b: a applied first.
hostapi::Matrix3 Multiply(const hostapi::Matrix3& a, const hostapi::Matrix3& b);

// The inverse of an affine matrix, worked in double precision. A singular
// matrix (determinant exactly 0) gives the identity, so a child of a node
// scaled to nothing keeps its world transform as its local one. (The
// layer's own hostapi::Inverse is found too by argument-dependent lookup, so
// calls name this one memhost::Inverse.)
hostapi::Matrix3 Inverse(const hostapi::Matrix3& m);

hostapi::Point3 TransformPoint(const hostapi::Point3& p, const hostapi::Matrix3& m);

// The host's matrix of a Quat (see hostapi/Quat.h for its direction): rows
// are the rotated axes, translation zero.
hostapi::Matrix3 QuatToMatrix(const hostapi::Quat& q);

// Rotations by an angle (radians) about one axis, counter-clockwise when
// looking down the axis towards the origin.
hostapi::Matrix3 RotateXMatrix(float angle);
hostapi::Matrix3 RotateYMatrix(float angle);
hostapi::Matrix3 RotateZMatrix(float angle);

hostapi::Point3 Lerp(const hostapi::Point3& a, const hostapi::Point3& b, double u);

// Spherical interpolation from a (u = 0) to b (u = 1) along the shorter arc.
// Both are normalised first; a zero or non-finite quaternion counts as no
// rotation.
hostapi::Quat Slerp(const hostapi::Quat& a, const hostapi::Quat& b, double u);

// The matrix of a ScaleValue: scale s along the axes that q rotates, that
// is inverse(QuatToMatrix(q)) * diag(s) * QuatToMatrix(q).
hostapi::Matrix3 ScaleValueMatrix(const hostapi::ScaleValue& v);

// The 3 x 3 part of m split as diag(scale) * rotation: the rows' lengths and
// their directions made orthonormal (x first, then y, z completing a right-
// handed frame). A mirrored matrix gets a negative z scale. Shear is lost.
struct ScaleRotation {
    hostapi::Point3 scale{1.0f, 1.0f, 1.0f};
    hostapi::Matrix3 rotation;
};
ScaleRotation SplitScaleRotation(const hostapi::Matrix3& m);

// Every element within tolerance.
bool NearlyEqual(const hostapi::Matrix3& a, const hostapi::Matrix3& b, float tolerance);

}  // namespace memhost
