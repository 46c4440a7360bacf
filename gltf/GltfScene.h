// What the parts of a glTF export share: the model being filled, its
// buffer, which host node became which glTF node, and how each node's
// frame is carried over (see GltfMath.h).
#pragma once

#include <map>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/GltfBuffer.h"
#include "gltf/GltfMath.h"
#include "memhost/MemHost.h"
#include "memhost/MemNode.h"

namespace tvx::gltf {

struct GltfScene {
    GltfScene(memhost::MemHost& h, tinygltf::Model& m) : host(h), model(m), buffer(m) {}

    memhost::MemHost& host;
    tinygltf::Model& model;
    GltfBuffer buffer;
    // The host nodes exported, in host order; entry i is glTF node i.
    std::vector<memhost::MemNode*> nodes;
    std::map<const memhost::MemNode*, int> indexOf;
    // Nodes whose object is a light or a camera keep their frame (E = I).
    std::vector<bool> isView;
    // The nearest exported ancestor, -1 for a root.
    std::vector<int> parentOf;
    std::vector<std::string> warnings;

    int IndexOf(const memhost::MemNode* node) const {
        const auto found = indexOf.find(node);
        return found != indexOf.end() ? found->second : -1;
    }

    // Node i's glTF world transform at host time t; a view's is its
    // object's, which is what it looks through.
    [[nodiscard]] Mat4 WorldAt(int i, hostapi::TimeValue t) const;
    // Node i's glTF local transform at host time t.
    [[nodiscard]] Mat4 LocalAt(int i, hostapi::TimeValue t) const;

    void Warn(std::string text);
};

}  // namespace tvx::gltf
