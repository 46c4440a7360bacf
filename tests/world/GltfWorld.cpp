#include "tests/world/GltfWorld.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "gltf/Accessors.h"
#include "tests/gltf/ShownScene.h"

namespace tvx::world {
namespace {

bool IsView(const tinygltf::Node& node) {
    return node.camera >= 0 || node.extensions.count("KHR_lights_punctual") != 0;
}

std::optional<View> ViewOf(const tinygltf::Model& model, const tinygltf::Node& node) {
    const auto light = node.extensions.find("KHR_lights_punctual");
    View view;
    if (light != node.extensions.end()) {
        const tinygltf::Light& l = model.lights.at(static_cast<std::size_t>(light->second.Get("light").GetNumberAsInt()));
        const std::vector<double> colour = l.color.size() == 3 ? l.color : std::vector<double>{1, 1, 1};
        view.kind = "light " + l.type;
        view.values = {{"red", colour[0]}, {"green", colour[1]}, {"blue", colour[2]},
                       {"intensity", l.intensity}, {"range", l.range}};
        if (l.type == "spot") {
            view.values["inner cone"] = l.spot.innerConeAngle;
            view.values["outer cone"] = l.spot.outerConeAngle;
        }
        return view;
    }
    const tinygltf::Camera& camera = model.cameras.at(static_cast<std::size_t>(node.camera));
    if (camera.type != "perspective") {
        return std::nullopt;
    }
    const tinygltf::PerspectiveCamera& p = camera.perspective;
    const double aspect = p.aspectRatio > 0.0 ? p.aspectRatio : 1.0;
    view.kind = "camera";
    view.values = {{"horizontal field of view", 2.0 * std::atan(std::tan(p.yfov / 2.0) * aspect)},
                   {"znear", p.znear}, {"zfar", p.zfar}};
    return view;
}

}  // namespace

WorldScene GltfWorldAt(const tinygltf::Model& model, double seconds) {
    WorldScene scene;
    scene.seconds = seconds;
    scene.vertices = gltf::viewer::ShownAt(model, seconds).positions;
    const std::vector<Mat4> worlds = gltf::viewer::WorldsAt(model, seconds);
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const tinygltf::Node& node = model.nodes[i];
        const std::string name = gltf::viewer::NameOf(model, i);
        if (node.skin >= 0) {
            continue;  // a skinned mesh's own transform shows nowhere: its joints place it
        }
        if (!IsView(node)) {
            scene.nodes.emplace(name, worlds[i]);
        } else if (std::optional<View> view = ViewOf(model, node)) {
            view->world = worlds[i];
            scene.views.emplace(name, *view);
        }
    }
    return scene;
}

double AnimationEnd(const tinygltf::Model& model) {
    double end = 0.0;
    if (!model.animations.empty()) {
        for (const tinygltf::AnimationSampler& sampler : model.animations[0].samplers) {
            for (const double t : gltf::ReadNumbers(model, sampler.input, 1, "input")) {
                end = std::max(end, t);
            }
        }
    }
    return end;
}

std::vector<double> FrameGrid(double end, int rate) {
    // Key times are floats: 1 s may be stored as 0.99999994.
    const auto last = static_cast<int>(std::floor(end * rate + 1e-4));
    std::vector<double> out;
    for (int f = 0; f <= last; ++f) {
        out.push_back(static_cast<double>(f) / rate);
    }
    return out;
}

std::vector<double> BetweenFrames(const std::vector<double>& grid) {
    std::vector<double> out;
    for (std::size_t i = 1; i < grid.size(); ++i) {
        out.push_back((grid[i - 1] + grid[i]) / 2.0);
    }
    return out;
}

}  // namespace tvx::world
