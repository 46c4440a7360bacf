#include "document/ArrayAllocation.h"
#include "document/TVXScene.h"

namespace tvx {

void ClearScene(TVXScene& scene) {
    detail::ReleaseArray(scene.lights);
    detail::ReleaseArray(scene.cameras);
    detail::ReleaseArray(scene.groups);
    detail::ReleaseArray(scene.bones);
    detail::ReleaseArray(scene.materials);
    detail::ReleaseArray(scene.vertices);
    detail::ReleaseArray(scene.triangles);
    detail::ReleaseArray(scene.uvSets);
    detail::ReleaseArray(scene.faceLists);
    detail::ReleaseArray(scene.animations);
    scene.fileCounts = {};
    scene.version = 0;
    scene.legacyUVCoordCount = 0;
    scene.vertexNormalsStored = false;
    scene.vertexColorsStored = false;
    if (scene.role == SceneRole::Export) {
        scene.scenePath.clear();
    }
}

}  // namespace tvx
