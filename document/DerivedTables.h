// Tables derived from a filled scene: which materials each group uses, how
// many polygons use each material and how many weights name each bone.
//
// Indices are stored in the document as read from a file, so every count
// here ignores indices outside the arrays they name.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

// Rebuilds every group's material table: one {material, polygon count} row
// per material that the polygons of the group's face list use, in ascending
// material order. Does nothing and returns 0 unless the scene has face lists,
// groups and materials; 0 also when memory runs out.
[[nodiscard]] int BuildGroupMaterialTables(TVXScene& scene);

// Sets each material's polygonCount to the polygons of all face lists that
// name it; no-op without materials or face lists.
void ComputeMaterialPolygonCounts(TVXScene& scene);

// Sets each bone's weightedVertexCount to the weight entries of all vertices
// that name it; no-op without bones or vertices.
void ComputeBoneWeightCounts(TVXScene& scene);

}  // namespace tvx
