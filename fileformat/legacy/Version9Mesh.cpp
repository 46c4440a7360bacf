#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

// Only the third float of a version-9 UV triplet is unused; readers skip it.
constexpr float kUnusedUVFloat = 0.0f;

// The file stores coordinates, not indices. An index that names no
// coordinate (negative, past its set, or a channel without a set) stores
// (0, 0) rather than reading outside the scene.
TVXUVCoord CoordinateAt(const TVXScene& scene, int channel, int index) {
    if (channel >= Count(scene.uvSets)) {
        return {};
    }
    const std::vector<TVXUVCoord>& coords = scene.uvSets[static_cast<std::size_t>(channel)].coords;
    if (index < 0 || index >= Count(coords)) {
        return {};
    }
    return coords[static_cast<std::size_t>(index)];
}

bool WriteInlineUVs(const TVXScene& scene, const TVXPolygon& polygon, bool mapping, FileWriter& w) {
    bool ok = true;
    for (int k = 0; k < polygon.uvChannelCount(); ++k) {
        for (const int index : polygon.uvIndices(k)) {
            const TVXUVCoord coord = mapping ? CoordinateAt(scene, k, index) : TVXUVCoord{};
            ok = ok && w.Float(coord.u) && w.Float(coord.v) && w.Float(kUnusedUVFloat);
        }
    }
    return ok;
}

bool WritePolygon(const TVXScene& scene, const TVXPolygon& polygon, bool mapping, FileWriter& w) {
    const int material = polygon.materialIndex < 0 ? -1 : polygon.materialIndex;
    bool ok = w.Int(polygon.cornerCount()) && w.Int(polygon.uvChannelCount()) && w.Int(material) &&
              w.Int(polygon.smoothing);
    for (const int vertex : polygon.vertexIndices()) {
        ok = ok && w.Int(vertex);
    }
    return ok && WriteInlineUVs(scene, polygon, mapping, w);
}

}  // namespace

bool WriteVersion9Vertices(std::span<const TVXVertex> vertices, Version9VertexForm form, FileWriter& writer) {
    LegacyWriteIo io(writer, Version9Format(form));
    for (const TVXVertex& vertex : vertices) {
        if (!VertexFields(io, vertex, form.weights)) {
            return false;
        }
    }
    return true;
}

// A group without a face list of its own is written with no polygons.
bool WriteVersion9FaceLists(const TVXScene& scene, int listCount, bool mapping, FileWriter& writer) {
    bool ok = true;
    for (int i = 0; ok && i < listCount; ++i) {
        std::span<const TVXPolygon> polygons;
        if (i < Count(scene.faceLists)) {
            polygons = scene.faceLists[static_cast<std::size_t>(i)].polygons;
        }
        ok = writer.Int(i) && writer.Int(static_cast<int>(polygons.size()));
        for (const TVXPolygon& polygon : polygons) {
            ok = ok && WritePolygon(scene, polygon, mapping, writer);
        }
    }
    return ok;
}

}  // namespace tvx
