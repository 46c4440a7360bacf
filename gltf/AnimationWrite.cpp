#include "gltf/AnimationWrite.h"

#include <algorithm>
#include <set>

namespace tvx::gltf {
namespace {

template <class Controller>
void AddKeyTimes(const Controller* controller, std::set<hostapi::TimeValue>& times) {
    if (controller != nullptr) {
        for (const auto& key : controller->keys()) {
            times.insert(key.time);
        }
    }
}

// glTF's timeline starts at 0: earlier keys are represented by the pose
// at 0.
std::vector<hostapi::TimeValue> SampleTimes(const memhost::MemTMController& controller) {
    std::set<hostapi::TimeValue> times;
    AddKeyTimes(controller.position(), times);
    AddKeyTimes(controller.rotation(), times);
    AddKeyTimes(controller.scale(), times);
    std::vector<hostapi::TimeValue> out;
    if (!times.empty() && *times.begin() < 0) {
        out.push_back(0);
    }
    for (const hostapi::TimeValue t : times) {
        if (t >= 0 && (out.empty() || t != out.back())) {
            out.push_back(t);
        }
    }
    return out;
}

void AddChannel(tinygltf::Animation& animation, int node, const char* path, int input, int output) {
    tinygltf::AnimationSampler sampler;
    sampler.input = input;
    sampler.output = output;
    sampler.interpolation = "LINEAR";
    animation.samplers.push_back(sampler);
    tinygltf::AnimationChannel channel;
    channel.sampler = static_cast<int>(animation.samplers.size() - 1);
    channel.target_node = node;
    channel.target_path = path;
    animation.channels.push_back(channel);
}

}  // namespace

int WriteAnimation(GltfScene& scene) {
    const auto& settings = scene.host.animation();
    const double ticksPerSecond = static_cast<double>(std::max(settings.ticksPerFrame, 1)) *
                                  static_cast<double>(std::max(settings.frameRate, 1));
    tinygltf::Animation animation;
    animation.name = "HostAnimation";
    int samples = 0;
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        const std::vector<hostapi::TimeValue> times = SampleTimes(scene.nodes[i]->tmController());
        if (times.empty()) {
            continue;
        }
        std::vector<float> seconds, translations, rotations, scales;
        std::array<double, 4> previous{0, 0, 0, 1};
        for (const hostapi::TimeValue t : times) {
            const TRS trs = Decompose(scene.LocalAt(static_cast<int>(i), t));
            if (!trs.exact) {
                scene.Warn("a node sheared by its animation was sampled without its shear");
            }
            std::array<double, 4> q = trs.rotation;
            // The same rotation on the side of the previous sample, so that
            // the interpolation between them takes the shorter arc.
            if (q[0] * previous[0] + q[1] * previous[1] + q[2] * previous[2] + q[3] * previous[3] < 0.0) {
                for (double& c : q) {
                    c = -c;
                }
            }
            previous = q;
            seconds.push_back(static_cast<float>(static_cast<double>(t) / ticksPerSecond));
            for (const double v : trs.translation) translations.push_back(static_cast<float>(v));
            for (const double v : q) rotations.push_back(static_cast<float>(v));
            for (const double v : trs.scale) scales.push_back(static_cast<float>(v));
        }
        const int input = scene.buffer.AddFloats(seconds, 1, true, 0);
        const int node = static_cast<int>(i);
        AddChannel(animation, node, "translation", input, scene.buffer.AddFloats(translations, 3, false, 0));
        AddChannel(animation, node, "rotation", input, scene.buffer.AddFloats(rotations, 4, false, 0));
        AddChannel(animation, node, "scale", input, scene.buffer.AddFloats(scales, 3, false, 0));
        samples += static_cast<int>(times.size());
    }
    if (!animation.channels.empty()) {
        scene.model.animations.push_back(std::move(animation));
    }
    return samples;
}

}  // namespace tvx::gltf
