// The passage of glTF transforms into the host's.
//
// glTF is Y-up with column vectors; the host is Z-up with row vectors (its
// four rows are the images of the axes and the origin). A = C^-1 (see
// GltfMath.h) sends a glTF point (x, y, z) to the host's (x, -z, y).
//
// An ordinary node's glTF world transform G becomes A G A^-1 in the host.
// A light or a camera looks down its own -z with +y up in both, so its frame
// is kept and only the axes of the space around it change: A G. With F = A
// for an ordinary node and the identity for a view, a node's host local
// transform is F(parent) L F^-1, L its glTF local one; a root's parent
// counts as ordinary. The same holds key by key: translation F(parent) t,
// rotation F(parent) R F^-1, scale F S F^-1 (a scale whose axes F
// permutes).
#pragma once

#include <nlohmann/json.hpp>

#include "gltf/GltfMath.h"

namespace tvx::gltf {

// Whether a node and its parent keep glTF's frame (lights and cameras).
struct Frames {
    bool parentIsView = false;
    bool isView = false;
};

Vec3d HostPoint(const Vec3d& p);

// A glTF local transform as the host's.
Mat4 HostLocal(const Mat4& local, Frames frames);
// A transform already in the host's axes, as its four rows.
nlohmann::ordered_json HostRows(const Mat4& host);

Vec3 HostTranslation(const Vec3& t, Frames frames);
// Host quaternions turn the other way (hostapi/Quat.h), so the turn in the
// host's axes is conjugated.
Quat HostRotation(const Quat& q, Frames frames);
Vec3 HostScale(const Vec3& s, Frames frames);

// The largest magnitude read, as the exporter takes it: far beyond any
// scene, while a value near the float's end overflows once scaled.
inline constexpr double kLargestHostNumber = 1.0e30;

// A number for the host-scene file, refused with `what` named when it is
// not finite or is beyond kLargestHostNumber.
double HostNumber(double v, const char* what);

}  // namespace tvx::gltf
