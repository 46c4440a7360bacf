// What the importer does to a scene once it has been read: from the file's
// Y-up space into the host's Z-up space, polygons cut into triangles, names
// made safe for the host, the groups' material tables, and the skeleton
// posed at time 0 of the first animation into the pose tables.
#pragma once

#include "document/TVXScene.h"
#include "geometry/PoseTables.h"

namespace tvx {

// Each step does nothing where its arrays are missing, and a step that runs
// out of memory leaves its part as it was (or its pose table empty). 1 when
// every step with something to do did it; 0 when one ran out of memory, so
// that the scene is only partly prepared and must not be built from.
int ProcessLoadedScene(TVXScene& scene, PoseTables& tables);

}  // namespace tvx
