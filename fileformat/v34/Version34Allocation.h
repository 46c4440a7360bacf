// Between the two passes of the version-34 reader: settling the counts the
// count pass learned and allocating the scene's arrays from them.
#pragma once

#include "document/TVXScene.h"
#include "fileformat/v34/Version34Walk.h"

namespace tvx::v34 {

// Bounds the two counts that the mesh section only declares by the chunks
// that carry them, then applies the defaults (one group, two UV sets).
// Returns 0 for a scene with nothing in it.
[[nodiscard]] int SettleCounts(TVXFileCounts& counts, const MeshChunksSeen& seen);

// Allocates every array whose count is positive, in the file's order of
// kinds. 1 or 0.
[[nodiscard]] int AllocateScene(TVXScene& scene);

}  // namespace tvx::v34
