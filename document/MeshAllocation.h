// Allocation of the mesh arrays: vertices and their weights, triangles, UV
// sets with their coordinates and UV triangles, face lists and polygons.
//
// Same protocol as SceneAllocation.h: the previous array of the kind is
// released first, records start zeroed, n <= 0 is refused and changes
// nothing, and the result is 1 or 0. The one exception: an exporter's scene
// accepts AllocVertices(scene, 0) and ends with no vertices.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

[[nodiscard]] int AllocVertices(TVXScene& scene, int n);
[[nodiscard]] int AllocWeights(TVXVertex& vertex, int n);
[[nodiscard]] int AllocTriangles(TVXScene& scene, int n);
// UV sets are named "UVSet1" to "UVSetn".
[[nodiscard]] int AllocUVSets(TVXScene& scene, int n);
[[nodiscard]] int AllocUVCoords(TVXUVSet& uvSet, int n);
[[nodiscard]] int AllocUVTriangles(TVXUVSet& uvSet, int n);
[[nodiscard]] int AllocFaceLists(TVXScene& scene, int n);
// p polygons without arrays, group and material index -1.
[[nodiscard]] int AllocPolygons(TVXFaceList& faceList, int p);

// Gives polygon `index` of the face list `corners` corners (at least 3) and
// two UV channels, every index -1. Refuses (nullptr) an index out of range, a
// polygon that already has arrays, or a failed allocation.
TVXPolygon* InitPolygon(TVXFaceList& faceList, int index, int corners);

// AllocPolygons(p), then every polygon initialised with three corners.
[[nodiscard]] int AllocThreeCornerPolygons(TVXFaceList& faceList, int p);

}  // namespace tvx
