#include "exporter/NodeTransforms.h"

#include <cmath>

#include "exporter/ExportRefusal.h"
#include "geometry/AffineDecomposition.h"
#include "geometry/Matrix.h"

namespace tvx::exporter {
namespace {

using hostbridge::ToHostMatrix;

constexpr float kNearZero = 0.0001f;

float Clean(float v) { return std::fabs(v) < kNearZero ? 0.0f : v; }

}  // namespace

hostapi::Matrix3 WithoutNearZeros(const hostapi::Matrix3& m) {
    hostapi::Matrix3 cleaned;
    for (int r = 0; r < 4; ++r) {
        const hostapi::Point3 row = m.GetRow(r);
        cleaned.SetRow(r, {Clean(row.x), Clean(row.y), Clean(row.z)});
    }
    return cleaned;
}

hostapi::Matrix3 LocalTransformAt(hostapi::INode& node, hostapi::INode* parent, hostapi::TimeValue t) {
    const Matrix4 world = ToDocumentMatrix(CheckedNodeTM(node, t));
    if (parent == nullptr) {
        return ToHostMatrix(world);
    }
    // Row vectors: local = world x inverse(parent); in column form
    // inverse(parent) x world.
    return ToHostMatrix(Multiply(Inverse(ToDocumentMatrix(CheckedNodeTM(*parent, t))), world));
}

Placement DecomposePlacement(const hostapi::Matrix3& host) {
    const AffineParts parts = DecomposeAffine(ToDocumentMatrix(host));
    const float sign = parts.f < 0.0f ? parts.f : 1.0f;
    return {{parts.t.x, parts.t.y, parts.t.z}, parts.q, {parts.k.x * sign, parts.k.y * sign, parts.k.z * sign}};
}

}  // namespace tvx::exporter
