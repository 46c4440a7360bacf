// A host Skin modifier as a glTF skin: its bones as joints, bound where
// they stand at time 0, and each vertex's influences.
#pragma once

#include "gltf/GltfScene.h"
#include "gltf/MeshWrite.h"

namespace tvx::gltf {

// For glTF node meshNode with a Skin modifier over vertexCount vertices:
// adds the skin and returns its index, with each vertex's joints and
// weights in `weights`. -1 (and no weights) for a node without a skin, or
// one whose bones are none of the exported nodes.
int WriteSkin(GltfScene& scene, int meshNode, int vertexCount, VertexWeights& weights);

}  // namespace tvx::gltf
