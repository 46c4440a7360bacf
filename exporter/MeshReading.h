// Reading one host mesh node into a MeshEntry: world-space vertices,
// triangles in export winding with both UV channels, vertex colours and
// alpha, the biped kind, and the weights of a Skin or Physique modifier.
#pragma once

#include "exporter/MeshEntry.h"

namespace tvx::exporter {

// Fills entry (whose node is set) from the node's object at time 0.
// mappingChannel is the host map channel read into the second UV channel.
// A node whose object does not give a triangle mesh leaves the entry
// empty. Throws std::bad_alloc when memory runs out.
void ReadMesh(MeshEntry& entry, int mappingChannel);

// Each vertex's colour becomes the mean of its colour samples, and its
// alpha the mean of its alpha samples, at most 1.
void AverageColors(MeshEntry& entry);

}  // namespace tvx::exporter
