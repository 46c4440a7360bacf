// The bone weights of a mesh node: from its Skin modifier, or failing that
// its Physique modifier; and, once every node is known, the node-table
// index of each weight's bone.
#pragma once

#include <vector>

#include "exporter/MeshEntry.h"

namespace tvx::exporter {

// Gives the entry's vertices (already read) their weights and sets the
// entry's Skin or Physique flag. A modifier whose point count differs from
// the mesh's vertex count gives no weights: its points are not these
// vertices. A Skin influence on an index beyond the skin's bone list is
// dropped like an unusable weight. Throws std::bad_alloc when memory runs out.
void ReadSkinWeights(MeshEntry& entry);

// A weight that is not finite or is negative tells no reader anything: it is
// dropped. When one was (here, or before by the caller, who says so), or a
// weight is above 1 (as no normalised skin holds), the rest are scaled to
// add up to 1; weights that are all sound stay exactly as read.
void CleanWeights(std::vector<SkinWeightEntry>& weights, bool oneWasDropped = false);

// Every weight of a skinned mesh gets its bone's index in nodes; a bone
// that is not exported gets -1 and the whole weight 1.
void ResolveSkin(std::vector<MeshEntry>& meshes, const std::vector<hostapi::INode*>& nodes);

}  // namespace tvx::exporter
