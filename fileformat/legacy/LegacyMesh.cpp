#include "fileformat/legacy/LegacyMesh.h"

#include "document/MeshAllocation.h"

namespace tvx {
namespace {

bool ReadWeight(LegacyPass& pass, TVXBoneWeight& weight) {
    return pass.Int(weight.boneIndex) && pass.Float(weight.weight);
}

bool ReadVertex(LegacyPass& pass, TVXVertex& vertex) {
    int w = 0;
    if (!pass.reader.ReadVector3(vertex.position) ||
        (pass.format.vertexNormal && !pass.reader.ReadVector3(vertex.normal)) ||
        (pass.format.vertexColor && !pass.reader.ReadRGBA(vertex.color)) || !pass.Int(w)) {
        return false;
    }
    // The count pass walked these w weights, so their bytes are present.
    if (!pass.Reserve<TVXBoneWeight>(w) || (pass.filling && w > 0 && !AllocWeights(vertex, w))) {
        return false;
    }
    return ReadRecords(pass, FillList(pass, vertex.weights), w, ReadWeight);
}

bool ReadTriangle(LegacyPass& pass, TVXTriangle& triangle) {
    for (int& value : triangle.ints) {
        if (!pass.Int(value)) {
            return false;
        }
    }
    return pass.Float(triangle.value);
}

bool ReadUVCoord(LegacyPass& pass, TVXUVCoord& coord) {
    return pass.Int(coord.tag) && pass.Float(coord.u) && pass.Float(coord.v);
}

// A list inside a UV set: its size, then its records.
template <class T, class ReadRecord>
bool ReadUVSetList(LegacyPass& pass, TVXUVSet& uvSet, std::vector<T>& records, int (*alloc)(TVXUVSet&, int),
                   ReadRecord readRecord) {
    int n = 0;
    if (!pass.Int(n)) {
        return false;
    }
    if (!pass.Reserve<T>(n) || (pass.filling && n > 0 && !alloc(uvSet, n))) {
        return false;
    }
    return ReadRecords(pass, FillList(pass, records), n, readRecord);
}

bool ReadUVSet(LegacyPass& pass, TVXUVSet& uvSet) {
    return pass.String(uvSet.name) && ReadUVSetList(pass, uvSet, uvSet.coords, AllocUVCoords, ReadUVCoord) &&
           ReadUVSetList(pass, uvSet, uvSet.triangles, AllocUVTriangles, ReadTriangle);
}

}  // namespace

bool ReadLegacyVertices(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.vertices, pass.scene.fileCounts.vertexCount, ReadVertex);
}

bool ReadLegacyTriangles(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.triangles, pass.scene.fileCounts.triangleCount, ReadTriangle);
}

bool ReadLegacyUVSets(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.uvSets, pass.scene.fileCounts.uvSetCount, ReadUVSet);
}

}  // namespace tvx
