#include "fileformat/legacy/LegacyMaterials.h"

#include <optional>
#include <unordered_set>

#include "document/MaterialMaps.h"
#include "fileformat/legacy/LegacyMaps.h"
#include "fileformat/container/SceneFolder.h"

namespace tvx {
namespace {

bool ReadMaps(LegacyPass& pass, TVXMaterial& material) {
    int m = 0;
    if (!pass.Int(m)) {
        return false;
    }
    // The count pass walked these m entries, so their bytes are present.
    if (!pass.Reserve<std::optional<TVXMap>>(m) || (pass.filling && m > 0 && !AllocMapSlots(material, m))) {
        return false;
    }
    // A fresh key set per material: clearing one that a large material had
    // grown would cost its bucket count again for every later material.
    std::unordered_set<int> usedKeys;
    for (int j = 0; j < m; ++j) {
        if (!ReadLegacyMapEntry(pass, material, j, usedKeys)) {
            return false;
        }
    }
    return true;
}

bool ReadMaterial(LegacyPass& pass, TVXMaterial& material) {
    if (!pass.String(material.name) || !pass.Int(material.flags)) {
        return false;
    }
    for (RGBA& color : material.colors) {
        if (!pass.reader.ReadRGBA(color)) {
            return false;
        }
    }
    return pass.Float(material.shininess) && pass.Float(material.opacity) && ReadMaps(pass, material);
}

}  // namespace

bool ReadLegacyMaterials(LegacyPass& pass) {
    if (pass.filling) {
        pass.sceneFolder = SceneFolder(pass.scene);
        ChangeToSceneFolder(pass.scene);
    }
    return ReadSection(pass, pass.scene.materials, pass.scene.fileCounts.materialCount, ReadMaterial);
}

}  // namespace tvx
