// The file's vertex normals on the host mesh, as its specified normals: one
// normal per document vertex, which every face corner on that vertex uses.
#pragma once

#include "hostapi/Mesh.h"
#include "importer/ImportSession.h"

namespace tvx::importer {

// Runs after the faces are filled, and does nothing unless the file stored
// normals. With bones the normals are the posed ones, as the positions are.
// A normal made unit and explicit; one that has no direction (zero, or not
// finite) is left out, and the corners on it keep the normal the host
// computes from their smoothing groups.
void FillSpecifiedNormals(const ImportSession& session, hostapi::Mesh& mesh);

}  // namespace tvx::importer
