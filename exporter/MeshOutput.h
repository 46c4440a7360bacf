// The document's one shared mesh from the meshes read: a group per mesh,
// the meshes' vertices one after the other, two UV sets with one
// coordinate per face corner, and a face list of triangles per group.
#pragma once

#include <vector>

#include "document/TVXScene.h"
#include "exporter/MeshEntry.h"

namespace tvx::exporter {

// Groups named after the mesh nodes. 0 when memory runs out.
[[nodiscard]] int WriteGroups(const std::vector<MeshEntry>& meshes, TVXScene& scene);

// Vertices with their colour and weights (an unskinned mesh's vertices
// follow its own node entry), then the UV sets "UVSet0" and "UVSet1" from
// map channel 1 and the second channel, with v turned to 1 - v. 0 when
// memory runs out or the counts do not fit the file's ints.
[[nodiscard]] int WriteVerticesAndUVs(const std::vector<MeshEntry>& meshes, const std::vector<hostapi::INode*>& nodes,
                                      TVXScene& scene);

// One face list per mesh; polygon material indices count from the
// materials of the earlier meshes. 0 when memory runs out (or throws
// std::bad_alloc).
[[nodiscard]] int WriteFaceLists(const std::vector<MeshEntry>& meshes, TVXScene& scene);

}  // namespace tvx::exporter
