#include "document/MeshAllocation.h"

#include <string>

#include "document/ArrayAllocation.h"

namespace tvx {

int AllocVertices(TVXScene& scene, int n) {
    if (n == 0 && scene.role == SceneRole::Export) {
        detail::ReleaseArray(scene.vertices);
        return 1;
    }
    return detail::AllocArray(scene.vertices, n);
}

int AllocWeights(TVXVertex& vertex, int n) { return detail::AllocArray(vertex.weights, n); }

int AllocTriangles(TVXScene& scene, int n) { return detail::AllocArray(scene.triangles, n); }

int AllocUVSets(TVXScene& scene, int n) {
    return detail::AllocArray(scene.uvSets, n, [](TVXUVSet& uvSet, int i) {
        uvSet.name = TVXString::FromNarrow("UVSet" + std::to_string(i + 1));
    });
}

int AllocUVCoords(TVXUVSet& uvSet, int n) { return detail::AllocArray(uvSet.coords, n); }

int AllocUVTriangles(TVXUVSet& uvSet, int n) { return detail::AllocArray(uvSet.triangles, n); }

int AllocFaceLists(TVXScene& scene, int n) { return detail::AllocArray(scene.faceLists, n); }

int AllocPolygons(TVXFaceList& faceList, int p) { return detail::AllocArray(faceList.polygons, p); }

TVXPolygon* InitPolygon(TVXFaceList& faceList, int index, int corners) {
    if (index < 0 || index >= Count(faceList.polygons)) {
        return nullptr;
    }
    TVXPolygon& polygon = faceList.polygons[static_cast<std::size_t>(index)];
    if (polygon.hasArrays()) {
        return nullptr;
    }
    if (!polygon.AllocArrays(corners < 3 ? 3 : corners, 2, -1)) {
        return nullptr;
    }
    return &polygon;
}

int AllocThreeCornerPolygons(TVXFaceList& faceList, int p) {
    if (!AllocPolygons(faceList, p)) {
        return 0;
    }
    for (int i = 0; i < p; ++i) {
        if (InitPolygon(faceList, i, 3) == nullptr) {
            return 0;
        }
    }
    return 1;
}

}  // namespace tvx
