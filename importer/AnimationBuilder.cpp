#include "importer/AnimationBuilder.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "geometry/Matrix.h"
#include "geometry/QuaternionOps.h"
#include "geometry/Vector.h"
#include "hostapi/Controllers.h"
#include "importer/HostConversions.h"

namespace tvx::importer {
namespace {

int FramesPerSecond(const TVXAnimation& animation) {
    const int fps = TruncateToInt(animation.frameRate);
    return fps == 0 ? kDefaultFrameRate : fps;
}

// From the start frame to the start plus the stored end value, in ticks.
hostapi::Interval AnimationRange(const TVXAnimation& animation) {
    const float length = animation.end == 0.0f ? kDefaultAnimationFrames : animation.end;
    // Frames come from the file as floats; their ticks stop at the ends of
    // the host's time instead of overflowing.
    const auto ticks = [](int frames) {
        const std::int64_t t = static_cast<std::int64_t>(frames) * kImportTicksPerFrame;
        return static_cast<hostapi::TimeValue>(std::clamp<std::int64_t>(
            t, std::numeric_limits<hostapi::TimeValue>::min(), std::numeric_limits<hostapi::TimeValue>::max()));
    };
    return {ticks(TruncateToInt(animation.start)), ticks(TruncateToInt(animation.start + length))};
}

// A linear controller of the given kind installed on the node, and its key
// control; null when any step is refused.
hostapi::IKeyControl* InstallController(ImportSession& session, hostapi::INode& node, hostapi::SClass_ID kind,
                                        hostapi::ULONG classA) {
    hostapi::Control* transform = node.GetTMController();
    auto* controller = static_cast<hostapi::Control*>(session.ip.CreateInstance(kind, hostapi::Class_ID(classA, 0)));
    if (transform == nullptr || controller == nullptr) {
        return nullptr;
    }
    hostapi::BOOL installed = hostapi::FALSE;
    if (kind == hostapi::CTRL_POSITION_CLASS_ID) {
        installed = transform->SetPositionController(controller);
    } else if (kind == hostapi::CTRL_ROTATION_CLASS_ID) {
        installed = transform->SetRotationController(controller);
    } else {
        installed = transform->SetScaleController(controller);
    }
    return installed != hostapi::FALSE ? hostapi::GetKeyControlInterface(controller) : nullptr;
}

template <class HostKey, class StoredKey, class Convert>
void SetKeys(ImportSession& session, hostapi::INode& node, hostapi::SClass_ID kind, hostapi::ULONG classA,
             const std::vector<StoredKey>& keys, int fps, Convert convert) {
    if (keys.empty()) {
        return;
    }
    hostapi::IKeyControl* control = InstallController(session, node, kind, classA);
    if (control == nullptr) {
        return;
    }
    control->SetNumKeys(Count(keys));
    for (int j = 0; j < Count(keys); ++j) {
        const StoredKey& stored = keys[static_cast<std::size_t>(j)];
        HostKey key;
        key.time = SecondsToTicks(stored.time, fps);
        key.val = convert(stored);
        control->SetKey(j, &key);
    }
}

void BuildTrack(ImportSession& session, int bone, const TVXBoneTrack& track, int fps) {
    hostapi::INode* node = session.BoneNode(bone);
    if (node == nullptr) {
        return;
    }
    const TVXTransform& rest = session.scene.bones[static_cast<std::size_t>(bone)].transform;
    SetKeys<hostapi::ILinPoint3Key>(session, *node, hostapi::CTRL_POSITION_CLASS_ID,
                                    hostapi::LININTERP_POSITION_CLASS_ID, track.positionKeys, fps,
                                    [&](const TVXPositionKey& k) { return PositionKeyValue(rest, k.position); });
    SetKeys<hostapi::ILinRotKey>(session, *node, hostapi::CTRL_ROTATION_CLASS_ID,
                                 hostapi::LININTERP_ROTATION_CLASS_ID, track.rotationKeys, fps,
                                 [&](const TVXRotationKey& k) { return RotationKeyValue(rest, k.rotation); });
    SetKeys<hostapi::ILinScaleKey>(session, *node, hostapi::CTRL_SCALE_CLASS_ID, hostapi::LININTERP_SCALE_CLASS_ID,
                                   track.scaleKeys, fps,
                                   [&](const TVXScaleKey& k) { return ScaleKeyValue(rest, k.scale); });
}

}  // namespace

// A file's keys pose a bone on top of its stored placement (its bind pose
// times the key's), as the skeleton pose of a load does; the host's
// controllers hold whole values instead, so the placement is folded in.
hostapi::Point3 PositionKeyValue(const TVXTransform& bone, const Vector3& key) {
    const Vector3 scaled{bone.scale.x * key.x, bone.scale.y * key.y, bone.scale.z * key.z};
    return ToPoint3(TransformPoint(RotationMatrix(bone.rotation), scaled) + bone.position);
}

hostapi::Quat RotationKeyValue(const TVXTransform& bone, const Quaternion& key) {
    return ToHostQuat(Multiply(bone.rotation, key));
}

hostapi::ScaleValue ScaleKeyValue(const TVXTransform& bone, const Vector3& key) {
    const Vector3 s{bone.scale.x * key.x, bone.scale.y * key.y, bone.scale.z * key.z};
    return hostapi::ScaleValue(ToPoint3(s), hostapi::Quat());
}

void BuildAnimation(ImportSession& session) {
    const TVXScene& scene = session.scene;
    if (scene.animations.empty() || !IsOn(session.options.importBones) ||
        !IsOn(session.options.importAnimation) || scene.animations.front().tracks.empty() ||
        session.poses.bonePoses.empty()) {
        return;
    }
    const TVXAnimation& animation = scene.animations.front();
    const int fps = FramesPerSecond(animation);
    session.ip.SetFrameRate(fps);
    session.ip.SetTicksPerFrame(kImportTicksPerFrame);
    session.ip.SetAnimRange(AnimationRange(animation));
    const int tracks = std::min(Count(animation.tracks), Count(scene.bones));
    for (int i = 0; i < tracks; ++i) {
        BuildTrack(session, i, animation.tracks[static_cast<std::size_t>(i)], fps);
    }
}

}  // namespace tvx::importer
