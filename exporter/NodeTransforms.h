// Reading host node transforms into the document's terms.
#pragma once

#include "document/MathTypes.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Nodes.h"
#include "hostbridge/HostMatrices.h"

namespace tvx::exporter {

using hostbridge::ToDocumentMatrix;

// Every element whose magnitude is below 0.0001 becomes exactly 0, so the
// rounding noise of the host's evaluation does not reach the file.
[[nodiscard]] hostapi::Matrix3 WithoutNearZeros(const hostapi::Matrix3& m);

// The node's transform relative to `parent` at t: its world transform times
// the inverse of the parent's (the world transform without a parent).
[[nodiscard]] hostapi::Matrix3 LocalTransformAt(hostapi::INode& node, hostapi::INode* parent, hostapi::TimeValue t);

// A placement as a bone or view keeps it: translation, rotation and scale
// (negated when the transform mirrors).
struct Placement {
    Vector3 position{};
    Quaternion rotation{};
    Vector3 scale{1.0f, 1.0f, 1.0f};
};
[[nodiscard]] Placement DecomposePlacement(const hostapi::Matrix3& host);

}  // namespace tvx::exporter
