#include "geometry/TriangulatePolygons.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

#include "document/MeshAllocation.h"

namespace tvx {
namespace {

// Triangles of a polygon; polygons below 3 corners give none.
std::int64_t TrianglesOf(const TVXPolygon& polygon) {
    return polygon.cornerCount() >= 3 ? polygon.cornerCount() - 2 : 0;
}

bool AnyPolygonAboveTriangle(const std::vector<TVXFaceList>& faceLists) {
    return std::any_of(faceLists.begin(), faceLists.end(), [](const TVXFaceList& list) {
        return std::any_of(list.polygons.begin(), list.polygons.end(),
                           [](const TVXPolygon& polygon) { return polygon.cornerCount() >= 4; });
    });
}

void CopyCorners(std::span<const int> from, std::span<int> to, const CornerTriple& corners) {
    for (std::size_t k = 0; k < corners.size(); ++k) {
        to[k] = from[static_cast<std::size_t>(corners[k])];
    }
}

// The smoothing number goes with the triangles: the importer shades by it,
// and a file of triangles only, which is never cut, keeps it as well.
void FillTriangle(const TVXPolygon& source, const CornerTriple& corners, TVXPolygon& target) {
    target.materialIndex = source.materialIndex;
    target.smoothing = source.smoothing;
    CopyCorners(source.vertexIndices(), target.vertexIndices(), corners);
    CopyCorners(source.secondIndices(), target.secondIndices(), corners);
    const int channels = std::min(source.uvChannelCount(), target.uvChannelCount());
    for (int channel = 0; channel < channels; ++channel) {
        CopyCorners(source.uvIndices(channel), target.uvIndices(channel), corners);
        CopyCorners(source.uvSecondIndices(channel), target.uvSecondIndices(channel), corners);
    }
}

// The triangles of one face list, in polygon order. The caller sized the
// target list from the same corner counts.
void FillFaceList(const TVXFaceList& source, TVXFaceList& target) {
    std::size_t next = 0;
    for (const TVXPolygon& polygon : source.polygons) {
        ForEachTriangle(polygon.cornerCount(),
                        [&](const CornerTriple& corners) { FillTriangle(polygon, corners, target.polygons[next++]); });
    }
}

}  // namespace

bool NeedsTriangulation(const TVXScene& scene) {
    return !scene.faceLists.empty() && !scene.vertices.empty() && AnyPolygonAboveTriangle(scene.faceLists);
}

int TriangulatePolygons(TVXScene& scene) {
    if (!NeedsTriangulation(scene)) {
        return 0;
    }
    try {
        std::vector<TVXFaceList> triangulated(scene.faceLists.size());
        for (std::size_t i = 0; i < scene.faceLists.size(); ++i) {
            std::int64_t total = 0;
            for (const TVXPolygon& polygon : scene.faceLists[i].polygons) {
                total += TrianglesOf(polygon);
            }
            // Counts are ints; a total beyond one fails like an allocation.
            if (total > 0 && (total > std::numeric_limits<int>::max() || !AllocThreeCornerPolygons(triangulated[i], static_cast<int>(total)))) {
                return 0;
            }
            FillFaceList(scene.faceLists[i], triangulated[i]);
        }
        scene.faceLists = std::move(triangulated);
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
