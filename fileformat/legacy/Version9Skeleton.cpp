#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

// The short bone record: no axes or matrix, only what the pose needs.
bool WriteBone(const TVXBone& bone, FileWriter& w) {
    const TVXTransform& t = bone.transform;
    return w.NarrowString(bone.name.narrowView()) && w.Int(bone.parentIndex) && w.Vector(t.position) &&
           w.Quat(t.rotation) && w.Vector(t.scale) && w.Colour(bone.color);
}

bool WriteKeyValue(const TVXPositionKey& key, FileWriter& w) { return w.Vector(key.position); }
bool WriteKeyValue(const TVXRotationKey& key, FileWriter& w) { return w.Quat(key.rotation); }
bool WriteKeyValue(const TVXScaleKey& key, FileWriter& w) { return w.Vector(key.scale); }

template <class Key>
bool WriteKeys(const std::vector<Key>& keys, FileWriter& w) {
    bool ok = w.Int(Count(keys));
    for (const Key& key : keys) {
        ok = ok && w.Float(key.time) && WriteKeyValue(key, w);
    }
    return ok;
}

bool WriteAnimation(const TVXAnimation& animation, FileWriter& w) {
    bool ok = w.NarrowString(animation.name.narrowView()) && w.Int(animation.reserved) && w.Float(animation.start) &&
              w.Float(animation.end) && w.Float(animation.frameRate) && w.Int(Count(animation.tracks));
    for (const TVXBoneTrack& track : animation.tracks) {
        ok = ok && WriteKeys(track.positionKeys, w) && WriteKeys(track.rotationKeys, w) &&
             WriteKeys(track.scaleKeys, w);
    }
    return ok;
}

}  // namespace

bool WriteVersion9Bones(std::span<const TVXBone> bones, FileWriter& writer) {
    bool ok = true;
    for (const TVXBone& bone : bones) {
        ok = ok && WriteBone(bone, writer);
    }
    return ok;
}

bool WriteVersion9Animations(std::span<const TVXAnimation> animations, FileWriter& writer) {
    bool ok = true;
    for (const TVXAnimation& animation : animations) {
        ok = ok && WriteAnimation(animation, writer);
    }
    return ok;
}

}  // namespace tvx
