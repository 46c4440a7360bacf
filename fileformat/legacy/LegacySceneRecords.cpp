#include "fileformat/legacy/LegacySceneRecords.h"

#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/SceneRecordFields.h"

namespace tvx {

bool ReadLegacyLights(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.lights, pass.scene.fileCounts.lightCount, kLightFields);
}

bool ReadLegacyCameras(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.cameras, pass.scene.fileCounts.cameraCount, kCameraFields);
}

bool ReadLegacyGroups(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.groups, pass.scene.fileCounts.groupCount, kGroupFields);
}

bool ReadLegacyBones(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.bones, pass.scene.fileCounts.boneCount, kBoneFields);
}

bool ReadLegacyAnimations(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.animations, pass.scene.fileCounts.animationCount, kAnimationFields);
}

}  // namespace tvx
