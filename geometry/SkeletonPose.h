// The bind pose of the skeleton and the mesh skinned at a time, computed
// into the importer's pose tables.
#pragma once

#include "document/TVXScene.h"
#include "geometry/PoseTables.h"

namespace tvx {

// One pose per bone with its parent and stored placement. Without bones the
// table ends empty and the result is 0, as when memory runs out.
[[nodiscard]] int BuildBonePoses(const TVXScene& scene, PoseTables& tables);

// One posed vertex per document vertex, at its document position. Without
// vertices the table ends empty and the result is 0, as when memory runs out.
[[nodiscard]] int BuildPosedVertices(const TVXScene& scene, PoseTables& tables);

// Bind local matrices from the stored placements (with their scale when
// withScale is not 0), bind world matrices along the parent chain, their
// inverses, world positions and bone lengths.
void ComputeBindPose(PoseTables& tables, int withScale);

// Poses every bone by track i of the first animation sampled at time t,
// applied on top of its bind local matrix, and skins each posed vertex:
// the sum over its weights of weight x pose world x inverse bind world x
// document position. Weights naming no bone are skipped; a vertex left
// without any keeps its document position. When the file stored normals,
// each posed normal turns with the blend of its bones' skin matrices (not
// normalised). Needs both tables.
void ComputePose(const TVXScene& scene, PoseTables& tables, float t);

}  // namespace tvx
