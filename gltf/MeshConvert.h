// One glTF mesh as one host mesh: its triangle primitives merged, each
// primitive's vertices kept apart so attributes and skin weights stay per
// vertex as the file gives them.
#pragma once

#include <vector>

#include <tiny_gltf.h>

#include "gltf/GltfMath.h"
#include "gltf/HostScene.h"

namespace tvx::gltf {

struct ConvertedMesh {
    Json object;                   // the mesh keys, kind "mesh"
    std::vector<int> slotMaterial;  // glTF material (or -1) of each face material id
    Json skinWeights = Json::array();
    int triangles = 0;
};

// `skin` (or null) turns JOINTS_n into the node ids of its joints. A
// skinned mesh's vertices are placed where the skin shows them at time 0,
// in world space (`worldAtTimeZero` holds every node's world transform
// then): the host's mesh is what a viewer shows, and its skin binds there.
ConvertedMesh ConvertMesh(const tinygltf::Model& model, int meshIndex, const tinygltf::Skin* skin,
                          const std::vector<Mat4>& worldAtTimeZero, HostScene& scene);

}  // namespace tvx::gltf
