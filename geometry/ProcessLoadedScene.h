// What the importer does to a scene once it has been read: from the file's
// Y-up space into the host's Z-up space, polygons cut into triangles, names
// made safe for the host, the groups' material tables, and the skeleton
// posed at time 0 of the first animation into the pose tables.
#pragma once

#include "document/TVXScene.h"
#include "geometry/PoseTables.h"

namespace tvx {

// Never fails: each step does nothing where its arrays are missing, and a
// step that runs out of memory leaves its part as it was (or its pose table
// empty).
void ProcessLoadedScene(TVXScene& scene, PoseTables& tables);

}  // namespace tvx
