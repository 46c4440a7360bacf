// Vertex reweld: a mesh read from the host shares its vertices between
// faces whatever their smoothing groups. The reweld gives each face corner a
// vertex of its own and then joins the corners of faces sharing a smoothing
// group that lie within 0.001 of each other, so normals computed from the
// exported mesh are smooth inside a group and creased between groups.
#pragma once

#include "exporter/MeshEntry.h"

namespace tvx::exporter {

// Only for a mesh with vertices and faces and at least one face with a
// smoothing number above 0; any other mesh, and one with a corner naming no
// vertex, is left as read.
//
// First every face corner gets its own copy of its vertex (weights too),
// face by face and corner by corner. Then 33 passes: pass 0 takes the faces
// without smoothing groups, pass k the faces in group k. Walking the vertices
// in order, a corner vertex of the pass's faces merges into the newest
// earlier vertex that was kept, is a corner of the pass too and lies within
// weld distance (WeldGrid.h); every other vertex is kept. After a pass that
// merged anything the vertex array holds the kept vertices, newest first,
// and every face corner names the vertex it merged into. Only the faces'
// vertex indices change.
//
// May throw std::bad_alloc; every face corner still names a vertex then.
void Reweld(MeshEntry& mesh);

}  // namespace tvx::exporter
