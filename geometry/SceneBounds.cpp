#include "geometry/SceneBounds.h"

#include <algorithm>
#include <limits>

#include "geometry/BoneHierarchy.h"
#include "geometry/Vector.h"

namespace tvx {

SceneBounds ComputeSceneBounds(const TVXScene& scene) {
    SceneBounds bounds;
    if (scene.vertices.empty()) {
        return bounds;
    }
    constexpr float kLargest = std::numeric_limits<float>::max();
    Vector3 lo{kLargest, kLargest, kLargest};
    Vector3 hi{-kLargest, -kLargest, -kLargest};
    for (const TVXVertex& vertex : scene.vertices) {
        const Vector3& p = vertex.position;
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    bounds.minimum = lo;
    bounds.maximum = hi;
    bounds.centre = (lo + hi) * 0.5f;
    bounds.size = hi - lo;
    return bounds;
}

void CenterOnBounds(TVXScene& scene, int toFloor, int toCentre) {
    if ((toFloor == 0 && toCentre == 0) || scene.vertices.empty()) {
        return;
    }
    const SceneBounds bounds = ComputeSceneBounds(scene);
    const float lift = bounds.size.y * 0.5f;
    const auto move = [&](Vector3& p) {
        p = p - bounds.centre;
        if (toFloor != 0) {
            p.y += lift;
        }
    };

    const int boneCount = Count(scene.bones);
    for (int i = 0; i < boneCount; ++i) {
        TVXBone& bone = scene.bones[static_cast<std::size_t>(i)];
        if (LinkToParent(bone.parentIndex, i, boneCount) == ParentLink::Root) {
            move(bone.transform.position);
        }
    }
    for (TVXVertex& vertex : scene.vertices) {
        move(vertex.position);
    }
    for (TVXLight& light : scene.lights) {
        move(light.transform.position);
    }
    for (TVXCamera& camera : scene.cameras) {
        move(camera.transform.position);
    }
}

}  // namespace tvx
