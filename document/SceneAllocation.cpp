#include "document/SceneAllocation.h"

#include <string>

#include "document/ArrayAllocation.h"

namespace tvx {
namespace {

TVXString IndexedName(const char* prefix, int index) {
    return TVXString::FromNarrow(prefix + std::to_string(index));
}

}  // namespace

int AllocLights(TVXScene& scene, int n) {
    return detail::AllocArray(scene.lights, n, [](TVXLight& light, int i) { light.name = IndexedName("Light", i); });
}

int AllocCameras(TVXScene& scene, int n) {
    return detail::AllocArray(scene.cameras, n,
                              [](TVXCamera& camera, int i) { camera.name = IndexedName("Camera", i); });
}

int AllocGroups(TVXScene& scene, int n) {
    return detail::AllocArray(scene.groups, n,
                              [](TVXGroup& group, int) { group.name = TVXString::FromNarrow("Unassigned"); });
}

int AllocBones(TVXScene& scene, int n) {
    return detail::AllocArray(scene.bones, n, [](TVXBone& bone, int) { bone.name = TVXString::FromNarrow("Blank"); });
}

int AllocAnimations(TVXScene& scene, int n) {
    return detail::AllocArray(scene.animations, n, [](TVXAnimation& animation, int) {
        animation.name = TVXString::FromNarrow("DefaultAnim");
    });
}

int AllocTracks(TVXAnimation& animation, int n) { return detail::AllocArray(animation.tracks, n); }

int AllocPositionKeys(TVXBoneTrack& track, int n) { return detail::AllocArray(track.positionKeys, n); }

int AllocRotationKeys(TVXBoneTrack& track, int n) { return detail::AllocArray(track.rotationKeys, n); }

int AllocScaleKeys(TVXBoneTrack& track, int n) { return detail::AllocArray(track.scaleKeys, n); }

}  // namespace tvx
