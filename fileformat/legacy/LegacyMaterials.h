// The material section of a legacy body, maps included.
#pragma once

#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

// The fill pass makes the scene folder the current directory first: stored
// texture names without a folder are looked for there.
[[nodiscard]] bool ReadLegacyMaterials(LegacyPass& pass);

}  // namespace tvx
