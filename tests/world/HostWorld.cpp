#include "tests/world/HostWorld.h"

#include "hostapi/HostConstants.h"
#include "memhost/HostSceneRead.h"

#include <cmath>
#include <fstream>
#include <sstream>
#include <optional>

namespace tvx::world {
namespace {

using memhost::MemNode;

Mat4 WorldOf(const MemNode& node, hostapi::TimeValue t) { return gltf::FromHost(node.WorldAt(t)); }

Mat4 ObjectWorldOf(const MemNode& node, hostapi::TimeValue t) {
    return gltf::Multiply(WorldOf(node, t), gltf::FromHost(node.objectOffset()));
}

const memhost::MemSkin* SkinOf(memhost::MemEntity* object) {
    while (auto* derived = dynamic_cast<memhost::MemDerivedObject*>(object)) {
        for (memhost::MemEntity* modifier : derived->modifiers()) {
            if (const auto* skin = dynamic_cast<const memhost::MemSkin*>(modifier)) {
                return skin;
            }
        }
        object = &derived->base();
    }
    return nullptr;
}

// Each registered bone's motion since time 0, where the skin was bound.
struct Binding {
    const memhost::MemSkin& skin;
    std::map<const MemNode*, Mat4> motion;

    Binding(const memhost::MemSkin& s, hostapi::TimeValue t) : skin(s) {
        for (const memhost::MemSkin::Bone& bone : skin.bones()) {
            if (bone.node != nullptr) {
                motion[bone.node] = gltf::Multiply(WorldOf(*bone.node, t), gltf::InverseAffine(WorldOf(*bone.node, 0)));
            }
        }
    }

    // The vertex moved by its registered bones, their weights normalised;
    // false when none of them carries weight.
    bool Move(int vertex, const Vec3d& bound, Vec3d& out) const {
        const auto found = skin.weights().find(vertex);
        if (found == skin.weights().end()) {
            return false;
        }
        const memhost::MemSkin::VertexWeights& w = found->second;
        Vec3d sum;
        double total = 0.0;
        for (std::size_t k = 0; k < w.bones.size() && k < w.weights.size(); ++k) {
            const auto bone = motion.find(w.bones[k]);
            if (bone == motion.end() || w.weights[k] <= 0.0f) {
                continue;
            }
            const Vec3d p = gltf::TransformPoint(bone->second, bound);
            const auto weight = static_cast<double>(w.weights[k]);
            sum = {sum.x + weight * p.x, sum.y + weight * p.y, sum.z + weight * p.z};
            total += weight;
        }
        if (total <= 0.0) {
            return false;
        }
        out = {sum.x / total, sum.y / total, sum.z / total};
        return true;
    }
};

void AddMesh(const MemNode& node, const memhost::MemMesh& mesh, hostapi::TimeValue t, WorldScene& scene) {
    const memhost::MemSkin* skin = SkinOf(node.object());
    const Mat4 now = ObjectWorldOf(node, t);
    const Mat4 bound = ObjectWorldOf(node, 0);
    const std::optional<Binding> binding = skin != nullptr ? std::optional<Binding>(std::in_place, *skin, t)
                                                           : std::nullopt;
    std::vector<bool> used(mesh.vertices().size(), false);
    for (const hostapi::Face& face : mesh.faceList()) {
        for (const hostapi::DWORD v : face.v) {
            if (v < used.size()) {
                used[v] = true;
            }
        }
    }
    for (std::size_t v = 0; v < used.size(); ++v) {
        if (!used[v]) {
            continue;
        }
        const hostapi::Point3& p = mesh.vertices()[v];
        const Vec3d local{static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
        Vec3d placed = gltf::TransformPoint(now, local);
        if (binding) {
            (void)binding->Move(static_cast<int>(v), gltf::TransformPoint(bound, local), placed);
        }
        scene.vertices.push_back(placed);
    }
}

// The host's light types by the names glTF gives their kinds.
std::string LightKind(int type) {
    switch (type) {
    case hostapi::OMNI_LIGHT:
        return "light point";
    case hostapi::TSPOT_LIGHT:
    case hostapi::FSPOT_LIGHT:
        return "light spot";
    case hostapi::DIR_LIGHT:
    case hostapi::TDIR_LIGHT:
        return "light directional";
    default:
        return "light " + std::to_string(type);
    }
}

View LightView(const memhost::MemLight& light) {
    View view;
    view.kind = LightKind(light.type());
    const hostapi::Point3 c = light.color();
    view.values = {{"red", c.x}, {"green", c.y}, {"blue", c.z}, {"intensity", light.intensity()},
                   {"hotspot", light.hotspot()}, {"falloff", light.falloff()},
                   {"attenuation start", light.attenuation()[2]}, {"attenuation end", light.attenuation()[3]}};
    return view;
}

View CameraView(const memhost::MemCamera& camera) {
    View view;
    view.kind = "camera";
    view.values = {{"field of view", camera.fov()}, {"near", camera.clip()[0]}, {"far", camera.clip()[1]},
                   {"environment near", camera.envRange()[0]}, {"environment far", camera.envRange()[1]}};
    return view;
}

}  // namespace

std::unique_ptr<memhost::MemHost> ReadHostSceneFile(const std::filesystem::path& file, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot open " + file.string();
        return nullptr;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return memhost::ReadHostScene(text.str(), error);
}

WorldScene HostWorldAt(memhost::MemHost& host, double seconds) {
    const memhost::AnimationSettings& clock = host.animation();
    const auto t = static_cast<hostapi::TimeValue>(std::lround(seconds * clock.frameRate * clock.ticksPerFrame));
    WorldScene scene;
    scene.seconds = seconds;
    for (const auto& owned : host.nodes()) {
        const MemNode& node = *owned;
        if (!node.inScene()) {
            continue;
        }
        memhost::MemEntity* base = node.object() != nullptr ? &memhost::BaseObject(*node.object()) : nullptr;
        if (const auto* light = dynamic_cast<const memhost::MemLight*>(base)) {
            View view = LightView(*light);
            view.world = WorldOf(node, t);
            scene.views.emplace(node.name(), view);
            continue;
        }
        if (const auto* camera = dynamic_cast<const memhost::MemCamera*>(base)) {
            View view = CameraView(*camera);
            view.world = WorldOf(node, t);
            scene.views.emplace(node.name(), view);
            continue;
        }
        scene.nodes.emplace(node.name(), WorldOf(node, t));
        if (const memhost::MemMesh* mesh = base != nullptr ? memhost::BaseMesh(*base) : nullptr) {
            AddMesh(node, *mesh, t, scene);
        }
    }
    return scene;
}

WorldScene InGltfAxes(const WorldScene& host) {
    const Mat4 c = gltf::AxisChange();
    const Mat4 back = gltf::AxisChangeBack();
    WorldScene out;
    out.seconds = host.seconds;
    for (const Vec3d& p : host.vertices) {
        out.vertices.push_back(gltf::TransformPoint(c, p));
    }
    for (const auto& [name, world] : host.nodes) {
        out.nodes.emplace(name, gltf::Multiply(gltf::Multiply(c, world), back));
    }
    for (const auto& [name, view] : host.views) {
        View moved = view;
        moved.world = gltf::Multiply(c, view.world);
        out.views.emplace(name, moved);
    }
    return out;
}

}  // namespace tvx::world
