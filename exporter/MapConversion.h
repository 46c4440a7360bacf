// The texture maps of a host standard material as document maps: diffuse,
// opacity, bump and specular, each from its host map slot when that slot
// holds a texture the file can carry.
#pragma once

#include <string_view>

#include "document/MaterialRecords.h"
#include "hostapi/Materials.h"

namespace tvx::exporter {

// Gives `material` one map slot per key whose host slot holds such a
// texture, filled in key order; without any, the material keeps no slot
// table. 0 when memory runs out.
[[nodiscard]] int ConvertMaps(hostapi::StdMat& source, TVXMaterial& material);

// The file name and extension of a host path: a drive ("C:") and every
// folder before the last '\' or '/' are dropped.
[[nodiscard]] std::string_view FileNameWithoutFolders(std::string_view path);

}  // namespace tvx::exporter
