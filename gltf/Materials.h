// glTF materials as host materials: one Multi/Sub-Object per mesh node,
// whose sub-materials are Standard materials shared between the nodes that
// use the same glTF material.
#pragma once

#include <map>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/HostScene.h"

namespace tvx::gltf {

class MaterialMaker {
public:
    MaterialMaker(const tinygltf::Model& model, HostScene& scene) : model_(model), scene_(scene) {}

    // A multi material with one sub-material per entry of `gltfMaterials`
    // (-1 for a primitive without a material). Returns its id.
    int MultiFor(const std::vector<int>& gltfMaterials, const std::string& name);

private:
    int StandardFor(int gltfMaterial);
    Json Maps(const tinygltf::Material& m);

    const tinygltf::Model& model_;
    HostScene& scene_;
    std::map<int, int> standards_;
};

}  // namespace tvx::gltf
