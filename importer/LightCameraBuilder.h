// One host light node per document light and one camera node per camera,
// named, placed and with their object settings.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

// The host's light type for a stored one: directional, free spot, or omni
// for anything else.
[[nodiscard]] int HostLightType(int storedType);

void BuildLights(ImportSession& session);
void BuildCameras(ImportSession& session);

}  // namespace tvx::importer
