#include "fileformat/legacy/LegacySceneRecords.h"

#include <algorithm>

#include "document/SceneAllocation.h"

namespace tvx {
namespace {

// Versions 6..29 store a light by its position alone; the rest of its
// transform and every value keep what allocation gave them.
bool ReadLight(LegacyPass& pass, TVXLight& light) {
    if (!pass.String(light.name)) {
        return false;
    }
    if (!pass.format.fullRecords) {
        return pass.Int(light.lightType) && pass.reader.ReadVector3(light.transform.position) &&
               pass.reader.ReadRGBA(light.color);
    }
    return pass.Int(light.lightCode) && pass.Int(light.lightType) && pass.reader.ReadTransform(light.transform) &&
           pass.Float(light.hotspot) && pass.Float(light.falloff) && pass.Float(light.value3) &&
           pass.Float(light.value4) && pass.Float(light.intensity) && pass.reader.ReadRGBA(light.color) &&
           pass.Float(light.attenuationStart) && pass.Float(light.attenuationEnd);
}

bool ReadCamera(LegacyPass& pass, TVXCamera& camera) {
    if (!pass.String(camera.name)) {
        return false;
    }
    if (!pass.format.fullRecords) {
        // Only the second int is stored; the matrix stays the identity.
        TVXTransform& t = camera.transform;
        if (!pass.Int(camera.cameraInt2) || !pass.reader.ReadVector3(t.xAxis) || !pass.reader.ReadVector3(t.yAxis) ||
            !pass.reader.ReadVector3(t.zAxis) || !pass.reader.ReadVector3(t.position)) {
            return false;
        }
    } else if (!pass.Int(camera.cameraInt1) || !pass.Int(camera.cameraInt2) ||
               !pass.reader.ReadTransform(camera.transform)) {
        return false;
    }
    return pass.Float(camera.fieldOfView) && pass.Float(camera.nearDistance) && pass.Float(camera.farDistance);
}

// A short group is a name; its placement is fixed as an unrotated group at
// the origin, unlike the all-zero transform that allocation leaves.
void SetShortGroupPlacement(TVXGroup& group) {
    group.groupInt1 = 0;
    group.groupInt2 = -1;
    group.transform.xAxis = {1.0f, 0.0f, 0.0f};
    group.transform.yAxis = {0.0f, 1.0f, 0.0f};
    group.transform.zAxis = {0.0f, 0.0f, 1.0f};
    group.transform.position = {};
    group.transform.matrix = Matrix4::Identity();
}

bool ReadGroup(LegacyPass& pass, TVXGroup& group) {
    if (!pass.String(group.name)) {
        return false;
    }
    if (!pass.format.fullRecords) {
        SetShortGroupPlacement(group);
        return true;
    }
    return pass.Int(group.groupInt1) && pass.Int(group.groupInt2) && pass.reader.ReadTransform(group.transform);
}

// Short bones have no scale before version 9; allocation's (1, 1, 1) stands.
bool ReadBone(LegacyPass& pass, TVXBone& bone) {
    if (!pass.String(bone.name) || !pass.Int(bone.parentIndex)) {
        return false;
    }
    TVXTransform& t = bone.transform;
    if (pass.format.fullRecords) {
        if (!pass.reader.ReadTransform(t)) {
            return false;
        }
    } else if (!pass.reader.ReadVector3(t.position) || !pass.reader.ReadQuaternion(t.rotation) ||
               (pass.format.boneScale && !pass.reader.ReadVector3(t.scale))) {
        return false;
    }
    return pass.reader.ReadRGBA(bone.color);
}

bool ReadKeyValue(TVXFileReader& reader, TVXPositionKey& key) { return reader.ReadVector3(key.position); }
bool ReadKeyValue(TVXFileReader& reader, TVXRotationKey& key) { return reader.ReadQuaternion(key.rotation); }
bool ReadKeyValue(TVXFileReader& reader, TVXScaleKey& key) { return reader.ReadVector3(key.scale); }

template <class Key>
bool ReadKey(LegacyPass& pass, Key& key) {
    return pass.Float(key.time) && ReadKeyValue(pass.reader, key);
}

// One key list of a track; without a track the keys are read and dropped.
template <class Key>
bool ReadKeys(LegacyPass& pass, TVXBoneTrack* track, std::vector<Key> TVXBoneTrack::*list,
              int (*allocKeys)(TVXBoneTrack&, int)) {
    int k = 0;
    if (!pass.Int(k)) {
        return false;
    }
    // The count pass walked these k keys, so their bytes are present.
    if (!pass.Reserve<Key>(k) || (track != nullptr && k > 0 && !allocKeys(*track, k))) {
        return false;
    }
    std::vector<Key>* keys = track != nullptr ? &(track->*list) : nullptr;
    return ReadRecords(pass, keys, k, ReadKey<Key>);
}

bool ReadTrack(LegacyPass& pass, TVXBoneTrack* track) {
    return ReadKeys(pass, track, &TVXBoneTrack::positionKeys, AllocPositionKeys) &&
           ReadKeys(pass, track, &TVXBoneTrack::rotationKeys, AllocRotationKeys) &&
           ReadKeys(pass, track, &TVXBoneTrack::scaleKeys, AllocScaleKeys);
}

// An animation holds one track per bone. It gets no more tracks than the file
// stores: tracks beyond the bone count are read and dropped, and an animation
// with fewer tracks than bones keeps only those, so the tracks of all
// animations never outnumber the track records actually present.
bool ReadAnimation(LegacyPass& pass, TVXAnimation& animation) {
    int trackCount = 0;
    if (!pass.String(animation.name) || !pass.Int(animation.reserved) || !pass.Float(animation.start) ||
        !pass.Float(animation.end) || !pass.Float(animation.frameRate) || !pass.Int(trackCount)) {
        return false;
    }
    const int kept = pass.filling ? std::clamp(trackCount, 0, Count(pass.scene.bones)) : 0;
    if (!pass.Reserve<TVXBoneTrack>(trackCount) || (kept > 0 && !AllocTracks(animation, kept))) {
        return false;
    }
    for (int j = 0; j < trackCount; ++j) {
        TVXBoneTrack* track = j < kept ? &animation.tracks[static_cast<std::size_t>(j)] : nullptr;
        if (!ReadTrack(pass, track)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool ReadLegacyLights(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.lights, pass.scene.fileCounts.lightCount, ReadLight);
}

bool ReadLegacyCameras(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.cameras, pass.scene.fileCounts.cameraCount, ReadCamera);
}

bool ReadLegacyGroups(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.groups, pass.scene.fileCounts.groupCount, ReadGroup);
}

bool ReadLegacyBones(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.bones, pass.scene.fileCounts.boneCount, ReadBone);
}

bool ReadLegacyAnimations(LegacyPass& pass) {
    return ReadSection(pass, pass.scene.animations, pass.scene.fileCounts.animationCount, ReadAnimation);
}

}  // namespace tvx
