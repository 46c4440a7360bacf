#include "exporter/SkeletonConversion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "document/SceneAllocation.h"
#include "exporter/ExportRefusal.h"
#include "exporter/NodeTransforms.h"
#include "exporter/SceneTables.h"
#include "geometry/QuaternionOps.h"
#include "geometry/Vector.h"

namespace tvx::exporter {
namespace {

constexpr int kDefaultFrameRate = 30;

// A range beyond these is refused rather than sampled: one of ticks 0 to
// 2^31 - 1 is 13 million frames, minutes of sampling and gigabytes of keys
// for a single node.
constexpr long long kMostSampledFrames = 100'000;     // 55 minutes at 30 fps
constexpr long long kMostSamples = 20'000'000;        // frames times nodes: about 1 GB of keys

void RequireSampleable(const hostapi::Interval& range, long long frames, std::size_t nodes) {
    const std::string holds = "the animation range (ticks " + std::to_string(range.Start()) + " to " +
                              std::to_string(range.End()) + ") holds " + std::to_string(frames) + " frames";
    if (frames > kMostSampledFrames) {
        throw ExportRefusal(holds + ", more than the " + std::to_string(kMostSampledFrames) +
                            " the exporter samples");
    }
    const long long samples = frames * static_cast<long long>(nodes);
    if (samples > kMostSamples) {
        throw ExportRefusal(holds + " for each of " + std::to_string(nodes) + " nodes, more than the " +
                            std::to_string(kMostSamples) + " samples the exporter takes");
    }
}

// The parent a node is placed against: its host parent when that is a bone
// of the file too, otherwise none. A node whose parent stays behind (not
// selected, or a light or camera) is a root of the file and must keep its
// place in the world, not its place relative to a parent the file lacks.
hostapi::INode* ExportedParent(const NodeIndex& index, hostapi::INode& node) {
    hostapi::INode* parent = node.GetParentNode();
    return index.Of(parent) >= 0 ? parent : nullptr;
}

Placement PlacementAt(hostapi::INode& node, hostapi::INode* parent, hostapi::TimeValue t) {
    return DecomposePlacement(WithoutNearZeros(LocalTransformAt(node, parent, t)));
}

// The component divided by d, or kept where d is 0.
float DividedBy(float v, float d) { return d != 0.0f ? v / d : v; }

// What every key of a node is measured against: its placement at time 0.
struct ReferencePose {
    Placement placement;
    Quaternion inverseRotation;
    Vector3 axes[3];

    ReferencePose(hostapi::INode& node, hostapi::INode* parent) {
        const hostapi::Matrix3 local = WithoutNearZeros(LocalTransformAt(node, parent, 0));
        placement = DecomposePlacement(local);
        inverseRotation = Inverse(placement.rotation);
        for (int r = 0; r < 3; ++r) {
            const hostapi::Point3 row = local.GetRow(r);
            axes[r] = {row.x, row.y, row.z};
        }
    }

    // A position key is read inside the bone's own frame, scale included
    // (the bone's placement times the key's), so the offset is measured
    // along the axes at time 0 and divided by their scale once more: the
    // projection onto an axis of length s already holds it once.
    Vector3 Offset(const Vector3& position) const {
        const Vector3 d = position - placement.position;
        const Vector3& s0 = placement.scale;
        return {DividedBy(Dot(axes[0], d), s0.x * s0.x), DividedBy(Dot(axes[1], d), s0.y * s0.y),
                DividedBy(Dot(axes[2], d), s0.z * s0.z)};
    }

    Vector3 RelativeScale(const Vector3& s) const {
        const Vector3& s0 = placement.scale;
        return {DividedBy(s.x, s0.x), DividedBy(s.y, s0.y), DividedBy(s.z, s0.z)};
    }
};

// Frames count from `start`, the first tick of the host's animation range,
// and so do the key times: the file's animation begins where the range does.
int SampleTrack(hostapi::INode& node, hostapi::INode* parent, hostapi::TimeValue start, int frames,
                int ticksPerFrame, int frameRate, TVXBoneTrack& track) {
    if (!AllocPositionKeys(track, frames) || !AllocRotationKeys(track, frames) || !AllocScaleKeys(track, frames)) {
        return 0;
    }
    const ReferencePose reference(node, parent);
    for (int f = 0; f < frames; ++f) {
        const auto i = static_cast<std::size_t>(f);
        const float seconds = static_cast<float>(f) / static_cast<float>(frameRate);
        const Placement now = PlacementAt(node, parent, start + f * ticksPerFrame);
        track.positionKeys[i] = {seconds, reference.Offset(now.position)};
        track.rotationKeys[i] = {seconds, Multiply(reference.inverseRotation, now.rotation)};
        track.scaleKeys[i] = {seconds, reference.RelativeScale(now.scale)};
    }
    return 1;
}

}  // namespace

int ConvertBones(const std::vector<hostapi::INode*>& nodes, TVXScene& scene) {
    if (nodes.empty()) {
        return 1;
    }
    if (!AllocBones(scene, Count(nodes))) {
        return 0;
    }
    const NodeIndex index(nodes);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        hostapi::INode& node = *nodes[i];
        TVXBone& bone = scene.bones[i];
        const char* name = node.GetName();
        bone.name = TVXString::FromNarrow(name != nullptr ? name : "");
        bone.parentIndex = index.Of(node.GetParentNode());
        const Placement placement = PlacementAt(node, ExportedParent(index, node), 0);
        bone.transform.position = placement.position;
        bone.transform.rotation = placement.rotation;
        bone.transform.scale = placement.scale;
        bone.color = {1.0f, 1.0f, 1.0f, 1.0f};
    }
    return 1;
}

int ConvertAnimation(const std::vector<hostapi::INode*>& nodes, hostapi::Interface& ip, TVXScene& scene,
                     bool sampleKeys) {
    if (!AllocAnimations(scene, 1)) {
        return 0;
    }
    TVXAnimation& animation = scene.animations.front();
    const hostapi::Interval range = ip.GetAnimRange();
    const int rate = ip.GetFrameRate() == 0 ? kDefaultFrameRate : ip.GetFrameRate();
    // A host reporting no ticks per frame would have no frames at all.
    const int ticksPerFrame = std::max(ip.GetTicksPerFrame(), 1);
    const long long length = static_cast<long long>(range.End()) - range.Start();
    const long long frames = sampleKeys ? std::max<long long>(length / ticksPerFrame + 1, 0) : 0;
    RequireSampleable(range, frames, nodes.size());
    animation.reserved = 0;
    animation.start = 0.0f;
    animation.end = static_cast<float>(length / ticksPerFrame);
    animation.frameRate = static_cast<float>(rate);
    if (!nodes.empty() && !AllocTracks(animation, Count(nodes))) {
        return 0;
    }
    const NodeIndex index(nodes);
    for (std::size_t b = 0; b < nodes.size(); ++b) {
        hostapi::INode& node = *nodes[b];
        if (frames > 0 && !SampleTrack(node, ExportedParent(index, node), range.Start(), static_cast<int>(frames),
                                       ticksPerFrame, rate, animation.tracks[b])) {
            return 0;
        }
    }
    StoreAnimationRange(animation);
    return 1;
}

void StoreAnimationRange(TVXAnimation& animation) {
    float smallest = std::numeric_limits<float>::max();
    float largest = 0.0f;
    bool anyKey = false;
    const auto visit = [&](auto&& fn) {
        for (TVXBoneTrack& track : animation.tracks) {
            for (auto& k : track.positionKeys) fn(k.time);
            for (auto& k : track.rotationKeys) fn(k.time);
            for (auto& k : track.scaleKeys) fn(k.time);
        }
    };
    visit([&](float& t) {
        anyKey = true;
        smallest = std::min(smallest, t);
        largest = std::max(largest, t);
    });
    if (!anyKey) {
        smallest = 0.0f;
    }
    if (smallest < 0.0f) {
        largest = 0.0f;
        visit([&](float& t) {
            t -= smallest;
            largest = std::max(largest, t);
        });
    }
    const float rate = animation.frameRate == 0.0f ? static_cast<float>(kDefaultFrameRate) : animation.frameRate;
    animation.start = std::fabs(smallest) * rate;
    animation.end = std::fabs(largest) * rate;
    animation.frameRate = rate;
}

}  // namespace tvx::exporter
