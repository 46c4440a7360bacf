// glTF textures as host bitmap texture maps.
#pragma once

#include <tiny_gltf.h>

#include "gltf/HostScene.h"

namespace tvx::gltf {

// A bitmap texmap for texture `texture` read through TEXCOORD_<texCoord>,
// with KHR_texture_transform and the sampler's wrapping in its uvGen.
// Returns the texmap id.
int AddBitmap(const tinygltf::Model& model, int texture, int texCoord, const tinygltf::ExtensionMap& extensions,
              HostScene& scene);

}  // namespace tvx::gltf
