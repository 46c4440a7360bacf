#include "gltf/MeshConvert.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "gltf/Accessors.h"
#include "gltf/HostAxes.h"
#include "gltf/GltfError.h"
#include "gltf/SmoothingGroups.h"
#include "gltf/Triangles.h"

namespace tvx::gltf {

namespace {

// Channels by host number: texture sets 1 and 2, vertex colour 0, alpha -2.
struct Channels {
    std::map<int, Json> vertices;
    std::map<int, bool> used;
};

struct Builder {
    Builder(const tinygltf::Model& m, const tinygltf::Skin* s, const std::vector<Mat4>& w, HostScene& h)
        : model(m), skin(s), worlds(w), scene(h) {}

    const tinygltf::Model& model;
    const tinygltf::Skin* skin;
    const std::vector<Mat4>& worlds;
    HostScene& scene;
    ConvertedMesh out;
    Json vertices = Json::array();
    Json faces = Json::array();
    Json materialIds = Json::array();
    Channels channels;
    std::size_t vertexCount = 0;
    // As the file gives them, before any skin: what the smoothing groups
    // are made from.
    std::vector<NormalVertex> shading;
    std::vector<std::array<std::uint32_t, 3>> triangles;
};

int Attribute(const tinygltf::Primitive& p, const char* name) {
    const auto it = p.attributes.find(name);
    return it == p.attributes.end() ? -1 : it->second;
}

std::vector<double> ReadAttribute(const Builder& b, int accessor, int components, std::size_t count,
                                  const char* what) {
    std::vector<double> values = ReadNumbers(b.model, accessor, components, what);
    if (values.size() != count * static_cast<std::size_t>(components)) {
        throw GltfError(std::string(what) + ": " + std::to_string(values.size() / static_cast<std::size_t>(components)) +
                        " elements for " + std::to_string(count) + " vertices");
    }
    return values;
}

void AddTexcoords(Builder& b, const tinygltf::Primitive& p, std::size_t count) {
    const std::pair<const char*, int> sets[] = {{"TEXCOORD_0", 1}, {"TEXCOORD_1", 2}};
    for (const auto& [name, channel] : sets) {
        Json& list = b.channels.vertices[channel];
        const int accessor = Attribute(p, name);
        if (accessor < 0) {
            for (std::size_t i = 0; i < count; ++i) {
                list.push_back({0.0, 1.0, 0.0});
            }
            continue;
        }
        b.channels.used[channel] = true;
        const std::vector<double> uv = ReadAttribute(b, accessor, 2, count, name);
        for (std::size_t i = 0; i < count; ++i) {
            // The host's v runs upwards, glTF's downwards, as the importer has it.
            list.push_back({HostNumber(uv[2 * i], name), HostNumber(1.0 - uv[2 * i + 1], name), 0.0});
        }
    }
}

void AddColours(Builder& b, const tinygltf::Primitive& p, std::size_t count) {
    Json& rgb = b.channels.vertices[0];
    Json& alpha = b.channels.vertices[-2];
    const int accessor = Attribute(p, "COLOR_0");
    int components = 0;
    if (accessor >= 0) {
        AccessorCount(b.model, accessor, "COLOR_0");
        components = b.model.accessors[static_cast<std::size_t>(accessor)].type == TINYGLTF_TYPE_VEC4 ? 4 : 3;
    }
    const std::vector<double> c =
        components != 0 ? ReadAttribute(b, accessor, components, count, "COLOR_0") : std::vector<double>{};
    const auto n = static_cast<std::size_t>(components);
    for (std::size_t i = 0; i < count; ++i) {
        if (components == 0) {
            rgb.push_back({1.0, 1.0, 1.0});
            alpha.push_back({1.0, 0.0, 0.0});
            continue;
        }
        rgb.push_back({HostNumber(c[n * i], "COLOR_0"), HostNumber(c[n * i + 1], "COLOR_0"),
                       HostNumber(c[n * i + 2], "COLOR_0")});
        alpha.push_back({components == 4 ? HostNumber(c[n * i + 3], "COLOR_0") : 1.0, 0.0, 0.0});
    }
    if (components != 0) {
        b.channels.used[0] = true;
        b.channels.used[-2] = b.channels.used[-2] || components == 4;
    }
}

void AddShading(Builder& b, const tinygltf::Primitive& p, std::size_t count, const std::vector<double>& points) {
    const int accessor = Attribute(p, "NORMAL");
    const std::vector<double> n = accessor >= 0 ? ReadAttribute(b, accessor, 3, count, "NORMAL") : std::vector<double>{};
    for (std::size_t i = 0; i < count; ++i) {
        NormalVertex& v = b.shading.emplace_back();
        v.position = {points[3 * i], points[3 * i + 1], points[3 * i + 2]};
        if (!n.empty()) {
            v.normal = Vec3d{n[3 * i], n[3 * i + 1], n[3 * i + 2]};
        }
    }
}

// Weights are cleaned as the exporter cleans them: one that is not finite
// or is negative is dropped, and the rest of its vertex's are then scaled
// to add up to 1 (as they are when one is above 1).
bool IsUsableWeight(double w) { return std::isfinite(w) && w >= 0.0 && w <= kLargestHostNumber; }

void AddSkinWeights(Builder& b, const tinygltf::Primitive& p, std::size_t count) {
    if (b.skin == nullptr) {
        return;
    }
    std::vector<Json> bones(count, Json::array());
    std::vector<std::vector<double>> weights(count);
    std::vector<bool> cleaned(count, false);
    for (const char* set : {"0", "1"}) {
        const int joints = Attribute(p, (std::string("JOINTS_") + set).c_str());
        const int amounts = Attribute(p, (std::string("WEIGHTS_") + set).c_str());
        if (joints < 0 || amounts < 0) {
            continue;
        }
        const std::vector<double> j = ReadAttribute(b, joints, 4, count, "JOINTS");
        const std::vector<double> w = ReadAttribute(b, amounts, 4, count, "WEIGHTS");
        for (std::size_t k = 0; k < j.size(); ++k) {
            const bool usable = IsUsableWeight(w[k]);
            cleaned[k / 4] = cleaned[k / 4] || !usable || w[k] > 1.0;
            if (!usable || w[k] == 0.0) {
                continue;
            }
            if (j[k] >= static_cast<double>(b.skin->joints.size())) {
                throw GltfError("JOINTS: joint " + std::to_string(static_cast<std::uint64_t>(j[k])) +
                                " is past the skin's " + std::to_string(b.skin->joints.size()) + " joints");
            }
            bones[k / 4].push_back(b.skin->joints[static_cast<std::size_t>(j[k])]);
            weights[k / 4].push_back(w[k]);
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (bones[i].empty()) {
            continue;
        }
        double sum = 0.0;
        for (const double w : weights[i]) {
            sum += w;
        }
        Json out = Json::array();
        for (const double w : weights[i]) {
            out.push_back(HostNumber(cleaned[i] ? w / sum : w, "WEIGHTS"));
        }
        b.out.skinWeights.push_back({{"vertex", b.vertexCount + i}, {"bones", bones[i]}, {"weights", out}});
    }
}

// Each joint's world transform at time 0 times its inverse bind matrix.
std::vector<Mat4> JointMatrices(const Builder& b) {
    const std::size_t joints = b.skin->joints.size();
    std::vector<double> inverseBinds;
    if (b.skin->inverseBindMatrices >= 0) {
        inverseBinds = ReadNumbers(b.model, b.skin->inverseBindMatrices, 16, "inverseBindMatrices");
        if (inverseBinds.size() < 16 * joints) {
            throw GltfError("inverseBindMatrices: fewer matrices than the skin has joints");
        }
    }
    std::vector<Mat4> out;
    for (std::size_t j = 0; j < joints; ++j) {
        const auto node = static_cast<std::size_t>(b.skin->joints[j]);
        if (node >= b.worlds.size()) {
            throw GltfError("a skin's joint names no node");
        }
        Mat4 inverseBind;
        if (!inverseBinds.empty()) {
            std::copy_n(inverseBinds.begin() + static_cast<std::ptrdiff_t>(16 * j), 16, inverseBind.m.begin());
        }
        out.push_back(Multiply(b.worlds[node], inverseBind));
    }
    return out;
}

// The points as the skin shows them at time 0: each the weighted sum of its
// joints' matrices applied to it. A point without weights stays.
std::vector<double> SkinnedAtTimeZero(const Builder& b, const tinygltf::Primitive& p, std::size_t count,
                                      const std::vector<double>& points) {
    const std::vector<Mat4> joints = JointMatrices(b);
    std::vector<double> sums(3 * count, 0.0);
    std::vector<double> totals(count, 0.0);
    for (const char* set : {"0", "1"}) {
        const int jointAccessor = Attribute(p, (std::string("JOINTS_") + set).c_str());
        const int weightAccessor = Attribute(p, (std::string("WEIGHTS_") + set).c_str());
        if (jointAccessor < 0 || weightAccessor < 0) {
            continue;
        }
        const std::vector<double> j = ReadAttribute(b, jointAccessor, 4, count, "JOINTS");
        const std::vector<double> w = ReadAttribute(b, weightAccessor, 4, count, "WEIGHTS");
        for (std::size_t k = 0; k < j.size(); ++k) {
            if (!IsUsableWeight(w[k]) || w[k] == 0.0 || !(j[k] >= 0.0) || j[k] >= static_cast<double>(joints.size())) {
                continue;  // AddSkinWeights refuses a joint past the skin
            }
            const std::size_t v = k / 4;
            const Vec3d q = TransformPoint(joints[static_cast<std::size_t>(j[k])],
                                           {points[3 * v], points[3 * v + 1], points[3 * v + 2]});
            sums[3 * v] += w[k] * q.x;
            sums[3 * v + 1] += w[k] * q.y;
            sums[3 * v + 2] += w[k] * q.z;
            totals[v] += w[k];
        }
    }
    std::vector<double> out = points;
    for (std::size_t v = 0; v < count; ++v) {
        if (totals[v] > 0.0) {
            for (std::size_t c = 0; c < 3; ++c) {
                out[3 * v + c] = sums[3 * v + c] / totals[v];
            }
        }
    }
    return out;
}

int MaterialSlot(Builder& b, int material) {
    const auto it = std::find(b.out.slotMaterial.begin(), b.out.slotMaterial.end(), material);
    if (it != b.out.slotMaterial.end()) {
        return static_cast<int>(it - b.out.slotMaterial.begin());
    }
    if (b.out.slotMaterial.size() > std::numeric_limits<std::uint16_t>::max()) {
        throw GltfError("a mesh has more materials than face material ids can tell apart");
    }
    b.out.slotMaterial.push_back(material);
    return static_cast<int>(b.out.slotMaterial.size() - 1);
}

void AddPrimitive(Builder& b, const tinygltf::Primitive& p) {
    const int position = Attribute(p, "POSITION");
    if (position < 0) {
        throw GltfError("a triangle primitive has no POSITION");
    }
    const std::size_t count = AccessorCount(b.model, position, "POSITION");
    if (count > static_cast<std::size_t>(std::numeric_limits<int>::max()) - b.vertexCount) {
        throw GltfError("a mesh has more vertices than the host can count");
    }
    std::vector<double> points = ReadAttribute(b, position, 3, count, "POSITION");
    AddShading(b, p, count, points);
    if (b.skin != nullptr) {
        points = SkinnedAtTimeZero(b, p, count, points);
    }
    std::vector<std::uint32_t> indices;
    if (p.indices >= 0) {
        indices = ReadIndices(b.model, p.indices, count);
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            indices.push_back(static_cast<std::uint32_t>(i));
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const Vec3d h = HostPoint({points[3 * i], points[3 * i + 1], points[3 * i + 2]});
        b.vertices.push_back({HostNumber(h.x, "POSITION"), HostNumber(h.y, "POSITION"), HostNumber(h.z, "POSITION")});
    }
    const int slot = MaterialSlot(b, p.material);
    const std::size_t base = b.vertexCount;
    for (const Triangle& t : Triangulate(indices, p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode)) {
        b.faces.push_back({base + t[0], base + t[1], base + t[2]});
        b.triangles.push_back({static_cast<std::uint32_t>(base + t[0]), static_cast<std::uint32_t>(base + t[1]),
                               static_cast<std::uint32_t>(base + t[2])});
        b.materialIds.push_back(slot);
    }
    AddTexcoords(b, p, count);
    AddColours(b, p, count);
    AddSkinWeights(b, p, count);
    b.vertexCount += count;
}

bool IsTriangles(int mode) {
    return mode < 0 || mode == TINYGLTF_MODE_TRIANGLES || mode == TINYGLTF_MODE_TRIANGLE_STRIP ||
           mode == TINYGLTF_MODE_TRIANGLE_FAN;
}

}  // namespace

ConvertedMesh ConvertMesh(const tinygltf::Model& model, int meshIndex, const tinygltf::Skin* skin,
                          const std::vector<Mat4>& worldAtTimeZero, HostScene& scene) {
    if (meshIndex < 0 || static_cast<std::size_t>(meshIndex) >= model.meshes.size()) {
        throw GltfError("there is no mesh " + std::to_string(meshIndex));
    }
    Builder b(model, skin, worldAtTimeZero, scene);
    bool skipped = false;
    for (const tinygltf::Primitive& p : model.meshes[static_cast<std::size_t>(meshIndex)].primitives) {
        if (IsTriangles(p.mode)) {
            AddPrimitive(b, p);
        } else {
            skipped = true;
        }
    }
    // One warning for the whole file: the reader wants to know it happens,
    // not to count it.
    const std::string warning = "point and line primitives are left out";
    if (skipped && std::find(scene.summary.warnings.begin(), scene.summary.warnings.end(), warning) ==
                       scene.summary.warnings.end()) {
        scene.Warn(warning);
    }
    b.out.triangles = static_cast<int>(b.faces.size());
    b.out.object = {{"kind", "mesh"},
                    {"vertices", b.vertices},
                    {"faces", b.faces},
                    {"faceMaterialIds", b.materialIds},
                    {"faceSmoothingGroups", SmoothingGroupsFromNormals(b.shading, b.triangles)}};
    Json channels = Json::array();
    for (const auto& [number, list] : b.channels.vertices) {
        if (b.channels.used[number]) {
            channels.push_back({{"channel", number}, {"vertices", list}, {"faces", b.faces}});
        }
    }
    b.out.object["mapChannels"] = channels;
    return std::move(b.out);
}

}  // namespace tvx::gltf
