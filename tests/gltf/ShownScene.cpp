#include "tests/gltf/ShownScene.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <string_view>

#include "gltf/Accessors.h"
#include "gltf/Sampler.h"

namespace tvx::gltf::viewer {
namespace {

bool KeepBytes(tinygltf::Image* image, const int, std::string*, std::string*, int, int, const unsigned char* bytes,
               int size, void*) {
    image->image.assign(bytes, bytes + size);
    return true;
}

Mat4 NodeMatrix(const tinygltf::Node& node) {
    Mat4 m;
    if (node.matrix.size() == 16) {
        std::copy(node.matrix.begin(), node.matrix.end(), m.m.begin());
        return m;
    }
    const auto get = [](const std::vector<double>& v, std::size_t i, double fallback) { return v.size() > i ? v[i] : fallback; };
    const double x = get(node.rotation, 0, 0), y = get(node.rotation, 1, 0), z = get(node.rotation, 2, 0),
                 w = get(node.rotation, 3, 1);
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) {
            m.at(row, c) = r[row][c] * get(node.scale, static_cast<std::size_t>(c), 1.0);
        }
        m.at(row, 3) = get(node.translation, static_cast<std::size_t>(row), 0.0);
    }
    return m;
}

std::vector<Mat4> Worlds(const tinygltf::Model& model) {
    std::vector<Mat4> world(model.nodes.size());
    std::vector<int> parent(model.nodes.size(), -1);
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        for (int child : model.nodes[i].children) {
            parent[static_cast<std::size_t>(child)] = static_cast<int>(i);
        }
    }
    std::function<Mat4(int)> worldOf = [&](int i) {
        const Mat4 local = NodeMatrix(model.nodes[static_cast<std::size_t>(i)]);
        const int p = parent[static_cast<std::size_t>(i)];
        return p < 0 ? local : Multiply(worldOf(p), local);
    };
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        world[i] = worldOf(static_cast<int>(i));
    }
    return world;
}

using Triangle = std::array<std::uint32_t, 3>;

// The triangles of a list, a strip or a fan, as glTF 2.0 defines them.
std::vector<Triangle> TrianglesOf(const std::vector<std::uint32_t>& v, int mode) {
    std::vector<Triangle> out;
    for (std::size_t i = 0; i + 2 < v.size(); i += mode == TINYGLTF_MODE_TRIANGLE_STRIP || mode == TINYGLTF_MODE_TRIANGLE_FAN ? 1 : 3) {
        out.push_back(mode == TINYGLTF_MODE_TRIANGLE_FAN ? Triangle{v[0], v[i + 1], v[i + 2]}
                                                          : Triangle{v[i], v[i + 1], v[i + 2]});
    }
    return out;
}

Influences Strongest(const std::vector<std::pair<std::string, double>>& all) {
    std::map<std::string, double> merged;
    for (const auto& [joint, weight] : all) {
        if (weight > 0.0) {
            merged[joint] += weight;
        }
    }
    std::vector<std::pair<std::string, double>> sorted(merged.begin(), merged.end());
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    sorted.resize(std::min<std::size_t>(sorted.size(), 4));
    double sum = 0.0;
    for (const auto& entry : sorted) {
        sum += entry.second;
    }
    Influences out;
    for (const auto& [joint, weight] : sorted) {
        out[joint] = weight / sum;
    }
    return out;
}

int Attribute(const tinygltf::Primitive& p, const std::string& name) {
    const auto it = p.attributes.find(name);
    return it == p.attributes.end() ? -1 : it->second;
}

using JointWeights = std::vector<std::pair<std::size_t, double>>;  // (skin joint, weight)

// Each vertex's influences from JOINTS_0/WEIGHTS_0 and JOINTS_1/WEIGHTS_1.
std::vector<JointWeights> Weights(const tinygltf::Model& model, const tinygltf::Primitive& p, std::size_t count) {
    std::vector<JointWeights> out(count);
    for (const std::string set : {"0", "1"}) {
        const int joints = Attribute(p, "JOINTS_" + set);
        const int weights = Attribute(p, "WEIGHTS_" + set);
        if (joints < 0 || weights < 0) {
            continue;
        }
        const std::vector<double> j = ReadNumbers(model, joints, 4, "JOINTS");
        const std::vector<double> w = ReadNumbers(model, weights, 4, "WEIGHTS");
        for (std::size_t k = 0; k < std::min({j.size(), w.size(), 4 * count}); ++k) {
            out[k / 4].emplace_back(static_cast<std::size_t>(j[k]), w[k]);
        }
    }
    return out;
}

Vec3d Add(const Vec3d& a, const Vec3d& b, double w) { return {a.x + w * b.x, a.y + w * b.y, a.z + w * b.z}; }

// A normal as a viewer carries it: by the inverse transpose of the
// transform, made unit.
Vec3d CarriedNormal(const Mat4& m, const Vec3d& n) {
    const Vec3d t = TransformNormal(m, n);
    const double length = std::hypot(t.x, t.y, t.z);
    return length > 0.0 ? Vec3d{t.x / length, t.y / length, t.z / length} : Vec3d{};
}

// COLOR_0 of each vertex, alpha 1 when it has three components.
std::vector<std::array<double, 4>> Colours(const tinygltf::Model& model, const tinygltf::Primitive& p, std::size_t count) {
    std::vector<std::array<double, 4>> out(count, {1.0, 1.0, 1.0, 1.0});
    const int accessor = Attribute(p, "COLOR_0");
    if (accessor < 0) {
        return out;
    }
    const std::size_t n = model.accessors.at(static_cast<std::size_t>(accessor)).type == TINYGLTF_TYPE_VEC4 ? 4 : 3;
    const std::vector<double> c = ReadNumbers(model, accessor, static_cast<int>(n), "COLOR_0");
    for (std::size_t v = 0; v < count && n * v + n <= c.size(); ++v) {
        std::copy_n(c.begin() + static_cast<std::ptrdiff_t>(n * v), n, out[v].begin());
    }
    return out;
}

Mat4 Blend(const std::vector<Mat4>& joints, const JointWeights& weights) {
    Mat4 out;
    out.m.fill(0.0);
    for (const auto& [joint, weight] : weights) {
        for (std::size_t e = 0; e < 16; ++e) {
            out.m[e] += weight * joints.at(joint).m[e];
        }
    }
    return out;
}

}  // namespace

bool Parse(const std::filesystem::path& file, tinygltf::Model& model, std::string& error) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepBytes, nullptr);
    std::string warning;
    return file.extension() == ".glb" ? loader.LoadBinaryFromFile(&model, &error, &warning, file.string())
                                      : loader.LoadASCIIFromFile(&model, &error, &warning, file.string());
}

std::string NameOf(const tinygltf::Model& model, std::size_t i) {
    return SafeName(model.nodes.at(i).name.empty() ? "node" + std::to_string(i) : model.nodes[i].name);
}

std::string SafeName(std::string name) {
    constexpr std::string_view kReplaced = " \\.<|>-]\t[\"{:};(,)/'";
    for (char& c : name) {
        c = kReplaced.find(c) == std::string_view::npos ? c : '_';
    }
    if (!name.empty() && std::isdigit(static_cast<unsigned char>(name[0])) != 0) {
        name[0] = '_';
    }
    return name;
}

void ApplyAt(tinygltf::Model& model, double t) {
    if (model.animations.empty()) {
        return;
    }
    const tinygltf::Animation& animation = model.animations[0];
    for (const tinygltf::AnimationChannel& channel : animation.channels) {
        const std::string& path = channel.target_path;
        const bool rotation = path == "rotation";
        if (channel.target_node < 0 || (!rotation && path != "translation" && path != "scale")) {
            continue;
        }
        const Track track(model, animation.samplers.at(static_cast<std::size_t>(channel.sampler)), rotation ? 4 : 3,
                          rotation);
        tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(channel.target_node));
        (path == "translation" ? node.translation : rotation ? node.rotation : node.scale) = track.At(t);
    }
}

std::vector<double> FrameTimes(const tinygltf::Model& model) {
    double end = 0.0;
    for (const tinygltf::AnimationSampler& sampler : model.animations.at(0).samplers) {
        for (const double t : ReadNumbers(model, sampler.input, 1, "input")) {
            end = std::max(end, t);
        }
    }
    // The times are floats: 1 s may be stored as 0.99999994.
    const double n = std::floor(end * 30.0 + 1e-4);
    std::vector<double> out;
    for (int k = 0; k <= 4; ++k) {
        out.push_back(std::round(n * static_cast<double>(k) / 4.0) / 30.0);
    }
    return out;
}

std::vector<Mat4> WorldsAt(tinygltf::Model model, double t) {
    ApplyAt(model, t);
    return Worlds(model);
}

std::map<std::string, Mat4> WorldsByName(const tinygltf::Model& model, double t) {
    const std::vector<Mat4> world = WorldsAt(model, t);
    std::map<std::string, Mat4> out;
    for (std::size_t i = 0; i < world.size(); ++i) {
        out.emplace(NameOf(model, i), world[i]);
    }
    return out;
}

Shown ShownAt(tinygltf::Model model, double t) {
    ApplyAt(model, t);
    const std::vector<Mat4> world = Worlds(model);
    Shown shown;
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const tinygltf::Node& node = model.nodes[n];
        if (node.mesh < 0) {
            continue;
        }
        const tinygltf::Skin* skin = node.skin >= 0 ? &model.skins.at(static_cast<std::size_t>(node.skin)) : nullptr;
        std::vector<Mat4> jointMatrices;  // each joint's world times its inverse bind matrix
        if (skin != nullptr) {
            const std::vector<double> ibm = skin->inverseBindMatrices < 0 ? std::vector<double>{}
                                            : ReadNumbers(model, skin->inverseBindMatrices, 16, "inverseBindMatrices");
            for (std::size_t j = 0; j < skin->joints.size(); ++j) {
                Mat4 inverseBind;
                if (!ibm.empty()) {
                    std::copy_n(ibm.begin() + static_cast<std::ptrdiff_t>(16 * j), 16, inverseBind.m.begin());
                }
                jointMatrices.push_back(Multiply(world[static_cast<std::size_t>(skin->joints[j])], inverseBind));
            }
        }
        for (const tinygltf::Primitive& p : model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives) {
            const int mode = p.mode < 0 ? TINYGLTF_MODE_TRIANGLES : p.mode;
            if (mode < TINYGLTF_MODE_TRIANGLES) {
                continue;  // points and lines
            }
            const std::vector<double> xyz = ReadNumbers(model, p.attributes.at("POSITION"), 3, "POSITION");
            const std::size_t count = xyz.size() / 3;
            std::vector<std::uint32_t> indices;
            if (p.indices >= 0) {
                indices = ReadIndices(model, p.indices, count);
            } else {
                for (std::size_t i = 0; i < count; ++i) {
                    indices.push_back(static_cast<std::uint32_t>(i));
                }
            }
            const std::vector<JointWeights> weights =
                skin != nullptr ? Weights(model, p, count) : std::vector<JointWeights>(count);
            const auto normalAttribute = p.attributes.find("NORMAL");
            const std::vector<double> normals = normalAttribute == p.attributes.end()
                                                    ? std::vector<double>{}
                                                    : ReadNumbers(model, normalAttribute->second, 3, "NORMAL");
            const std::vector<std::array<double, 4>> colours = Colours(model, p, count);
            std::vector<Vec3d> placed(count);
            std::vector<bool> used(count, false);
            for (const std::uint32_t i : indices) {
                used[i] = true;
            }
            for (std::size_t v = 0; v < count; ++v) {
                const Vec3d local{xyz[3 * v], xyz[3 * v + 1], xyz[3 * v + 2]};
                if (skin == nullptr) {
                    placed[v] = TransformPoint(world[n], local);
                }
                std::vector<std::pair<std::string, double>> named;
                for (const auto& [joint, weight] : weights[v]) {
                    placed[v] = Add(placed[v], TransformPoint(jointMatrices.at(joint), local), weight);
                    named.emplace_back(NameOf(model, static_cast<std::size_t>(skin->joints[joint])), weight);
                }
                if (used[v]) {
                    const Mat4 frame = skin != nullptr ? Blend(jointMatrices, weights[v]) : world[n];
                    shown.normals.push_back(normals.empty() ? Vec3d{}
                                                            : CarriedNormal(frame, {normals[3 * v], normals[3 * v + 1],
                                                                                    normals[3 * v + 2]}));
                    shown.positions.push_back(placed[v]);
                    shown.colours.push_back(colours[v]);
                    shown.influences.push_back(skin != nullptr ? Strongest(named) : Influences{});
                }
            }
            for (const Triangle& tri : TrianglesOf(indices, mode)) {
                Vec3d sum;
                for (const std::uint32_t i : tri) {
                    sum = Add(sum, placed[i], 1.0 / 3.0);
                }
                shown.centroids.push_back(sum);
                shown.materials.push_back(p.material);
            }
        }
    }
    return shown;
}

double Size(const std::vector<Vec3d>& points) {
    double size = 0.0;
    for (const Vec3d& p : points) {
        size = std::max({size, std::fabs(p.x), std::fabs(p.y), std::fabs(p.z)});
    }
    return std::max(size, 1.0);
}

double Farthest(const std::vector<Vec3d>& a, const std::vector<Vec3d>& b) {
    double farthest = 0.0;
    for (const Vec3d& p : a) {
        double nearest = std::numeric_limits<double>::max();
        for (const Vec3d& q : b) {
            nearest = std::min(nearest, std::hypot(p.x - q.x, p.y - q.y, p.z - q.z));
        }
        farthest = std::max(farthest, nearest);
    }
    return farthest;
}

}  // namespace tvx::gltf::viewer
