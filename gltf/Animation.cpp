#include "gltf/Animation.h"

#include <cmath>
#include <string>

#include "gltf/HostAxes.h"
#include "gltf/GltfError.h"
#include "gltf/Sampler.h"

namespace tvx::gltf {

namespace {

constexpr int kTicksPerSecond = kFrameRate * kTicksPerFrame;
// An hour of frames; longer is no animation a host key list should take.
constexpr double kMaxSeconds = 3600.0;

enum class Part { Translation, Rotation, Scale };

struct Channel {
    int node;
    Part part;
    Track track;
};

Part PartOf(const std::string& path) {
    if (path == "translation") {
        return Part::Translation;
    }
    return path == "rotation" ? Part::Rotation : Part::Scale;
}

std::vector<Channel> Channels(const tinygltf::Model& model, const tinygltf::Animation& a, HostScene& scene) {
    std::vector<Channel> out;
    for (const tinygltf::AnimationChannel& c : a.channels) {
        if (c.target_path != "translation" && c.target_path != "rotation" && c.target_path != "scale") {
            scene.Warn("animation channel of \"" + c.target_path + "\" is left out");
            continue;
        }
        if (c.target_node < 0 || static_cast<std::size_t>(c.target_node) >= model.nodes.size()) {
            throw GltfError("an animation channel targets node " + std::to_string(c.target_node) +
                            ", which does not exist");
        }
        if (!model.nodes[static_cast<std::size_t>(c.target_node)].matrix.empty()) {
            throw GltfError("node " + std::to_string(c.target_node) + " has a matrix and is animated");
        }
        if (c.sampler < 0 || static_cast<std::size_t>(c.sampler) >= a.samplers.size()) {
            throw GltfError("an animation channel names sampler " + std::to_string(c.sampler) +
                            ", which does not exist");
        }
        const Part part = PartOf(c.target_path);
        out.push_back({c.target_node, part,
                       Track(model, a.samplers[static_cast<std::size_t>(c.sampler)], part == Part::Rotation ? 4 : 3,
                             part == Part::Rotation)});
    }
    return out;
}

// Sample times in ticks: every frame, and the end itself when it falls between.
std::vector<int> SampleTicks(double seconds) {
    if (seconds > kMaxSeconds) {
        throw GltfError("the animation lasts " + std::to_string(seconds) + " s, longer than an hour");
    }
    const auto end = static_cast<int>(std::lround(seconds * kTicksPerSecond));
    std::vector<int> ticks;
    for (int t = 0; t < end; t += kTicksPerFrame) {
        ticks.push_back(t);
    }
    ticks.push_back(end);
    return ticks;
}

Json Key(int tick, Part part, const std::vector<double>& v, Frames frames) {
    const char* what = "an animation value";
    if (part == Part::Translation) {
        const Vec3 p = HostTranslation({v[0], v[1], v[2]}, frames);
        return {tick, HostNumber(p[0], what), HostNumber(p[1], what), HostNumber(p[2], what)};
    }
    if (part == Part::Rotation) {
        const Quat q = HostRotation({v[0], v[1], v[2], v[3]}, frames);
        return {tick, HostNumber(q[0], what), HostNumber(q[1], what), HostNumber(q[2], what), HostNumber(q[3], what)};
    }
    const Vec3 s = HostScale({v[0], v[1], v[2]}, frames);
    return {tick, HostNumber(s[0], what), HostNumber(s[1], what), HostNumber(s[2], what), 0.0, 0.0, 0.0, 1.0};
}

const char* ControllerKey(Part part) {
    return part == Part::Translation ? "position" : part == Part::Rotation ? "rotation" : "scale";
}

const char* ControllerKind(Part part) {
    return part == Part::Translation ? "linearPosition" : part == Part::Rotation ? "linearRotation" : "linearScale";
}

void SetAtTimeZero(TRS& trs, Part part, const std::vector<double>& v) {
    if (part == Part::Translation) {
        trs.translation = {v[0], v[1], v[2]};
    } else if (part == Part::Rotation) {
        trs.rotation = {v[0], v[1], v[2], v[3]};
    } else {
        trs.scale = {v[0], v[1], v[2]};
    }
}

}  // namespace

SampledAnimation SampleAnimation(const tinygltf::Model& model, int index, const std::vector<TRS>& statics,
                                 const std::vector<Frames>& frames, HostScene& scene, memhost::SceneBudget& budget) {
    if (index < 0 || static_cast<std::size_t>(index) >= model.animations.size()) {
        throw GltfError("there is no animation " + std::to_string(index) + " (the file has " +
                        std::to_string(model.animations.size()) + ")");
    }
    const std::vector<Channel> channels = Channels(model, model.animations[static_cast<std::size_t>(index)], scene);
    double seconds = 0.0;
    for (const Channel& c : channels) {
        seconds = std::max(seconds, c.track.EndTime());
    }
    const std::vector<int> ticks = SampleTicks(seconds);
    TakeSampledKeys(channels.size(), ticks.size(), budget);
    SampledAnimation out;
    out.endTicks = ticks.back();
    for (const Channel& c : channels) {
        Json keys = Json::array();
        for (const int tick : ticks) {
            keys.push_back(Key(tick, c.part, c.track.At(tick / static_cast<double>(kTicksPerSecond)),
                               frames[static_cast<std::size_t>(c.node)]));
        }
        out.keys += static_cast<int>(keys.size());
        Json& controllers = out.controllers[c.node];
        if (controllers.is_null()) {
            controllers = {{"class", "positionRotationScale"}, {"position", nullptr}, {"rotation", nullptr},
                           {"scale", nullptr}};
        }
        controllers[ControllerKey(c.part)] = {{"kind", ControllerKind(c.part)}, {"keys", keys}};
        auto [it, fresh] = out.atTimeZero.try_emplace(c.node, statics[static_cast<std::size_t>(c.node)]);
        SetAtTimeZero(it->second, c.part, c.track.At(0.0));
    }
    return out;
}

}  // namespace tvx::gltf
