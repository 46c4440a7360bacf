// The document's geometry as one host mesh node, "TVXMesh": every polygon of
// every face list a face in the smoothing group its number names, two map
// channels of texture coordinates, the vertex colours and normals when the
// file stores them, the materials and, with bones, the skin.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

inline constexpr const hostapi::MCHAR* kMeshNodeName = u"TVXMesh";

// Does nothing without face lists.
void BuildMesh(ImportSession& session);

}  // namespace tvx::importer
