#include "fileformat/legacy/LegacyMaterials.h"

#include "fileformat/container/SceneFolder.h"
#include "fileformat/legacy/MaterialRecordFields.h"

namespace tvx {

bool ReadLegacyMaterials(LegacyPass& pass) {
    if (pass.filling()) {
        pass.sceneFolder = SceneFolder(pass.scene);
        ChangeToSceneFolder(pass.scene);
    }
    return ReadFieldSection(pass, pass.scene.materials, pass.scene.fileCounts.materialCount, kMaterialFields);
}

}  // namespace tvx
