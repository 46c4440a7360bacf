#include "fileformat/legacy/LegacySceneRecords.h"

#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/SceneRecordFields.h"

namespace tvx {

bool ReadLegacyLights(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.lights, pass.scene.fileCounts.lightCount,
                            [](LegacyReadIo& io, TVXLight& light) { return LightFields(io, light); });
}

bool ReadLegacyCameras(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.cameras, pass.scene.fileCounts.cameraCount,
                            [](LegacyReadIo& io, TVXCamera& camera) { return CameraFields(io, camera); });
}

bool ReadLegacyGroups(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.groups, pass.scene.fileCounts.groupCount,
                            [](LegacyReadIo& io, TVXGroup& group) { return GroupFields(io, group); });
}

bool ReadLegacyBones(LegacyPass& pass) {
    return ReadFieldSection(pass, pass.scene.bones, pass.scene.fileCounts.boneCount,
                            [](LegacyReadIo& io, TVXBone& bone) { return BoneFields(io, bone); });
}

bool ReadLegacyAnimations(LegacyPass& pass) {
    return ReadFieldSection(
        pass, pass.scene.animations, pass.scene.fileCounts.animationCount,
        [](LegacyReadIo& io, TVXAnimation& animation) { return AnimationFields(io, animation); });
}

}  // namespace tvx
