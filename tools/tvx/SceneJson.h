// The scene document as JSON, for people to read and for tools to diff.
// The format is described in docs/dump-format.md.
#pragma once

#include <nlohmann/json.hpp>

#include "document/TVXScene.h"
#include "geometry/PoseTables.h"
#include "memhost/JsonFloat.h"

namespace tvx::tool {

// Floats as in every JSON file of the project.
using ::memhost::FloatJson;

nlohmann::ordered_json SceneJson(const TVXScene& scene);

// {"status": N, "message": TEXT, "scene": {...}}, the scene only for status 1.
nlohmann::ordered_json LoadResultJson(int status, const TVXScene& scene);

// The same for a scene after the importer's post-load processing: each bone
// also shows its localMatrix and worldMatrix, and "bonePoses" and
// "posedVertices" follow "scene".
nlohmann::ordered_json ProcessedLoadResultJson(int status, const TVXScene& scene, const PoseTables& poses);

}  // namespace tvx::tool
