// Vertices, UV sets and face lists of the version-31 layout.
#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

// The layout's second index of every corner and UV pair; nothing stores
// anything else there.
constexpr std::int32_t kNoSecondIndex = -1;
constexpr std::int32_t kNoMaterial = -1;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool WriteIndexPairs(FileWriter& w, std::span<const int> indices) {
    for (const int index : indices) {
        if (!w.Int(index) || !w.Int(kNoSecondIndex)) {
            return false;
        }
    }
    return true;
}

// A polygon belongs to the group of its face list, so that list's index is
// written as its group whatever the polygon itself says.
bool WritePolygon(FileWriter& w, const TVXPolygon& polygon, int faceList) {
    const int material = polygon.materialIndex < 0 ? kNoMaterial : polygon.materialIndex;
    if (!w.Int(polygon.cornerCount()) || !w.Int(polygon.uvChannelCount()) || !w.Int(faceList) ||
        !w.Int(material) || !w.Int(polygon.smoothing) || !WriteIndexPairs(w, polygon.vertexIndices())) {
        return false;
    }
    for (int k = 0; k < polygon.uvChannelCount(); ++k) {
        if (!WriteIndexPairs(w, polygon.uvIndices(k))) {
            return false;
        }
    }
    return true;
}

bool WriteFaceList(FileWriter& w, const TVXFaceList& list, int index) {
    if (!w.Int(Count(list.polygons))) {
        return false;
    }
    for (const TVXPolygon& polygon : list.polygons) {
        if (!WritePolygon(w, polygon, index)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteVersion31Vertices(FileWriter& writer, const Version31Content& content, int count) {
    LegacyWriteIo io(writer, Version31Format(content));
    for (int i = 0; i < count; ++i) {
        if (!VertexFields(io, content.scene.vertices[At(i)], content.bones)) {
            return false;
        }
    }
    return true;
}

bool WriteVersion31UVSets(FileWriter& writer, const Version31Content& content, int count) {
    LegacyWriteIo io(writer, Version31Format(content));
    for (int k = 0; k < count; ++k) {
        const WrittenUVSet uvSet = WrittenUVSetAt(content.scene, k);
        if (!UVSetFields(io, uvSet)) {
            return false;
        }
    }
    return true;
}

bool WriteVersion31FaceLists(FileWriter& writer, const Version31Content& content, int count) {
    for (int i = 0; i < count; ++i) {
        if (!WriteFaceList(writer, content.scene.faceLists[At(i)], i)) {
            return false;
        }
    }
    return true;
}

}  // namespace tvx
