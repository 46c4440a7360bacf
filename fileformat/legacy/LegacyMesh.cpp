#include "fileformat/legacy/LegacyMesh.h"

#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"

namespace tvx {

bool ReadLegacyVertices(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.vertices, pass.scene.fileCounts.vertexCount,
                            [](LegacyReadIo& io, TVXVertex& vertex) { return VertexFields(io, vertex); });
}

bool ReadLegacyTriangles(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.triangles, pass.scene.fileCounts.triangleCount, kTriangleFields);
}

bool ReadLegacyUVSets(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.uvSets, pass.scene.fileCounts.uvSetCount,
                            [](LegacyReadIo& io, TVXUVSet& uvSet) { return UVSetFields(io, uvSet); });
}

}  // namespace tvx
