// What a scene of the stand-in host shows at a time, worked out from the
// host's own records (node controllers, meshes, the Skin modifier's
// weights), as 3ds Max would show it: a skinned vertex follows its bones
// from where they stood at time 0, where the skin was bound, with the
// weights of its registered bones normalised.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "memhost/MemHost.h"
#include "tests/world/WorldScene.h"

namespace tvx::world {

// A host-scene file read into a fresh host; null and a message when it
// cannot be read.
std::unique_ptr<memhost::MemHost> ReadHostSceneFile(const std::filesystem::path& file, std::string& error);

// At t seconds on the host's clock (its frame rate and ticks per frame), in
// the host's axes (Z up).
WorldScene HostWorldAt(memhost::MemHost& host, double seconds);

// The same scene in glTF's axes (Y up): points C p, node transforms
// C W C^-1, views C W (a view keeps its own frame; see gltf/GltfMath.h).
WorldScene InGltfAxes(const WorldScene& host);

}  // namespace tvx::world
