// The document's materials as one host multi-material on the mesh node:
// sub-material i a standard material from material i, with up to four
// bitmap maps (diffuse, opacity, bump, specular) found in the scene's folder,
// and a layered diffuse map as an RGB multiply of two bitmaps.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

// 0 when the node is null, else 1. Does nothing without materials.
int BuildMaterials(ImportSession& session, hostapi::INode* node);

// The shininess the host takes (0 to 1) for a stored one on a 0 to 128 scale.
[[nodiscard]] constexpr float HostShininess(float stored) { return 1.0f - stored / 128.0f; }

// The UV generator's tiling flags for a map's flags.
[[nodiscard]] int TilingFlags(int mapFlags);

}  // namespace tvx::importer
