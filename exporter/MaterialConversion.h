// The document's materials from the host materials of the exported meshes.
//
// Materials are taken per mesh node, in mesh-table order, without merging:
// a host material on two meshes is exported twice. Only standard materials
// carry data; a multi/sub-object material contributes its sub-materials.
// The scene conversion counts first (the face lists need the total), then
// converts.
#pragma once

#include <vector>

#include "document/TVXScene.h"
#include "hostapi/Materials.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

// The materials a node's material contributes: a standard one 1; a
// multi/sub-object one 1 per sub-material that is standard or itself
// multi/sub-object; anything else (or none) 0.
[[nodiscard]] int CountedMaterials(hostapi::Mtl* material);

// Appends the materials of every mesh node's material, in order, as
// CountedMaterials counts them. A nested multi/sub-object material keeps its
// place with its name alone. 0 when memory runs out.
[[nodiscard]] int ConvertMaterials(const std::vector<hostapi::INode*>& meshNodes, TVXScene& scene);

}  // namespace tvx::exporter
