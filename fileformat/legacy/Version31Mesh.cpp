// Vertices, UV sets and face lists of the version-31 layout.
#include <cstdio>

#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

// The layout's second index of every corner and UV pair; nothing stores
// anything else there.
constexpr std::int32_t kNoSecondIndex = -1;
constexpr std::int32_t kNoMaterial = -1;
constexpr std::int32_t kUVCoordTag = 0;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool WriteVertex(FileWriter& w, const Version31Content& content, const TVXVertex& vertex) {
    if (!w.Vector(vertex.position) || (content.normals && !w.Vector(vertex.normal)) ||
        (content.colours && !w.Colour(vertex.color))) {
        return false;
    }
    // Without bones a weight would name a bone that is not in the file.
    if (!content.bones) {
        return w.Int(0);
    }
    if (!w.Int(Count(vertex.weights))) {
        return false;
    }
    for (const TVXBoneWeight& weight : vertex.weights) {
        if (!w.Int(weight.boneIndex) || !w.Float(weight.weight)) {
            return false;
        }
    }
    return true;
}

// UV sets are named by their position in the file, whatever the scene
// called them.
bool WriteUVSet(FileWriter& w, const TVXScene& scene, int k) {
    char name[16] = {};
    std::snprintf(name, sizeof name, "UVSet%d", k);
    std::span<const TVXUVCoord> coords;
    if (k < Count(scene.uvSets)) {
        coords = scene.uvSets[At(k)].coords;
    }
    if (!w.NarrowString(name) || !w.Int(static_cast<std::int32_t>(coords.size()))) {
        return false;
    }
    for (const TVXUVCoord& coord : coords) {
        if (!w.Int(kUVCoordTag) || !w.Float(coord.u) || !w.Float(coord.v)) {
            return false;
        }
    }
    return w.Int(0);  // UV triangles: this layout writes none
}

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
    for (int i = 0; i < count; ++i) {
        if (!WriteVertex(writer, content, content.scene.vertices[At(i)])) {
            return false;
        }
    }
    return true;
}

bool WriteVersion31UVSets(FileWriter& writer, const Version31Content& content, int count) {
    for (int k = 0; k < count; ++k) {
        if (!WriteUVSet(writer, content.scene, k)) {
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
