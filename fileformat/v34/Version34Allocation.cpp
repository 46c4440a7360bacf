#include "fileformat/v34/Version34Allocation.h"

#include <algorithm>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"

namespace tvx::v34 {
namespace {

// A scene gets two UV sets even when its file has none.
constexpr int kDefaultUVSetCount = 2;

bool HasContent(const TVXFileCounts& c) {
    // Triangles and UV sets alone do not make a scene.
    return c.lightCount != 0 || c.cameraCount != 0 || c.materialCount != 0 || c.groupCount != 0 ||
           c.vertexCount != 0 || c.faceListCount != 0 || c.boneCount != 0 || c.animationCount != 0;
}

int AllocIfAny(int (*alloc)(TVXScene&, int), TVXScene& scene, int count) {
    return count <= 0 || alloc(scene, count) == 1;
}

}  // namespace

int SettleCounts(TVXFileCounts& counts, const MeshChunksSeen& seen) {
    // Every other count was walked record by record; these two are claims.
    // Face lists past the chunks present would all be empty: keep one per
    // group at most. UV sets past the chunks present keep at least the two
    // that every scene has. Either way a four-byte claim cannot size a huge
    // array.
    counts.faceListCount = std::min(counts.faceListCount, std::max(seen.faceLists, counts.groupCount));
    counts.uvSetCount = std::min(counts.uvSetCount, std::max(seen.uvSets, kDefaultUVSetCount));
    if (!HasContent(counts)) {
        return 0;
    }
    if (counts.groupCount == 0) {
        counts.groupCount = 1;
    }
    if (counts.uvSetCount == 0) {
        counts.uvSetCount = kDefaultUVSetCount;
    }
    return 1;
}

// Animation tracks are not given here: each animation gets its tracks in the
// fill pass, sized by the tracks it really carries.
int AllocateScene(TVXScene& scene) {
    const TVXFileCounts& c = scene.fileCounts;
    return AllocIfAny(AllocLights, scene, c.lightCount) && AllocIfAny(AllocCameras, scene, c.cameraCount) &&
           AllocIfAny(AllocMaterials, scene, c.materialCount) && AllocIfAny(AllocGroups, scene, c.groupCount) &&
           AllocIfAny(AllocVertices, scene, c.vertexCount) && AllocIfAny(AllocTriangles, scene, c.triangleCount) &&
           AllocIfAny(AllocUVSets, scene, c.uvSetCount) && AllocIfAny(AllocFaceLists, scene, c.faceListCount) &&
           AllocIfAny(AllocBones, scene, c.boneCount) && AllocIfAny(AllocAnimations, scene, c.animationCount);
}

}  // namespace tvx::v34
