// Host lights as KHR_lights_punctual lights and host cameras as glTF
// perspective cameras.
#pragma once

#include "gltf/GltfScene.h"

namespace tvx::gltf {

// Whether the node shows a light or a camera (its frame is kept as it is).
[[nodiscard]] bool ShowsView(memhost::MemNode& node);

// Gives glTF node i its light or camera, if its object is one.
void WriteView(GltfScene& scene, int i);

// The aspect ratio a host camera's horizontal field of view is converted
// at: the host's default render size, 640 x 480.
inline constexpr double kCameraAspectRatio = 4.0 / 3.0;

}  // namespace tvx::gltf
