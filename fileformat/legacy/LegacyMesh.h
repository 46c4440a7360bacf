// Mesh sections of a legacy body: vertices, triangles and UV sets (the last
// two in versions 30..33 only), and the face lists of polygons.
#pragma once

#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

[[nodiscard]] bool ReadLegacyVertices(LegacyPass& pass);
[[nodiscard]] bool ReadLegacyTriangles(LegacyPass& pass);
[[nodiscard]] bool ReadLegacyUVSets(LegacyPass& pass);
// Needs the UV sets allocated: versions 6..29 keep their UV coordinates
// inside the polygons and the fill pass moves them into the UV sets.
[[nodiscard]] bool ReadLegacyFaceLists(LegacyPass& pass);

}  // namespace tvx
