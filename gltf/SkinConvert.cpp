#include "gltf/SkinConvert.h"

#include <set>
#include <string>

#include "gltf/GltfError.h"

namespace tvx::gltf {

const tinygltf::Skin& CheckedSkin(const tinygltf::Model& model, int skin) {
    if (skin < 0 || static_cast<std::size_t>(skin) >= model.skins.size()) {
        throw GltfError("a node names skin " + std::to_string(skin) + ", which does not exist");
    }
    const tinygltf::Skin& s = model.skins[static_cast<std::size_t>(skin)];
    std::set<int> seen;
    for (const int joint : s.joints) {
        if (joint < 0 || static_cast<std::size_t>(joint) >= model.nodes.size()) {
            throw GltfError("skin " + std::to_string(skin) + " names joint node " + std::to_string(joint) +
                            ", which does not exist");
        }
        if (!seen.insert(joint).second) {
            throw GltfError("skin " + std::to_string(skin) + " names node " + std::to_string(joint) + " twice");
        }
    }
    return s;
}

int AddSkinnedObject(const tinygltf::Skin& skin, int mesh, const Json& weights, HostScene& scene) {
    const int modifier = HostScene::Add(scene.modifiers, {{"kind", "skin"}, {"bones", skin.joints}, {"weights", weights}});
    return HostScene::Add(scene.objects, {{"kind", "derived"}, {"base", mesh}, {"modifiers", {modifier}}});
}

}  // namespace tvx::gltf
