#include "gltf/LightsCameras.h"

#include <cmath>
#include <numbers>
#include <string>

#include "gltf/HostAxes.h"
#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

constexpr int kOmni = 0;
constexpr int kDirectional = 2;
constexpr int kFreeSpot = 3;

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

Json Colour(const std::vector<double>& c) {
    if (c.size() != 3) {
        return {1.0, 1.0, 1.0};
    }
    return {HostNumber(c[0], "a light colour"), HostNumber(c[1], "a light colour"), HostNumber(c[2], "a light colour")};
}

const tinygltf::Light& FindLight(const tinygltf::Model& model, const tinygltf::Value& ext) {
    const tinygltf::Value& index = ext.Has("light") ? ext.Get("light") : tinygltf::Value();
    if (!index.IsInt() || index.GetNumberAsInt() < 0 ||
        static_cast<std::size_t>(index.GetNumberAsInt()) >= model.lights.size()) {
        throw GltfError("a node names a KHR_lights_punctual light that does not exist");
    }
    return model.lights[static_cast<std::size_t>(index.GetNumberAsInt())];
}

}  // namespace

std::optional<Json> LightObject(const tinygltf::Model& model, const tinygltf::Node& node) {
    const auto it = node.extensions.find("KHR_lights_punctual");
    if (it == node.extensions.end()) {
        return std::nullopt;
    }
    const tinygltf::Light& light = FindLight(model, it->second);
    int type = kOmni;
    if (light.type == "directional") {
        type = kDirectional;
    } else if (light.type == "spot") {
        type = kFreeSpot;
    } else if (light.type != "point") {
        throw GltfError("unknown light type \"" + light.type + "\"");
    }
    Json out = {{"kind", "light"}, {"type", type}, {"color", Colour(light.color)},
                {"intensity", HostNumber(light.intensity, "a light intensity")}};
    if (type == kFreeSpot) {
        out["hotspot"] = HostNumber(2.0 * Degrees(light.spot.innerConeAngle), "a spot cone angle");
        out["falloff"] = HostNumber(2.0 * Degrees(light.spot.outerConeAngle), "a spot cone angle");
    }
    // Without a range the light reaches everywhere: a far end of 0, which
    // the way back reads as no range, rather than the host's default end.
    const double range = light.range > 0.0 ? light.range : 0.0;
    out["attenuation"] = {0.0, 0.0, 0.0, HostNumber(range, "a light range")};
    out["useAttenuation"] = range > 0.0;
    return out;
}

std::optional<Json> CameraObject(const tinygltf::Model& model, int camera, HostScene& scene) {
    if (camera < 0 || static_cast<std::size_t>(camera) >= model.cameras.size()) {
        throw GltfError("a node names camera " + std::to_string(camera) + ", which does not exist");
    }
    const tinygltf::Camera& c = model.cameras[static_cast<std::size_t>(camera)];
    if (c.type != "perspective") {
        scene.Warn("camera " + std::to_string(camera) + " is not a perspective camera and is left out");
        return std::nullopt;
    }
    const tinygltf::PerspectiveCamera& p = c.perspective;
    // Without an aspect ratio glTF leaves it to the viewport; a square one is
    // the only choice that needs no viewport.
    const double aspect = p.aspectRatio > 0.0 ? p.aspectRatio : 1.0;
    const double fov = 2.0 * std::atan(std::tan(p.yfov / 2.0) * aspect);
    // An infinite projection (no zfar) gets the host's far end far away.
    const double far = p.zfar > 0.0 ? p.zfar : 1.0e6;
    return Json{{"kind", "camera"},
                {"type", 0},
                {"fov", HostNumber(fov, "a camera field of view")},
                {"clip", {HostNumber(p.znear, "a clip distance"), HostNumber(far, "a clip distance")}},
                {"manualClip", true},
                // The environment range is where a TVX file keeps a camera's
                // near and far distances.
                {"envRange", {HostNumber(p.znear, "a clip distance"), HostNumber(far, "a clip distance")}}};
}

bool IsView(const tinygltf::Model& model, const tinygltf::Node& node) {
    if (node.mesh >= 0) {
        return false;
    }
    if (node.extensions.count("KHR_lights_punctual") != 0) {
        return true;
    }
    return node.camera >= 0 && static_cast<std::size_t>(node.camera) < model.cameras.size() &&
           model.cameras[static_cast<std::size_t>(node.camera)].type == "perspective";
}

}  // namespace tvx::gltf
