#include "geometry/SwapUpAxis.h"

#include <optional>

#include "geometry/AffineDecomposition.h"
#include "geometry/BoneHierarchy.h"
#include "geometry/BoneMatrices.h"
#include "geometry/Matrix.h"

namespace tvx {
namespace {

void SwapBones(std::vector<TVXBone>& bones, int direction) {
    const int count = Count(bones);
    for (TVXBone& bone : bones) {
        bone.worldMatrix = SwapMatrix(bone.worldMatrix, direction);
    }
    for (int i = 0; i < count; ++i) {
        TVXBone& bone = bones[static_cast<std::size_t>(i)];
        const int parent = bone.parentIndex;
        if (LinkToParent(parent, i, count) == ParentLink::Root) {
            bone.localMatrix = bone.worldMatrix;
            continue;
        }
        // The swap turns the parent as it turns the child, so the local
        // matrix it gives back is the one the bone has. A parent scaled to
        // nothing has no inverse to find it again with, and the identity in
        // its place would make the bone's world its local.
        if (const std::optional<Matrix4> parentInverse =
                InverseIfAny(bones[static_cast<std::size_t>(parent)].worldMatrix)) {
            bone.localMatrix = Multiply(*parentInverse, bone.worldMatrix);
        }
    }
    for (TVXBone& bone : bones) {
        const AffineParts parts = DecomposeAffine(bone.localMatrix);
        const float sign = parts.f < 0.0f ? parts.f : 1.0f;
        bone.transform.position = {parts.t.x, parts.t.y, parts.t.z};
        bone.transform.scale = {parts.k.x * sign, parts.k.y * sign, parts.k.z * sign};
        bone.transform.rotation = parts.q;
    }
}

// Both directions move y into z and z into y; they differ in which one is
// negated.
float SignOfNewY(int direction) { return direction == kYUpToZUp ? -1.0f : 1.0f; }

}  // namespace

Vector3 SwapPoint(const Vector3& p, int direction) {
    const float s = SignOfNewY(direction);
    return {p.x, s * p.z, -s * p.y};
}

Matrix4 SwapMatrix(const Matrix4& m, int direction) {
    const float s = SignOfNewY(direction);
    Matrix4 swapped = m;
    for (int c = 0; c < 4; ++c) {
        swapped(1, c) = s * m(2, c);
        swapped(2, c) = -s * m(1, c);
    }
    return swapped;
}

void SwapUpAxis(TVXScene& scene, int direction) {
    if (!scene.bones.empty()) {
        ComputeBoneMatrices(scene, 1);
        SwapBones(scene.bones, direction);
    }
    for (TVXVertex& vertex : scene.vertices) {
        vertex.position = SwapPoint(vertex.position, direction);
        vertex.normal = SwapPoint(vertex.normal, direction);
    }
    for (TVXLight& light : scene.lights) {
        light.transform.position = SwapPoint(light.transform.position, direction);
        light.transform.matrix = SwapMatrix(light.transform.matrix, direction);
    }
    for (TVXCamera& camera : scene.cameras) {
        camera.transform.position = SwapPoint(camera.transform.position, direction);
        camera.transform.matrix = SwapMatrix(camera.transform.matrix, direction);
    }
}

}  // namespace tvx
