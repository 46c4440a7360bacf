// Every sample model through the whole chain: glTF → host → tvxwrite → TVX
// → tvxread → host → glTF. The glTF written passes the validator, keeps the
// triangle count, and shows its vertices at time 0 where the original shows
// them (skinned as a viewer skins them), in world space.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "gltf/Accessors.h"
#include "gltf/GltfMath.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::gltf {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Models() {
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(TVX_GLTF_DATA)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".gltf" || ext == ".glb") {
            out.push_back(entry.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool NoImages(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int, void*) {
    return true;
}

tinygltf::Model Load(const fs::path& file) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(NoImages, nullptr);
    tinygltf::Model model;
    std::string error, warning;
    const bool ok = file.extension() == ".glb" ? loader.LoadBinaryFromFile(&model, &error, &warning, file.string())
                                                : loader.LoadASCIIFromFile(&model, &error, &warning, file.string());
    EXPECT_TRUE(ok) << file << ": " << error;
    return model;
}

// The nodes' TRS at time 0: each animated part takes the first value of
// the model's first animation (a value before the first key holds).
void ApplyTimeZero(tinygltf::Model& model) {
    if (model.animations.empty()) {
        return;
    }
    for (const tinygltf::AnimationChannel& channel : model.animations[0].channels) {
        const tinygltf::AnimationSampler& sampler = model.animations[0].samplers.at(static_cast<std::size_t>(channel.sampler));
        const int n = channel.target_path == "rotation" ? 4 : channel.target_path == "weights" ? 0 : 3;
        if (n == 0 || channel.target_node < 0) {
            continue;
        }
        const std::vector<double> values = ReadNumbers(model, sampler.output, n, "output");
        const std::size_t first = sampler.interpolation == "CUBICSPLINE" ? static_cast<std::size_t>(n) : 0;
        tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(channel.target_node));
        std::vector<double>& target = channel.target_path == "translation" ? node.translation
                                      : channel.target_path == "rotation" ? node.rotation
                                                                          : node.scale;
        target.assign(values.begin() + static_cast<std::ptrdiff_t>(first),
                      values.begin() + static_cast<std::ptrdiff_t>(first + static_cast<std::size_t>(n)));
    }
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

bool IsTriangles(int mode) { return mode < 0 || mode >= TINYGLTF_MODE_TRIANGLES; }

struct Shown {
    std::vector<Vec3d> positions;
    std::size_t triangles = 0;
};

// What a viewer shows at time 0: every triangle primitive's vertices in
// world space, skinned where the mesh has a skin.
Shown ShownAtTimeZero(tinygltf::Model model) {
    ApplyTimeZero(model);
    const std::vector<Mat4> world = Worlds(model);
    Shown shown;
    for (std::size_t n = 0; n < model.nodes.size(); ++n) {
        const tinygltf::Node& node = model.nodes[n];
        if (node.mesh < 0) {
            continue;
        }
        for (const tinygltf::Primitive& p : model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives) {
            if (!IsTriangles(p.mode)) {
                continue;
            }
            const std::vector<double> xyz = ReadNumbers(model, p.attributes.at("POSITION"), 3, "POSITION");
            const std::size_t count = p.indices >= 0 ? AccessorCount(model, p.indices, "indices") : xyz.size() / 3;
            shown.triangles += p.mode == TINYGLTF_MODE_TRIANGLES || p.mode < 0 ? count / 3 : count - 2;
            // Only the vertices a triangle uses are shown.
            std::vector<bool> used(xyz.size() / 3, p.indices < 0);
            if (p.indices >= 0) {
                for (const std::uint32_t i : ReadIndices(model, p.indices, used.size())) {
                    used[i] = true;
                }
            }
            std::vector<double> joints, weights, ibm;
            const tinygltf::Skin* skin = node.skin >= 0 ? &model.skins.at(static_cast<std::size_t>(node.skin)) : nullptr;
            if (skin != nullptr) {
                joints = ReadNumbers(model, p.attributes.at("JOINTS_0"), 4, "JOINTS_0");
                weights = ReadNumbers(model, p.attributes.at("WEIGHTS_0"), 4, "WEIGHTS_0");
                ibm = ReadNumbers(model, skin->inverseBindMatrices, 16, "inverseBindMatrices");
            }
            for (std::size_t v = 0; v < xyz.size() / 3; ++v) {
                if (!used[v]) {
                    continue;
                }
                const Vec3d local{xyz[3 * v], xyz[3 * v + 1], xyz[3 * v + 2]};
                if (skin == nullptr) {
                    shown.positions.push_back(TransformPoint(world[n], local));
                    continue;
                }
                Vec3d sum;
                for (std::size_t k = 0; k < 4; ++k) {
                    const auto j = static_cast<std::size_t>(joints[4 * v + k]);
                    Mat4 inverseBind;
                    std::copy(ibm.begin() + static_cast<std::ptrdiff_t>(16 * j),
                              ibm.begin() + static_cast<std::ptrdiff_t>(16 * j + 16), inverseBind.m.begin());
                    const Vec3d q = TransformPoint(
                        Multiply(world[static_cast<std::size_t>(skin->joints.at(j))], inverseBind), local);
                    const double w = weights[4 * v + k];
                    sum = {sum.x + w * q.x, sum.y + w * q.y, sum.z + w * q.z};
                }
                shown.positions.push_back(sum);
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

// The farthest any point of `a` lies from the nearest point of `b`.
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

int Validate(const fs::path& file, std::string& report) {
    const fs::path log = file.parent_path() / "validator.txt";
    const std::string command = std::string("NODE_PATH='") + TVX_GLTF_VALIDATOR_MODULES + "' '" + TVX_NODE + "' '" +
                                TVX_VALIDATE_SCRIPT + "' '" + file.string() + "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::ostringstream text;
    text << in.rdbuf();
    report = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SampleRoundTrip : public testing::TestWithParam<fs::path> {};

TEST_P(SampleRoundTrip, ComesBackAsItWent) {
    // The TVX file is written beside a copy of the model, where its
    // textures are looked up (a TVX file names them without folders).
    test::TempDir dir;
    fs::copy(GetParam().parent_path(), dir.path(), fs::copy_options::recursive);
    const fs::path original = dir / GetParam().filename().string();
    std::ostringstream out, err;
    tool::ExportCommandOptions exportOptions;
    exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    exportOptions.noPrompt = true;
    ASSERT_EQ(tool::RunExport(original, dir / "scene.tvx", exportOptions, err), 0) << err.str();
    tool::ImportCommandOptions importOptions;
    importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    importOptions.output = dir / "back.glb";
    ASSERT_EQ(tool::RunImport(dir / "scene.tvx", importOptions, out, err), 0) << err.str();
    std::string report;
    EXPECT_EQ(Validate(dir / "back.glb", report), 0) << report;

    const Shown before = ShownAtTimeZero(Load(original));
    const Shown after = ShownAtTimeZero(Load(dir / "back.glb"));
    EXPECT_EQ(after.triangles, before.triangles);
    const double tolerance = 1e-4 * Size(before.positions);
    EXPECT_LE(Farthest(after.positions, before.positions), tolerance) << "a vertex came back elsewhere";
    EXPECT_LE(Farthest(before.positions, after.positions), tolerance) << "a vertex was lost";
}

INSTANTIATE_TEST_SUITE_P(Gltf, SampleRoundTrip, testing::ValuesIn(Models()), [](const auto& model) {
    std::string name = model.param.parent_path().parent_path().filename().string() + "_" +
                       model.param.parent_path().filename().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
});

}  // namespace
}  // namespace tvx::gltf
