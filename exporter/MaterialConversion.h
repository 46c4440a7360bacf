// The document's materials from the host materials of the exported meshes,
// and the material index each face of a mesh gets.
//
// Materials are taken per mesh node, in mesh-table order, without merging:
// a host material on two meshes is exported twice. Only standard materials
// carry data; a multi/sub-object material contributes its sub-materials.
// The scene conversion counts first (the face lists need the total), then
// converts, then gives each mesh's faces their indices with `base` grown by
// the counts of the meshes before it.
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

// The document material index of each face of one mesh, from the face's
// material id. Under a standard material every face gets the mesh's first
// material (`base`). Under a multi/sub-object material a face gets the
// material of the sub-material its id names (an id past the slots wraps
// round, as the host shows it), the slots that export none being left out
// of the count; an id that names no exported sub-material (none, a slot of
// another class or an empty one) gives the mesh's first material. A mesh whose material exports nothing, and any
// index outside the document's materials, gives -1.
class PolygonMaterialIndices {
public:
    // base: the materials counted for all earlier meshes; total: the
    // document's material count. Reads the material's slots once, into an
    // array, so running out of memory throws std::bad_alloc as the mesh
    // entries do.
    PolygonMaterialIndices(hostapi::Mtl* nodeMaterial, int base, int total);

    [[nodiscard]] int ForFace(int faceMaterialId) const;

private:
    [[nodiscard]] int OffsetOf(int faceMaterialId) const;

    int base_;
    int total_;
    int counted_;
    // Per sub-material slot: its material's place after base, -1 for none.
    std::vector<int> slotOffsets_;
};

}  // namespace tvx::exporter
