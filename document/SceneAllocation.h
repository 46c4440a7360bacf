// Allocation of the scene's light, camera, group, bone and animation arrays
// and of the key lists of a bone track.
//
// Each call releases the existing array of its kind and creates n records in
// their allocated state (see SceneRecords.h) with the default names
// "Light%d" and "Camera%d" (0-based), "Unassigned", "Blank" and
// "DefaultAnim". n <= 0 is refused and changes nothing. Returns 1 or 0.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

[[nodiscard]] int AllocLights(TVXScene& scene, int n);
[[nodiscard]] int AllocCameras(TVXScene& scene, int n);
[[nodiscard]] int AllocGroups(TVXScene& scene, int n);
[[nodiscard]] int AllocBones(TVXScene& scene, int n);
[[nodiscard]] int AllocAnimations(TVXScene& scene, int n);
// n empty tracks, one per bone.
[[nodiscard]] int AllocTracks(TVXAnimation& animation, int n);
// n keys of that kind, all zero until filled.
[[nodiscard]] int AllocPositionKeys(TVXBoneTrack& track, int n);
[[nodiscard]] int AllocRotationKeys(TVXBoneTrack& track, int n);
[[nodiscard]] int AllocScaleKeys(TVXBoneTrack& track, int n);

}  // namespace tvx
