// Lights, cameras, groups, bones and animations of the version-31 layout.
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

// Every light of this layout carries this code, whatever the scene holds.
constexpr std::int32_t kLightCode = 1600;
// The third and fourth light values have no meaning to any reader; the
// layout always stores them as 0 and 1.
constexpr float kLightValue3 = 0.0f;
constexpr float kLightValue4 = 1.0f;
constexpr std::int32_t kCameraInt1 = 0;
constexpr std::int32_t kGroupInt1 = 0;
constexpr std::int32_t kGroupInt2 = -1;

std::size_t At(int i) { return static_cast<std::size_t>(i); }

bool Name(FileWriter& w, const TVXString& name) { return w.NarrowString(name.narrowView()); }

// The layout keeps no placement per group: every group gets the same
// neutral block, at the origin and unrotated.
TVXTransform GroupTransform() {
    TVXTransform t;
    t.rotation = Quaternion::Zero();
    return t;
}

// A bone is placed by its position, scale and rotation alone; whatever the
// scene holds in the other fields, the layout stores neutral axes and matrix.
TVXTransform BoneTransform(const TVXTransform& stored) {
    TVXTransform t;
    t.position = stored.position;
    t.scale = stored.scale;
    t.rotation = stored.rotation;
    return t;
}

bool WriteLight(FileWriter& w, const TVXLight& light) {
    return Name(w, light.name) && w.Int(kLightCode) && w.Int(light.lightType) && w.Transform(light.transform) &&
           w.Float(light.hotspot) && w.Float(light.falloff) && w.Float(kLightValue3) && w.Float(kLightValue4) &&
           w.Float(light.intensity) && w.Colour(light.color) && w.Float(light.attenuationStart) &&
           w.Float(light.attenuationEnd);
}

bool WriteCamera(FileWriter& w, const TVXCamera& camera) {
    return Name(w, camera.name) && w.Int(kCameraInt1) && w.Int(camera.cameraInt2) && w.Transform(camera.transform) &&
           w.Float(camera.fieldOfView) && w.Float(camera.nearDistance) && w.Float(camera.farDistance);
}

bool WriteGroup(FileWriter& w, const TVXGroup& group) {
    return Name(w, group.name) && w.Int(kGroupInt1) && w.Int(kGroupInt2) && w.Transform(GroupTransform());
}

bool WriteBone(FileWriter& w, const TVXBone& bone) {
    return Name(w, bone.name) && w.Int(bone.parentIndex) && w.Transform(BoneTransform(bone.transform)) &&
           w.Colour(bone.color);
}

bool WriteKeyValue(FileWriter& w, const TVXPositionKey& key) { return w.Vector(key.position); }
bool WriteKeyValue(FileWriter& w, const TVXRotationKey& key) { return w.Quat(key.rotation); }
bool WriteKeyValue(FileWriter& w, const TVXScaleKey& key) { return w.Vector(key.scale); }

template <class Key>
bool WriteKeys(FileWriter& w, const std::vector<Key>& keys) {
    if (!w.Int(Count(keys))) {
        return false;
    }
    for (const Key& key : keys) {
        if (!w.Float(key.time) || !WriteKeyValue(w, key)) {
            return false;
        }
    }
    return true;
}

bool WriteTrack(FileWriter& w, const TVXBoneTrack& track) {
    return WriteKeys(w, track.positionKeys) && WriteKeys(w, track.rotationKeys) && WriteKeys(w, track.scaleKeys);
}

bool WriteAnimation(FileWriter& w, const TVXAnimation& animation) {
    if (!Name(w, animation.name) || !w.Int(animation.reserved) || !w.Float(animation.start) ||
        !w.Float(animation.end) || !w.Float(animation.frameRate) || !w.Int(Count(animation.tracks))) {
        return false;
    }
    for (const TVXBoneTrack& track : animation.tracks) {
        if (!WriteTrack(w, track)) {
            return false;
        }
    }
    return true;
}

template <class T>
bool WriteFirst(FileWriter& w, const std::vector<T>& records, int count, bool (*write)(FileWriter&, const T&)) {
    for (int i = 0; i < count; ++i) {
        if (!write(w, records[At(i)])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteVersion31Lights(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(writer, content.scene.lights, count, WriteLight);
}

bool WriteVersion31Cameras(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(writer, content.scene.cameras, count, WriteCamera);
}

bool WriteVersion31Groups(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(writer, content.scene.groups, count, WriteGroup);
}

bool WriteVersion31Bones(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(writer, content.scene.bones, count, WriteBone);
}

bool WriteVersion31Animations(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(writer, content.scene.animations, count, WriteAnimation);
}

}  // namespace tvx
