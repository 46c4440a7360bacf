#include "gltf/ViewWrite.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "hostapi/HostConstants.h"
#include "hostbridge/Angles.h"

namespace tvx::gltf {
namespace {


double Finite(float v, double fallback) { return std::isfinite(v) ? static_cast<double>(v) : fallback; }

void AddLight(GltfScene& scene, tinygltf::Node& node, const hostapi::LightState& state) {
    tinygltf::Light light;
    light.name = node.name;
    switch (state.type) {
    case hostapi::OMNI_LGT:
        light.type = "point";
        break;
    case hostapi::DIRECT_LGT:
        light.type = "directional";
        break;
    case hostapi::SPOT_LGT: {
        light.type = "spot";
        // Half the cone angles; glTF wants 0 <= inner < outer <= pi / 2.
        const double outer = std::clamp(Finite(state.fallsize, 45.0) * 0.5 * hostbridge::kRadiansPerDegree, 1e-3, std::numbers::pi / 2);
        light.spot.outerConeAngle = outer;
        light.spot.innerConeAngle = std::clamp(Finite(state.hotsize, 0.0) * 0.5 * hostbridge::kRadiansPerDegree, 0.0, outer * 0.999);
        break;
    }
    default:
        scene.Warn("an ambient light has no glTF counterpart and was left out");
        return;
    }
    light.color = {std::clamp(Finite(state.color.r, 1.0), 0.0, 1.0), std::clamp(Finite(state.color.g, 1.0), 0.0, 1.0),
                   std::clamp(Finite(state.color.b, 1.0), 0.0, 1.0)};
    light.intensity = std::max(Finite(state.intens, 1.0), 0.0);
    if (light.type != "directional" && state.attenEnd > 0.0f && std::isfinite(state.attenEnd)) {
        light.range = static_cast<double>(state.attenEnd);
    }
    scene.model.lights.push_back(light);
    tinygltf::Value::Object reference;
    reference["light"] = tinygltf::Value(static_cast<int>(scene.model.lights.size() - 1));
    node.extensions["KHR_lights_punctual"] = tinygltf::Value(std::move(reference));
}

void AddCamera(GltfScene& scene, tinygltf::Node& node, const hostapi::CameraState& state) {
    tinygltf::Camera camera;
    camera.name = node.name;
    camera.type = "perspective";
    const double horizontal = std::clamp(Finite(state.fov, std::numbers::pi / 4), 1e-4, std::numbers::pi - 1e-4);
    camera.perspective.aspectRatio = kCameraAspectRatio;
    camera.perspective.yfov = 2.0 * std::atan(std::tan(horizontal / 2.0) / kCameraAspectRatio);
    const double znear = Finite(state.hither, 0.0);
    camera.perspective.znear = znear > 0.0 ? znear : 0.01;
    const double zfar = Finite(state.yon, 0.0);
    camera.perspective.zfar = zfar > camera.perspective.znear ? zfar : 0.0;
    scene.model.cameras.push_back(camera);
    node.camera = static_cast<int>(scene.model.cameras.size() - 1);
}

}  // namespace

bool ShowsView(memhost::MemNode& node) {
    hostapi::Object* object = node.EvalWorldState(0, hostapi::TRUE).obj;
    return object != nullptr &&
           (object->SuperClassID() == hostapi::LIGHT_CLASS_ID || object->SuperClassID() == hostapi::CAMERA_CLASS_ID);
}

void WriteView(GltfScene& scene, int i) {
    memhost::MemNode& host = *scene.nodes[static_cast<std::size_t>(i)];
    tinygltf::Node& node = scene.model.nodes[static_cast<std::size_t>(i)];
    hostapi::Object* object = host.EvalWorldState(0, hostapi::TRUE).obj;
    hostapi::Interval valid = hostapi::FOREVER;
    if (object == nullptr) {
        return;
    }
    if (object->SuperClassID() == hostapi::LIGHT_CLASS_ID) {
        hostapi::LightState state;
        if (static_cast<hostapi::LightObject*>(object)->EvalLightState(0, valid, &state) == hostapi::REF_SUCCEED) {
            AddLight(scene, node, state);
        }
    } else if (object->SuperClassID() == hostapi::CAMERA_CLASS_ID) {
        hostapi::CameraState state;
        if (static_cast<hostapi::CameraObject*>(object)->EvalCameraState(0, valid, &state) == hostapi::REF_SUCCEED) {
            AddCamera(scene, node, state);
        }
    }
}

}  // namespace tvx::gltf
