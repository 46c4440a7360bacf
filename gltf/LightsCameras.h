// KHR_lights_punctual lights and perspective cameras as host objects.
//
// Both look down their local -Z in glTF and in the host. The node's
// transform already has the axis change on both sides, so the object gets
// it once more, as its node's objectOffset (ViewOffsetRows), which puts
// the glTF -Z of the node on the host object's -Z.
#pragma once

#include <optional>

#include <tiny_gltf.h>

#include "gltf/HostScene.h"

namespace tvx::gltf {

// The light object of the node's KHR_lights_punctual extension, if any.
std::optional<Json> LightObject(const tinygltf::Model& model, const tinygltf::Node& node);

// The camera object of a perspective camera; an orthographic one gives none
// and a warning.
std::optional<Json> CameraObject(const tinygltf::Model& model, int camera, HostScene& scene);

Json ViewOffsetRows();

}  // namespace tvx::gltf
