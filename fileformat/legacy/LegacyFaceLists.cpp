#include "document/MeshAllocation.h"
#include "fileformat/legacy/LegacyMesh.h"

namespace tvx {
namespace {

struct PolygonShape {
    int corners = 0;
    int channels = 0;
};

// Negative sizes carry no bytes and mean none. A polygon without corners has
// no UV data either, so its channel count is dropped: no byte would back the
// channels, and four bytes could otherwise claim two billion empty ones for
// every later user to walk.
PolygonShape ShapeOf(int n, int u) {
    PolygonShape shape;
    shape.corners = n > 0 ? n : 0;
    shape.channels = shape.corners > 0 && u > 0 ? u : 0;
    return shape;
}

// Versions 30..33 pair every vertex index with a second index; 6..29 store
// the vertex index alone and the second indices stay 0.
bool ReadCorners(LegacyPass& pass, TVXPolygon* stored, int corners) {
    if (stored == nullptr) {
        return pass.reader.SkipInts(static_cast<std::uint64_t>(corners) * (pass.format.fullRecords ? 2 : 1));
    }
    return pass.format.fullRecords ? pass.reader.ReadIntPairs(stored->vertexIndices(), stored->secondIndices())
                                   : pass.reader.ReadInts(stored->vertexIndices());
}

bool ReadIndexedUVs(LegacyPass& pass, TVXPolygon* stored, const PolygonShape& shape) {
    if (stored == nullptr) {
        return pass.reader.SkipInts(2 * static_cast<std::uint64_t>(shape.channels) *
                                    static_cast<std::uint64_t>(shape.corners));
    }
    for (int k = 0; k < shape.channels; ++k) {
        if (!pass.reader.ReadIntPairs(stored->uvIndices(k), stored->uvSecondIndices(k))) {
            return false;
        }
    }
    return true;
}

// Only two UV sets exist in these versions; channels beyond them keep their
// indices in the polygon but have no set to hold their coordinates.
void StoreInlineCoord(TVXScene& scene, int channel, int coordinate, float u, float v) {
    if (channel >= Count(scene.uvSets)) {
        return;
    }
    std::vector<TVXUVCoord>& coords = scene.uvSets[static_cast<std::size_t>(channel)].coords;
    if (coordinate >= 0 && coordinate < Count(coords)) {
        coords[static_cast<std::size_t>(coordinate)] = TVXUVCoord{0, u, v};
    }
}

// Versions 6..29 store the coordinates themselves. Each corner gets the next
// coordinate of a running index, the same number in every channel, so the UV
// sets sized by the corner total are filled exactly.
bool ReadInlineUVs(LegacyPass& pass, TVXPolygon* stored, const PolygonShape& shape) {
    for (int k = 0; k < shape.channels; ++k) {
        for (int l = 0; l < shape.corners; ++l) {
            float u = 0.0f;
            float v = 0.0f;
            float dropped = 0.0f;
            if (!pass.Float(u) || !pass.Float(v) || (pass.format.thirdUVFloat && !pass.Float(dropped))) {
                return false;
            }
            if (stored != nullptr) {
                const int coordinate = pass.uvCursor + l;
                stored->uvIndices(k)[static_cast<std::size_t>(l)] = coordinate;
                StoreInlineCoord(pass.scene, k, coordinate, u, v);
            }
        }
    }
    if (stored != nullptr) {
        pass.uvCursor += shape.corners;
    }
    return true;
}

bool ReadPolygon(LegacyPass& pass, TVXPolygon& polygon, int listGroup) {
    int n = 0;
    int u = 0;
    int group = listGroup;
    int material = 0;
    int smoothing = 0;
    if (!pass.Int(n) || !pass.Int(u) || (pass.format.fullRecords && !pass.Int(group)) || !pass.Int(material) ||
        !pass.Int(smoothing)) {
        return false;
    }
    const PolygonShape shape = ShapeOf(n, u);
    TVXPolygon* stored = nullptr;
    if (pass.filling) {
        // The count pass walked this polygon's corners and UV data, so its
        // arrays take at most twice the bytes that back them.
        if (!polygon.AllocArrays(shape.corners, shape.channels, 0)) {
            return false;
        }
        polygon.groupIndex = group;
        polygon.materialIndex = material;
        polygon.smoothing = smoothing;
        stored = &polygon;
    } else {
        pass.cornerTotal += shape.corners;
        if (!pass.Reserve<int>(std::int64_t{shape.corners} * (2 + 2 * std::int64_t{shape.channels}))) {
            return false;
        }
    }
    if (!ReadCorners(pass, stored, shape.corners)) {
        return false;
    }
    return pass.format.fullRecords ? ReadIndexedUVs(pass, stored, shape) : ReadInlineUVs(pass, stored, shape);
}

// Versions 6..29 name the list's group once for all its polygons.
bool ReadFaceList(LegacyPass& pass, TVXFaceList& faceList) {
    int group = -1;
    int p = 0;
    if ((!pass.format.fullRecords && !pass.Int(group)) || !pass.Int(p)) {
        return false;
    }
    if (!pass.Reserve<TVXPolygon>(p) || (pass.filling && p > 0 && !AllocPolygons(faceList, p))) {
        return false;
    }
    return ReadRecords(pass, FillList(pass, faceList.polygons), p,
                       [group](LegacyPass& inner, TVXPolygon& polygon) { return ReadPolygon(inner, polygon, group); });
}

}  // namespace

bool ReadLegacyFaceLists(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.faceLists, pass.scene.fileCounts.faceListCount, ReadFaceList);
}

}  // namespace tvx
