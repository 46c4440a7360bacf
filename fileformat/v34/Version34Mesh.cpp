// The mesh section: face-list chunks, each with sub-chunks of vertices,
// triangles, the face list's polygons and UV sets.
//
// Vertices, triangles and UV sets belong to the whole scene although they
// travel inside face-list chunks. A file that repeats them lets each
// occurrence write from index 0; the count pass keeps the last occurrence's
// count, and entries beyond the array it sized are read and dropped.
#include <algorithm>
#include <cstddef>

#include "document/MeshAllocation.h"
#include "fileformat/container/RecordNames.h"
#include "fileformat/v34/Version34Sections.h"

namespace tvx::v34 {
namespace {

constexpr std::uint32_t kFaceListId = 0xCCCC0000u;
constexpr std::uint32_t kVerticesId = 0xCCCC0001u;
constexpr std::uint32_t kTrianglesId = 0xCCCC0002u;
constexpr std::uint32_t kPolygonsId = 0xCCCC0005u;
constexpr std::uint32_t kUVSetsId = 0xCCCC0006u;
constexpr std::uint32_t kUVSetId = 0xDDDD0000u;
constexpr std::uint32_t kUVCoordsId = 0xDDDD0001u;
constexpr std::uint32_t kUVTrianglesId = 0xDDDD0002u;

constexpr std::uint32_t kWeightBytes = 8;
constexpr std::uint32_t kTriangleBytes = 40;
constexpr std::uint32_t kUVCoordBytes = 12;
constexpr std::uint32_t kPolygonHeadBytes = 20;
constexpr std::uint32_t kCornerBytes = 8;

template <class T>
T* ElementOrNull(std::vector<T>& array, int i) {
    return i < Count(array) ? &array[static_cast<std::size_t>(i)] : nullptr;
}

// ---- vertices ----

bool ReadVertexParts(TVXFileReader& reader, std::uint32_t flags, TVXVertex& vertex) {
    // The two further vectors are not kept: nothing uses them.
    return reader.ReadVector3(vertex.position) && ((flags & kVertexNormal) == 0 || reader.ReadVector3(vertex.normal)) &&
           ((flags & kVertexExtraVectors) == 0 || reader.Skip(24)) &&
           ((flags & kVertexColor) == 0 || reader.ReadRGBA(vertex.color));
}

bool WalkWeights(Walk& walk, TVXVertex* vertex) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<TVXBoneWeight>(count)) {
        return false;
    }
    if (vertex == nullptr || count == 0) {
        return SkipRecords(reader, count, kWeightBytes);
    }
    if (!BytesCanHold(reader, count, kWeightBytes) || !AllocWeights(*vertex, count)) {
        return false;
    }
    for (TVXBoneWeight& weight : vertex->weights) {
        if (!reader.ReadInt(weight.boneIndex) || !reader.ReadFloat(weight.weight)) {
            return false;
        }
    }
    return true;
}

bool WalkVertices(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return false;
    }
    // Without colours in the file every vertex is white.
    TVXVertex parts;
    parts.color = {1.0f, 1.0f, 1.0f, 1.0f};
    for (int i = 0; i < count; ++i) {
        TVXVertex* vertex = walk.filling() ? ElementOrNull(walk.scene.vertices, i) : nullptr;
        if (!ReadVertexParts(walk.reader, walk.vertexFlags, parts)) {
            walk.reader.LocateFault(kRecordName<TVXVertex>, i);
            return false;
        }
        if (vertex != nullptr) {
            vertex->position = parts.position;
            vertex->normal = parts.normal;
            vertex->color = parts.color;
        }
        if ((walk.vertexFlags & kVertexWeights) != 0 && !WalkWeights(walk, vertex)) {
            walk.reader.LocateFault(kRecordName<TVXVertex>, i);
            return false;
        }
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.vertexCount = count;
    }
    return true;
}

// ---- triangles (scene-wide, and per UV set) ----

// Triangles past the end of `array`, or all of them without one, are read
// and dropped.
bool ReadTriangles(TVXFileReader& reader, int count, std::vector<TVXTriangle>* array) {
    TVXTriangle triangle;
    for (int i = 0; i < count; ++i) {
        if (!ReadTriangle(reader, triangle)) {
            return false;
        }
        if (array != nullptr && i < Count(*array)) {
            (*array)[static_cast<std::size_t>(i)] = triangle;
        }
    }
    return true;
}

bool WalkTriangles(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count) ||
        !ReadTriangles(walk.reader, count, walk.filling() ? &walk.scene.triangles : nullptr)) {
        return false;
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.triangleCount = count;
    }
    return true;
}

// ---- polygons ----

// n corner pairs, then u channels of n UV corner pairs.
bool CornersFit(const TVXFileReader& reader, int corners, int channels, std::uint32_t& bytes) {
    const std::uint64_t pairs = static_cast<std::uint64_t>(corners) * (static_cast<std::uint64_t>(channels) + 1);
    if (pairs > reader.remaining() / kCornerBytes) {
        return false;
    }
    bytes = static_cast<std::uint32_t>(pairs) * kCornerBytes;
    return true;
}

bool ReadPairs(TVXFileReader& reader, std::span<int> first, std::span<int> second) {
    for (std::size_t k = 0; k < first.size(); ++k) {
        if (!reader.ReadInt(first[k]) || !reader.ReadInt(second[k])) {
            return false;
        }
    }
    return true;
}

bool WalkPolygon(Walk& walk, TVXPolygon* polygon) {
    TVXFileReader& reader = walk.reader;
    int corners = 0, channels = 0, group = 0, material = 0, smoothing = 0;
    std::uint32_t bytes = 0;
    if (!reader.ReadInt(corners) || !reader.ReadInt(channels) || !reader.ReadInt(group) ||
        !reader.ReadInt(material) || !reader.ReadInt(smoothing) || corners < 0 || channels < 0 ||
        !CornersFit(reader, corners, channels, bytes) ||
        !walk.Reserve<int>(std::int64_t{corners} * (2 + 2 * std::int64_t{channels}))) {
        return false;
    }
    if (polygon == nullptr) {
        return reader.Skip(bytes);
    }
    polygon->groupIndex = group;
    polygon->materialIndex = material;
    polygon->smoothing = smoothing;
    if (!polygon->AllocArrays(corners, channels, 0) ||
        !ReadPairs(reader, polygon->vertexIndices(), polygon->secondIndices())) {
        return false;
    }
    // Channels of a cornerless polygon carry no bytes; looping over them
    // would only cost time.
    for (int c = 0; corners > 0 && c < channels; ++c) {
        if (!ReadPairs(reader, polygon->uvIndices(c), polygon->uvSecondIndices(c))) {
            return false;
        }
    }
    return true;
}

bool WalkPolygons(Walk& walk, TVXFaceList* faceList) {
    int count = 0;
    if (!ReadCount(walk.reader, count) || !walk.Reserve<TVXPolygon>(count)) {
        return false;
    }
    if (faceList != nullptr && count > 0 &&
        (!BytesCanHold(walk.reader, count, kPolygonHeadBytes) || !AllocPolygons(*faceList, count))) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        TVXPolygon* polygon = faceList ? &faceList->polygons[static_cast<std::size_t>(i)] : nullptr;
        if (!WalkPolygon(walk, polygon)) {
            walk.reader.LocateFault(kRecordName<TVXPolygon>, i);
            return false;
        }
    }
    return true;
}

// ---- UV sets ----

bool WalkUVCoords(Walk& walk, TVXUVSet* uvSet) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<TVXUVCoord>(count)) {
        return false;
    }
    if (uvSet == nullptr || count == 0) {
        return SkipRecords(reader, count, kUVCoordBytes);
    }
    if (!BytesCanHold(reader, count, kUVCoordBytes) || !AllocUVCoords(*uvSet, count)) {
        return false;
    }
    for (TVXUVCoord& coord : uvSet->coords) {
        if (!reader.ReadInt(coord.tag) || !reader.ReadFloat(coord.u) || !reader.ReadFloat(coord.v)) {
            return false;
        }
    }
    return true;
}

bool WalkUVTriangles(Walk& walk, TVXUVSet* uvSet) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<TVXTriangle>(count)) {
        return false;
    }
    if (uvSet != nullptr && count > 0 &&
        (!BytesCanHold(reader, count, kTriangleBytes) || !AllocUVTriangles(*uvSet, count))) {
        return false;
    }
    return ReadTriangles(reader, count, uvSet ? &uvSet->triangles : nullptr);
}

bool WalkUVSet(Walk& walk, TVXUVSet* uvSet, std::uint32_t end) {
    TVXFileReader& reader = walk.reader;
    // UV sets keep their own names (UVSet1, UVSet2, ...); the stored one is
    // read past.
    TVXString ignoredName;
    if (!ReadName(reader, ignoredName)) {
        return false;
    }
    while (reader.position() < end) {
        ChunkHead head;
        if (!ReadChunkHead(reader, head)) {
            return false;
        }
        if ((head.id == kUVCoordsId && !WalkUVCoords(walk, uvSet)) ||
            (head.id == kUVTrianglesId && !WalkUVTriangles(walk, uvSet))) {
            return false;
        }
        FinishChunk(reader, head.end);
    }
    return true;
}

bool WalkUVSets(Walk& walk, std::uint32_t end) {
    int declared = 0;
    if (!ReadCount(walk.reader, declared)) {
        return false;
    }
    int index = 0;
    while (walk.reader.position() < end) {
        ChunkHead head;
        if (!ReadChunkHead(walk.reader, head)) {
            return false;
        }
        if (head.id == kUVSetId) {
            TVXUVSet* uvSet = nullptr;
            if (walk.filling() && (uvSet = ElementOrNull(walk.scene.uvSets, index)) == nullptr) {
                return false;
            }
            if (!WalkUVSet(walk, uvSet, head.end)) {
                walk.reader.LocateFault(kRecordName<TVXUVSet>, index);
                return false;
            }
            ++index;
        }
        FinishChunk(walk.reader, head.end);
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.uvSetCount = declared;
        walk.chunksSeen.uvSets = std::max(walk.chunksSeen.uvSets, index);
    }
    return true;
}

// ---- face lists ----

bool WalkFaceListPart(Walk& walk, const ChunkHead& head, TVXFaceList* faceList) {
    switch (head.id) {
    case kVerticesId:
        return WalkVertices(walk);
    case kTrianglesId:
        return WalkTriangles(walk);
    case kPolygonsId:
        return WalkPolygons(walk, faceList);
    case kUVSetsId:
        return WalkUVSets(walk, head.end);
    default:
        return true;
    }
}

bool WalkFaceList(Walk& walk, int index, std::uint32_t end) {
    TVXFaceList* faceList = nullptr;
    if (walk.filling() && (faceList = ElementOrNull(walk.scene.faceLists, index)) == nullptr) {
        return false;
    }
    while (walk.reader.position() < end) {
        ChunkHead head;
        if (!ReadChunkHead(walk.reader, head) || !WalkFaceListPart(walk, head, faceList)) {
            walk.reader.LocateFault(kRecordName<TVXFaceList>, index);
            return false;
        }
        FinishChunk(walk.reader, head.end);
    }
    return true;
}

}  // namespace

int WalkMesh(Walk& walk, std::uint32_t end) {
    int declared = 0;
    if (!ReadCount(walk.reader, declared)) {
        return 0;
    }
    int index = 0;
    while (walk.reader.position() < end) {
        ChunkHead head;
        if (!ReadChunkHead(walk.reader, head)) {
            return 0;
        }
        if (head.id == kFaceListId) {
            if (!WalkFaceList(walk, index, head.end)) {
                return 0;
            }
            ++index;
        }
        FinishChunk(walk.reader, head.end);
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.faceListCount = declared;
        walk.chunksSeen.faceLists = std::max(walk.chunksSeen.faceLists, index);
    }
    return 1;
}

}  // namespace tvx::v34
