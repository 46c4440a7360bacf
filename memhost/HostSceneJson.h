// The stand-in host's state as a host-scene file (docs/host-scene.md): the
// scene a plug-in built, and apart from it the session that built it.
//
// The output is deterministic: keys in a fixed order, everything in
// creation order and referred to by id, floats as the shortest decimal
// that reads back to the same float.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace memhost {

class MemHost;

nlohmann::ordered_json HostSceneJson(const MemHost& host);

// Indented by two spaces, with a final newline.
std::string HostSceneText(const MemHost& host);

}  // namespace memhost
