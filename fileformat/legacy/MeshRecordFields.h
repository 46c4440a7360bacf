// The mesh records of a legacy body that are not polygons: vertices with
// their bone weights, triangles and UV sets, each listed once, field by
// field in stored order, for every version of the family. `io` is a
// LegacyReadIo or a LegacyWriteIo, as in SceneRecordFields.h.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

#include "document/MeshAllocation.h"
#include "document/TVXScene.h"
#include "fileformat/legacy/LegacyFormat.h"

namespace tvx {

// The tag a writer gives every UV coordinate; nothing reads it.
inline constexpr std::int32_t kWrittenUVCoordTag = 0;

inline constexpr auto kWeightFields = [](auto& io, auto& weight) {
    return io.Int(weight.boneIndex) && io.Float(weight.weight);
};

// The normal and the colour are there when the header's flags say so.
// `weights` is false for a writer that stores no bones: a weight would name
// a bone that is not in the file, so every vertex is stored without any.
template <class Io, class Vertex>
[[nodiscard]] bool VertexFields(Io& io, Vertex& vertex, bool weights = true) {
    const LegacyFormat& format = io.format();
    if (!io.Vector(vertex.position) || (format.vertexNormal && !io.Vector(vertex.normal)) ||
        (format.vertexColor && !io.Colour(vertex.color))) {
        return false;
    }
    if (!weights) {
        std::int32_t none = 0;
        return io.Fixed(none, 0);
    }
    return io.List(vertex, vertex.weights, AllocWeights, kWeightFields);
}

inline constexpr auto kTriangleFields = [](auto& io, auto& triangle) {
    for (auto& value : triangle.ints) {
        if (!io.Int(value)) {
            return false;
        }
    }
    return io.Float(triangle.value);
};

inline constexpr auto kUVCoordFields = [](auto& io, auto& coord) {
    return io.Fixed(coord.tag, kWrittenUVCoordTag) && io.Float(coord.u) && io.Float(coord.v);
};

// A UV set as the writers store it: named by its position in the file
// whatever the scene called it, with the scene's coordinates of that set
// (none when the scene has fewer sets) and no triangles.
struct WrittenUVSet {
    TVXString name;
    std::span<const TVXUVCoord> coords;
    std::span<const TVXTriangle> triangles;
};

inline WrittenUVSet WrittenUVSetAt(const TVXScene& scene, int k) {
    WrittenUVSet written;
    char name[16] = {};
    std::snprintf(name, sizeof name, "UVSet%d", k);
    written.name.SetNarrow(name);
    if (k >= 0 && k < Count(scene.uvSets)) {
        written.coords = scene.uvSets[static_cast<std::size_t>(k)].coords;
    }
    return written;
}

template <class Io, class UVSet>
[[nodiscard]] bool UVSetFields(Io& io, UVSet& uvSet) {
    return io.String(uvSet.name) && io.List(uvSet, uvSet.coords, AllocUVCoords, kUVCoordFields) &&
           io.List(uvSet, uvSet.triangles, AllocUVTriangles, kTriangleFields);
}

inline constexpr auto kUVSetFields = [](auto& io, auto& uvSet) { return UVSetFields(io, uvSet); };

// What the writers store as UV set k of the scene.
inline auto WrittenUVSetFields(const TVXScene& scene) {
    return [&scene](auto& io, int k) {
        const WrittenUVSet uvSet = WrittenUVSetAt(scene, k);
        return UVSetFields(io, uvSet);
    };
}

}  // namespace tvx
