#include "document/DerivedTables.h"

#include <algorithm>
#include <new>

#include "document/ArrayAllocation.h"

namespace tvx {
namespace {

bool InRange(int index, int count) { return index >= 0 && index < count; }

// Polygons of one face list per material index; other indices are dropped.
std::vector<int> PolygonsPerMaterial(const TVXFaceList& faceList, int materialCount) {
    std::vector<int> perMaterial(static_cast<std::size_t>(materialCount), 0);
    for (const TVXPolygon& polygon : faceList.polygons) {
        if (InRange(polygon.materialIndex, materialCount)) {
            ++perMaterial[static_cast<std::size_t>(polygon.materialIndex)];
        }
    }
    return perMaterial;
}

std::vector<TVXGroupMaterial> MaterialTableFor(const TVXFaceList& faceList, int materialCount) {
    const std::vector<int> perMaterial = PolygonsPerMaterial(faceList, materialCount);
    std::vector<TVXGroupMaterial> table;
    for (int m = 0; m < materialCount; ++m) {
        if (const int polygons = perMaterial[static_cast<std::size_t>(m)]; polygons > 0) {
            table.push_back({m, polygons});
        }
    }
    return table;
}

}  // namespace

int BuildGroupMaterialTables(TVXScene& scene) {
    if (scene.faceLists.empty() || scene.groups.empty() || scene.materials.empty()) {
        return 0;
    }
    for (TVXGroup& group : scene.groups) {
        detail::ReleaseArray(group.materialTable);
    }
    // Face list g belongs to group g; face lists beyond the groups count for
    // nothing.
    const int materialCount = Count(scene.materials);
    const std::size_t paired = std::min(scene.groups.size(), scene.faceLists.size());
    try {
        for (std::size_t g = 0; g < paired; ++g) {
            scene.groups[g].materialTable = MaterialTableFor(scene.faceLists[g], materialCount);
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return 1;
}

void ComputeMaterialPolygonCounts(TVXScene& scene) {
    if (scene.materials.empty() || scene.faceLists.empty()) {
        return;
    }
    const int materialCount = Count(scene.materials);
    for (TVXMaterial& material : scene.materials) {
        material.polygonCount = 0;
    }
    for (const TVXFaceList& faceList : scene.faceLists) {
        for (const TVXPolygon& polygon : faceList.polygons) {
            if (InRange(polygon.materialIndex, materialCount)) {
                ++scene.materials[static_cast<std::size_t>(polygon.materialIndex)].polygonCount;
            }
        }
    }
}

void ComputeBoneWeightCounts(TVXScene& scene) {
    if (scene.bones.empty() || scene.vertices.empty()) {
        return;
    }
    const int boneCount = Count(scene.bones);
    for (TVXBone& bone : scene.bones) {
        bone.weightedVertexCount = 0;
    }
    for (const TVXVertex& vertex : scene.vertices) {
        for (const TVXBoneWeight& weight : vertex.weights) {
            if (InRange(weight.boneIndex, boneCount)) {
                ++scene.bones[static_cast<std::size_t>(weight.boneIndex)].weightedVertexCount;
            }
        }
    }
}

}  // namespace tvx
