// glTF skins as host Skin modifiers.
#pragma once

#include <tiny_gltf.h>

#include "gltf/HostScene.h"

namespace tvx::gltf {

// The skin of a mesh node, checked: it exists and its joints are distinct
// nodes.
const tinygltf::Skin& CheckedSkin(const tinygltf::Model& model, int skin);

// A skin modifier with the skin's joints as bones and `weights` (host
// weight entries), on a derived object over mesh object `mesh`. Returns the
// derived object's id.
int AddSkinnedObject(const tinygltf::Skin& skin, int mesh, const Json& weights, HostScene& scene);

}  // namespace tvx::gltf
