// The file's vertex colours on the host mesh: channel 0 the colour of each
// document vertex, channel MAP_ALPHA its alpha, where the exporter reads
// them back.
#pragma once

#include "document/TVXScene.h"
#include "hostapi/Mesh.h"

namespace tvx::importer {

// Runs after the faces are filled: each colour face repeats its face's
// vertex corners, so a corner shows its vertex's colour. Does nothing
// unless the file stored colours. A channel carries something only where a
// value differs from opaque white (the exporter's colour for a mesh without
// them), so a white file, or an opaque one, adds no channel.
void FillVertexColors(const TVXScene& scene, hostapi::Mesh& mesh);

}  // namespace tvx::importer
