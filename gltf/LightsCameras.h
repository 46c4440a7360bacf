// KHR_lights_punctual lights and perspective cameras as host objects.
//
// Both look down their local -Z in glTF and in the host, so their nodes keep
// glTF's frame (HostAxes.h).
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

// Whether the node becomes a light or a camera in the host. A node that
// also has a mesh is a mesh.
bool IsView(const tinygltf::Model& model, const tinygltf::Node& node);

}  // namespace tvx::gltf
