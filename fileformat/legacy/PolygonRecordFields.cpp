#include "fileformat/legacy/PolygonRecordFields.h"

namespace tvx {
namespace {

constexpr std::int32_t kNoMaterial = -1;

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

bool WriteIndexPairs(LegacyWriteIo& io, std::span<const int> indices) {
    for (const int index : indices) {
        if (!io.Int(index) || !io.Int(kWrittenSecondIndex)) {
            return false;
        }
    }
    return true;
}

// The file stores coordinates, not indices. An index that names no
// coordinate (negative, past its set, or a channel without a set) stores
// (0, 0) rather than reading outside the scene.
TVXUVCoord CoordinateAt(const std::vector<TVXUVSet>& uvSets, int channel, int index) {
    if (channel >= Count(uvSets)) {
        return {};
    }
    const std::vector<TVXUVCoord>& coords = uvSets[static_cast<std::size_t>(channel)].coords;
    if (index < 0 || index >= Count(coords)) {
        return {};
    }
    return coords[static_cast<std::size_t>(index)];
}

bool WriteInlineUVs(LegacyWriteIo& io, const TVXPolygon& polygon, const WrittenFaceList& list) {
    for (int k = 0; k < polygon.uvChannelCount(); ++k) {
        for (const int index : polygon.uvIndices(k)) {
            const TVXUVCoord coord = list.uvSets != nullptr ? CoordinateAt(*list.uvSets, k, index) : TVXUVCoord{};
            if (!io.Float(coord.u) || !io.Float(coord.v) ||
                (io.format().thirdUVFloat && !io.Float(kWrittenThirdUVFloat))) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool PolygonFields(LegacyReadIo& io, TVXPolygon& polygon, int listGroup, const TVXFaceList& /*list*/) {
    PolygonHead head;
    head.group = listGroup;
    if (!PolygonHeadFields(io, head)) {
        return false;
    }
    LegacyPass& pass = io.pass();
    const PolygonShape shape = ShapeOf(head.corners, head.channels);
    TVXPolygon* stored = nullptr;
    if (io.storing()) {
        // The count pass walked this polygon's corners and UV data, so its
        // arrays take at most twice the bytes that back them.
        if (!polygon.AllocArrays(shape.corners, shape.channels, 0)) {
            return false;
        }
        polygon.groupIndex = head.group;
        polygon.materialIndex = head.material;
        polygon.smoothing = head.smoothing;
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

bool PolygonFields(LegacyWriteIo& io, const TVXPolygon& polygon, int listGroup, const WrittenFaceList& list) {
    PolygonHead head;
    head.corners = polygon.cornerCount();
    head.channels = polygon.uvChannelCount();
    head.group = listGroup;
    head.material = polygon.materialIndex < 0 ? kNoMaterial : polygon.materialIndex;
    head.smoothing = polygon.smoothing;
    if (!PolygonHeadFields(io, head)) {
        return false;
    }
    if (!io.format().fullRecords) {
        for (const int vertex : polygon.vertexIndices()) {
            if (!io.Int(vertex)) {
                return false;
            }
        }
        return WriteInlineUVs(io, polygon, list);
    }
    if (!WriteIndexPairs(io, polygon.vertexIndices())) {
        return false;
    }
    for (int k = 0; k < polygon.uvChannelCount(); ++k) {
        if (!WriteIndexPairs(io, polygon.uvIndices(k))) {
            return false;
        }
    }
    return true;
}

WrittenFaceList WrittenFaceListAt(const TVXScene& scene, int i, bool mapping) {
    WrittenFaceList list;
    if (i >= 0 && i < Count(scene.faceLists)) {
        list.polygons = scene.faceLists[static_cast<std::size_t>(i)].polygons;
    }
    list.uvSets = mapping ? &scene.uvSets : nullptr;
    return list;
}

}  // namespace tvx
