// The host's key controllers as one glTF animation.
#pragma once

#include "gltf/GltfScene.h"

namespace tvx::gltf {

// Every node with a key controller gets translation, rotation and scale
// channels (LINEAR) sampled at the times of all its keys, seconds being
// ticks / (ticks per frame x frame rate). Between two such times the host
// runs positions and scales linearly and rotations along the shorter arc,
// as glTF does, so the samples carry the motion exactly. Returns the number
// of samples written; no animation is added when there are none.
int WriteAnimation(GltfScene& scene);

}  // namespace tvx::gltf
