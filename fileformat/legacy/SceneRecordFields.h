// The records of a legacy body that place things in the scene: lights,
// cameras, groups, bones and animations, each listed once, field by field in
// its stored order, for every version of the family.
//
// `io` is a LegacyReadIo (the record is the scene's, or a scratch one) or a
// LegacyWriteIo (the record is const). Versions 6 to 29 store short records;
// 30 and later the full ones. The written layouts are 31 (full) and 9
// (short, bones with a scale).
#pragma once

#include <climits>
#include <cstdint>

#include "document/SceneAllocation.h"
#include "document/TVXScene.h"
#include "fileformat/container/KeyFields.h"

namespace tvx {

// Every light of version 31 carries this code, whatever the scene holds.
inline constexpr std::int32_t kWrittenLightCode = 1600;
// The third and fourth light values have no meaning to any reader; the
// writers store them as 0 and 1.
inline constexpr float kWrittenLightValue3 = 0.0f;
inline constexpr float kWrittenLightValue4 = 1.0f;
inline constexpr std::int32_t kWrittenCameraInt1 = 0;
inline constexpr std::int32_t kWrittenGroupInt1 = 0;
inline constexpr std::int32_t kWrittenGroupInt2 = -1;

// The written layouts keep no placement per group: every group gets the
// same neutral block, at the origin and unrotated.
inline TVXTransform WrittenGroupTransform() {
    TVXTransform t;
    t.rotation = Quaternion::Zero();
    return t;
}

// A written bone is placed by its position, scale and rotation alone;
// whatever the scene holds in the other fields, the layout stores neutral
// axes and matrix.
inline TVXTransform WrittenBoneTransform(const TVXTransform& stored) {
    TVXTransform t;
    t.position = stored.position;
    t.scale = stored.scale;
    t.rotation = stored.rotation;
    return t;
}

// A short group is a name; a reader places it as an unrotated group at the
// origin, unlike the all-zero transform that allocation leaves.
inline void PlaceShortGroup(TVXGroup& group) {
    group.groupInt1 = 0;
    group.groupInt2 = -1;
    group.transform.xAxis = {1.0f, 0.0f, 0.0f};
    group.transform.yAxis = {0.0f, 1.0f, 0.0f};
    group.transform.zAxis = {0.0f, 0.0f, 1.0f};
    group.transform.position = {};
    group.transform.matrix = Matrix4::Identity();
}

// Versions 6..29 store a light by its position alone; the rest of its
// transform and every value keep what allocation gave them.
template <class Io, class Light>
[[nodiscard]] bool LightFields(Io& io, Light& light) {
    if (!io.String(light.name)) {
        return false;
    }
    if (!io.format().fullRecords) {
        return io.Int(light.lightType) && io.Vector(light.transform.position) && io.Colour(light.color);
    }
    return io.Fixed(light.lightCode, kWrittenLightCode) && io.Int(light.lightType) &&
           io.Transform(light.transform) && io.Float(light.hotspot) && io.Float(light.falloff) &&
           io.Fixed(light.value3, kWrittenLightValue3) && io.Fixed(light.value4, kWrittenLightValue4) &&
           io.Float(light.intensity) && io.Colour(light.color) && io.Float(light.attenuationStart) &&
           io.Float(light.attenuationEnd);
}

// Short cameras store only the second int and the axes and position; the
// matrix stays the identity.
template <class Io, class Camera>
[[nodiscard]] bool CameraFields(Io& io, Camera& camera) {
    if (!io.String(camera.name)) {
        return false;
    }
    auto& t = camera.transform;
    const bool placed = io.format().fullRecords
                            ? io.Fixed(camera.cameraInt1, kWrittenCameraInt1) && io.Int(camera.cameraInt2) &&
                                  io.Transform(t)
                            : io.Int(camera.cameraInt2) && io.Vector(t.xAxis) && io.Vector(t.yAxis) &&
                                  io.Vector(t.zAxis) && io.Vector(t.position);
    return placed && io.Float(camera.fieldOfView) && io.Float(camera.nearDistance) && io.Float(camera.farDistance);
}

template <class Io, class Group>
[[nodiscard]] bool GroupFields(Io& io, Group& group) {
    if (!io.String(group.name)) {
        return false;
    }
    if (!io.format().fullRecords) {
        if constexpr (!Io::kWrites) {
            PlaceShortGroup(group);
        }
        return true;
    }
    return io.Fixed(group.groupInt1, kWrittenGroupInt1) && io.Fixed(group.groupInt2, kWrittenGroupInt2) &&
           io.Fixed(group.transform, WrittenGroupTransform());
}

// Short bones have no scale before version 9; allocation's (1, 1, 1) stands.
template <class Io, class Bone>
[[nodiscard]] bool BoneFields(Io& io, Bone& bone) {
    if (!io.String(bone.name) || !io.Int(bone.parentIndex)) {
        return false;
    }
    auto& t = bone.transform;
    const bool placed = io.format().fullRecords ? io.Fixed(t, WrittenBoneTransform(t))
                                                : io.Vector(t.position) && io.Quat(t.rotation) &&
                                                      (!io.format().boneScale || io.Vector(t.scale));
    return placed && io.Colour(bone.color);
}

inline constexpr auto kKeyFields = [](auto& io, auto& key) { return KeyFields(io, key); };

template <class Io, class Track>
[[nodiscard]] bool TrackFields(Io& io, Track& track) {
    return io.List(track, track.positionKeys, AllocPositionKeys, kKeyFields) &&
           io.List(track, track.rotationKeys, AllocRotationKeys, kKeyFields) &&
           io.List(track, track.scaleKeys, AllocScaleKeys, kKeyFields);
}

// An animation holds one track per bone. A reader keeps no more tracks than
// the file stores and no more than there are bones: tracks beyond are read
// and dropped, so the tracks of all animations never outnumber the track
// records actually present.
template <class Io, class Animation>
[[nodiscard]] bool AnimationFields(Io& io, Animation& animation) {
    int tracksKept = INT_MAX;
    if constexpr (!Io::kWrites) {
        tracksKept = Count(io.pass().scene.bones);
    }
    return io.String(animation.name) && io.Int(animation.reserved) && io.Float(animation.start) &&
           io.Float(animation.end) && io.Float(animation.frameRate) &&
           io.List(animation, animation.tracks, AllocTracks,
                   [](auto& inner, auto& track) { return TrackFields(inner, track); }, tracksKept);
}

// The field lists as function objects, for the section walkers.
inline constexpr auto kLightFields = [](auto& io, auto& light) { return LightFields(io, light); };
inline constexpr auto kCameraFields = [](auto& io, auto& camera) { return CameraFields(io, camera); };
inline constexpr auto kGroupFields = [](auto& io, auto& group) { return GroupFields(io, group); };
inline constexpr auto kBoneFields = [](auto& io, auto& bone) { return BoneFields(io, bone); };
inline constexpr auto kAnimationFields = [](auto& io, auto& animation) { return AnimationFields(io, animation); };

}  // namespace tvx
