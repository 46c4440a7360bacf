// The document's geometry as one host mesh node, "TVXMesh": every polygon of
// every face list a face, two map channels of texture coordinates, the
// materials and, with bones, the skin.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

inline constexpr const hostapi::MCHAR* kMeshNodeName = u"TVXMesh";

// Does nothing without face lists.
void BuildMesh(ImportSession& session);

}  // namespace tvx::importer
