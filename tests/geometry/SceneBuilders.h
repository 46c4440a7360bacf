// Small scenes built in memory for the whole-scene geometry tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "document/TVXScene.h"

namespace tvx::testing {

inline TVXBone& AddBone(TVXScene& scene, int parent, Vector3 position, Quaternion rotation = {},
                        Vector3 scale = {1.0f, 1.0f, 1.0f}) {
    TVXBone& bone = scene.bones.emplace_back();
    bone.parentIndex = parent;
    bone.transform.position = position;
    bone.transform.rotation = rotation;
    bone.transform.scale = scale;
    return bone;
}

inline TVXVertex& AddVertex(TVXScene& scene, Vector3 position, std::initializer_list<TVXBoneWeight> weights = {}) {
    TVXVertex& vertex = scene.vertices.emplace_back();
    vertex.position = position;
    vertex.weights = weights;
    return vertex;
}

// A polygon on the given corners; second indices are the corners + 100, UV
// channel c's indices the corners + 1000 (c + 1) and their second indices
// those + 1.
inline TVXPolygon& AddPolygon(TVXFaceList& list, std::initializer_list<int> corners, int uvChannels = 2,
                              int material = 0) {
    TVXPolygon& polygon = list.polygons.emplace_back();
    EXPECT_EQ(polygon.AllocArrays(static_cast<int>(corners.size()), uvChannels, -1), 1);
    polygon.groupIndex = 0;
    polygon.materialIndex = material;
    polygon.smoothing = 3;
    int k = 0;
    for (int corner : corners) {
        const auto at = static_cast<std::size_t>(k++);
        polygon.vertexIndices()[at] = corner;
        polygon.secondIndices()[at] = corner + 100;
        for (int c = 0; c < uvChannels; ++c) {
            polygon.uvIndices(c)[at] = corner + 1000 * (c + 1);
            polygon.uvSecondIndices(c)[at] = corner + 1000 * (c + 1) + 1;
        }
    }
    return polygon;
}

inline TVXString Name(std::string_view utf8) { return TVXString::FromUtf8(utf8); }

}  // namespace tvx::testing
