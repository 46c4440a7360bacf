#include "fileformat/legacy/LegacyMesh.h"

#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"

namespace tvx {

bool ReadLegacyVertices(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.vertices, pass.scene.fileCounts.vertexCount,
                            [](LegacyReadIo& io, TVXVertex& vertex) { return VertexFields(io, vertex); });
}

bool ReadLegacyTriangles(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.triangles, pass.scene.fileCounts.triangleCount, kTriangleFields);
}

bool ReadLegacyUVSets(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.uvSets, pass.scene.fileCounts.uvSetCount, kUVSetFields);
}

// The reader keeps no list index: a layout with per-polygon groups reads
// them, and one without reads the list's group.
bool ReadLegacyFaceLists(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.faceLists, pass.scene.fileCounts.faceListCount,
                            [](LegacyReadIo& io, TVXFaceList& list) { return FaceListFields(io, list, -1); });
}

}  // namespace tvx
