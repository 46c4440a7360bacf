// A TVX scene imported through the plug-in and written as glTF: the file
// passes the Khronos validator, and read back with tinygltf it shows the
// skinned mesh where the importer posed it, the skeleton moving as the
// host's controllers move it, the materials, the light and the camera.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <numbers>
#include <sstream>

#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/PoseTables.h"
#include "gltf/GltfMath.h"
#include "gltf/GltfWrite.h"
#include "gltf/ViewWrite.h"
#include "memhost/HostSceneRead.h"
#include "tests/support/SampleScene.h"
#include "tests/gltf/Validator.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::gltf {
namespace {

constexpr double kTolerance = 1e-4;

bool NoImageLoading(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int,
                    void*) {
    return true;
}

tinygltf::Model Load(const std::filesystem::path& file) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(NoImageLoading, nullptr);
    tinygltf::Model model;
    std::string error, warning;
    const bool ok = file.extension() == ".glb" ? loader.LoadBinaryFromFile(&model, &error, &warning, file.string())
                                                : loader.LoadASCIIFromFile(&model, &error, &warning, file.string());
    EXPECT_TRUE(ok) << error;
    return model;
}

template <class T>
std::vector<T> Read(const tinygltf::Model& model, int accessorIndex) {
    const tinygltf::Accessor& accessor = model.accessors.at(static_cast<std::size_t>(accessorIndex));
    const tinygltf::BufferView& view = model.bufferViews.at(static_cast<std::size_t>(accessor.bufferView));
    const auto* data = model.buffers.at(static_cast<std::size_t>(view.buffer)).data.data() + view.byteOffset +
                       accessor.byteOffset;
    const std::size_t n = accessor.count * static_cast<std::size_t>(tinygltf::GetNumComponentsInType(
                                               static_cast<std::uint32_t>(accessor.type)));
    std::vector<T> out(n);
    std::memcpy(out.data(), data, n * sizeof(T));
    return out;
}

Vec3d At(const std::vector<float>& xyz, std::size_t v) {
    return {static_cast<double>(xyz[3 * v]), static_cast<double>(xyz[3 * v + 1]), static_cast<double>(xyz[3 * v + 2])};
}

Mat4 NodeMatrix(const tinygltf::Node& node) {
    Mat4 m;
    if (!node.matrix.empty()) {
        std::copy(node.matrix.begin(), node.matrix.end(), m.m.begin());
        return m;
    }
    const auto& t = node.translation;
    const auto& q = node.rotation;
    const auto& s = node.scale;
    const double x = q.empty() ? 0 : q[0], y = q.empty() ? 0 : q[1], z = q.empty() ? 0 : q[2], w = q.empty() ? 1 : q[3];
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    for (int row = 0; row < 3; ++row) {
        for (int c = 0; c < 3; ++c) {
            m.at(row, c) = r[row][c] * (s.empty() ? 1.0 : s[static_cast<std::size_t>(c)]);
        }
        m.at(row, 3) = t.empty() ? 0.0 : t[static_cast<std::size_t>(row)];
    }
    return m;
}

std::vector<Mat4> WorldMatrices(const tinygltf::Model& model) {
    std::vector<Mat4> world(model.nodes.size());
    std::function<void(int, const Mat4&)> visit = [&](int i, const Mat4& parent) {
        world[static_cast<std::size_t>(i)] = Multiply(parent, NodeMatrix(model.nodes[static_cast<std::size_t>(i)]));
        for (int child : model.nodes[static_cast<std::size_t>(i)].children) {
            visit(child, world[static_cast<std::size_t>(i)]);
        }
    };
    for (int root : model.scenes.at(0).nodes) {
        visit(root, Mat4{});
    }
    return world;
}

int NodeNamed(const tinygltf::Model& model, const std::string& name) {
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        if (model.nodes[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool Near(const Vec3d& a, const Vec3d& b) {
    return std::fabs(a.x - b.x) < kTolerance && std::fabs(a.y - b.y) < kTolerance && std::fabs(a.z - b.z) < kTolerance;
}

class GltfWrite : public testing::Test {
protected:
    void SetUp() override {
        TVXExporterData data;
        test::FillSampleScene(data.scene);
        ASSERT_EQ(SaveSceneFile(data, dir / "sample.tvx"), 1);
        // The images the sample's materials name, so that the validator
        // finds every file.
        const std::vector<std::uint8_t> png = test::ReadFile(TVX_SAMPLE_IMAGE);
        test::WriteFile(dir / "wood.png", png);
        test::WriteFile(dir / "bumps.png", png);
    }

    void Import(const std::filesystem::path& output, bool embedImages = false) {
        tool::ImportCommandOptions options;
        options.pluginFolder = TVX_PLUGIN_FOLDER;
        options.output = output;
        options.embedImages = embedImages;
        std::ostringstream out, err;
        ASSERT_EQ(tool::RunImport(dir / "sample.tvx", options, out, err), 0) << err.str();
        summary = err.str();
    }

    test::TempDir dir;
    std::string summary;
};

TEST_F(GltfWrite, BothFormsPassTheValidator) {
    for (const char* name : {"scene.glb", "scene.gltf"}) {
        Import(dir / name);
        EXPECT_NE(summary.find("triangles 3"), std::string::npos) << summary;
        std::string report;
        EXPECT_EQ(ValidateWithKhronos(dir / name, report), 0) << report;
    }
    EXPECT_TRUE(std::filesystem::exists(dir / "scene.bin")) << "the .gltf's buffer beside it";

    // Embedded, the images travel with the file.
    Import(dir / "embedded.glb", true);
    std::filesystem::create_directory(dir / "elsewhere");
    std::filesystem::rename(dir / "embedded.glb", dir / "elsewhere" / "embedded.glb");
    std::string report;
    EXPECT_EQ(ValidateWithKhronos(dir / "elsewhere" / "embedded.glb", report), 0) << report;
    const tinygltf::Model model = Load(dir / "elsewhere" / "embedded.glb");
    ASSERT_EQ(model.images.size(), 1u) << "the diffuse bitmap; a bump map has no glTF counterpart";
    for (const tinygltf::Image& image : model.images) {
        EXPECT_TRUE(image.uri.empty());
        EXPECT_GE(image.bufferView, 0);
        EXPECT_EQ(image.mimeType, "image/png");
    }
}

// At rest the skin puts every vertex where the importer posed it; both are
// compared in glTF's axes.
TEST_F(GltfWrite, TheSkinnedMeshStandsWhereTheImporterPosedIt) {
    Import(dir / "scene.glb");
    const tinygltf::Model model = Load(dir / "scene.glb");
    TVXScene posed;
    PoseTables tables;
    LoadOptions options;
    options.poseTables = &tables;
    NoProgress progress;
    ASSERT_EQ(LoadScene(posed, dir / "sample.tvx", progress, options), 1);

    const int meshNode = NodeNamed(model, "TVXMesh");
    ASSERT_GE(meshNode, 0);
    const tinygltf::Node& node = model.nodes[static_cast<std::size_t>(meshNode)];
    ASSERT_GE(node.skin, 0);
    const tinygltf::Skin& skin = model.skins[static_cast<std::size_t>(node.skin)];
    EXPECT_EQ(skin.joints.size(), 3u);
    const std::vector<Mat4> world = WorldMatrices(model);
    const std::vector<float> ibm = Read<float>(model, skin.inverseBindMatrices);
    std::size_t triangles = 0;
    for (const tinygltf::Primitive& primitive : model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives) {
        const auto positions = Read<float>(model, primitive.attributes.at("POSITION"));
        const auto joints = Read<std::uint16_t>(model, primitive.attributes.at("JOINTS_0"));
        const auto weights = Read<float>(model, primitive.attributes.at("WEIGHTS_0"));
        triangles += model.accessors[static_cast<std::size_t>(primitive.indices)].count / 3;
        for (std::size_t v = 0; v < positions.size() / 3; ++v) {
            Vec3d skinned;
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t j = joints[4 * v + k];
                Mat4 inverseBind;
                std::copy(ibm.begin() + static_cast<std::ptrdiff_t>(16 * j), ibm.begin() + static_cast<std::ptrdiff_t>(16 * j + 16),
                          inverseBind.m.begin());
                const Mat4 joint = Multiply(world[static_cast<std::size_t>(skin.joints[j])], inverseBind);
                const Vec3d p = TransformPoint(joint, At(positions, v));
                const auto w = static_cast<double>(weights[4 * v + k]);
                skinned = {skinned.x + w * p.x, skinned.y + w * p.y, skinned.z + w * p.z};
            }
            bool found = false;
            for (const PosedVertex& expected : tables.posedVertices) {
                found = found || Near(skinned, ToGltfAxes({expected.position.x, expected.position.y, expected.position.z}));
            }
            EXPECT_TRUE(found) << "vertex " << v << " at " << skinned.x << " " << skinned.y << " " << skinned.z;
        }
    }
    EXPECT_EQ(triangles, 3u) << "the quad became two";
}

// The bones' animated world transforms, composed from the sampled TRS at a
// key time, are the host's at that time.
TEST_F(GltfWrite, TheSkeletonMovesAsTheHostsControllersMoveIt) {
    Import(dir / "scene.json");
    Import(dir / "scene.glb");
    std::ifstream in(dir / "scene.json");
    std::ostringstream text;
    text << in.rdbuf();
    std::string error;
    const auto host = memhost::ReadHostScene(text.str(), error);
    ASSERT_NE(host, nullptr) << error;
    tinygltf::Model model = Load(dir / "scene.glb");
    ASSERT_EQ(model.animations.size(), 1u);
    const double seconds = 1.0;
    const auto ticks = static_cast<hostapi::TimeValue>(seconds * 30 * 160);
    for (const tinygltf::AnimationChannel& channel : model.animations[0].channels) {
        const tinygltf::AnimationSampler& sampler =
            model.animations[0].samplers[static_cast<std::size_t>(channel.sampler)];
        const auto times = Read<float>(model, sampler.input);
        const auto values = Read<float>(model, sampler.output);
        const auto at = static_cast<std::size_t>(
            std::find_if(times.begin(), times.end(), [&](float t) { return std::fabs(static_cast<double>(t) - seconds) < 1e-6; }) - times.begin());
        ASSERT_LT(at, times.size()) << "a sample at every key";
        tinygltf::Node& node = model.nodes[static_cast<std::size_t>(channel.target_node)];
        const std::size_t n = channel.target_path == "rotation" ? 4 : 3;
        std::vector<double>& target = channel.target_path == "translation" ? node.translation
                                      : channel.target_path == "rotation" ? node.rotation
                                                                          : node.scale;
        target.assign(values.begin() + static_cast<std::ptrdiff_t>(n * at), values.begin() + static_cast<std::ptrdiff_t>(n * at + n));
    }
    const std::vector<Mat4> world = WorldMatrices(model);
    for (const char* name : {"Bone0", "Bone1", "Bone2"}) {
        const int index = NodeNamed(model, name);
        ASSERT_GE(index, 0) << name;
        const Mat4 expected = Multiply(Multiply(AxisChange(), FromHost(host->FindNode(name)->WorldAt(ticks))), AxisChangeBack());
        for (std::size_t e = 0; e < 16; ++e) {
            EXPECT_NEAR(world[static_cast<std::size_t>(index)].m[e], expected.m[e], kTolerance) << name << " element " << e;
        }
    }
}

// Skinned positions at rest, composed as a viewer composes them, against
// the host's world positions of the same vertices.
std::vector<Vec3d> RestPositions(const tinygltf::Model& model, int nodeIndex) {
    const tinygltf::Node& node = model.nodes.at(static_cast<std::size_t>(nodeIndex));
    const std::vector<Mat4> world = WorldMatrices(model);
    std::vector<Vec3d> out;
    for (const tinygltf::Primitive& primitive : model.meshes.at(static_cast<std::size_t>(node.mesh)).primitives) {
        const auto positions = Read<float>(model, primitive.attributes.at("POSITION"));
        for (std::size_t v = 0; v < positions.size() / 3; ++v) {
            Mat4 m = world[static_cast<std::size_t>(nodeIndex)];
            if (node.skin >= 0) {
                const tinygltf::Skin& skin = model.skins[static_cast<std::size_t>(node.skin)];
                const auto ibm = Read<float>(model, skin.inverseBindMatrices);
                std::copy(ibm.begin(), ibm.begin() + 16, m.m.begin());
                m = Multiply(world[static_cast<std::size_t>(skin.joints[0])], m);  // one joint, weight 1
            }
            out.push_back(TransformPoint(m, At(positions, v)));
        }
    }
    return out;
}

TEST(GltfWriteHost, MovedMeshesAndTurnedViewsKeepTheirPlaceAndDirection) {
    std::string error;
    auto host = memhost::ReadHostScene(R"({"format": "tvx-host-scene", "version": 1, "scene": {
      "nodes": [
        {"id": 0, "name": "Bone", "object": 2, "transform": {"local": [[0, 1, 0], [-1, 0, 0], [0, 0, 1], [0, 0, 5]]}},
        {"id": 1, "name": "Skinned", "object": 1, "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [10, 0, 0]]}},
        {"id": 2, "name": "Plain", "object": 0, "parent": 0,
         "transform": {"local": [[2, 0, 0], [0, 1, 0], [0, 0, 1], [0, 3, 0]], "objectOffset": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 1]]}},
        {"id": 3, "name": "Cam", "object": 3, "transform": {"local": [[1, 0, 0], [0, 0, 1], [0, -1, 0], [0, -10, 0]],
                                                               "objectOffset": [[0, 1, 0], [-1, 0, 0], [0, 0, 1], [0, 0, 0]]}}
      ],
      "objects": [
        {"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
        {"id": 1, "kind": "derived", "base": 0, "modifiers": [0]},
        {"id": 2, "kind": "helper"},
        {"id": 3, "kind": "camera", "fov": 1.0, "clip": [1, 100]}
      ],
      "modifiers": [{"id": 0, "kind": "skin", "bones": [0], "weights": [
        {"vertex": 0, "bones": [0], "weights": [1]}, {"vertex": 1, "bones": [0], "weights": [1]},
        {"vertex": 2, "bones": [0], "weights": [1]}]}]}})",
                                       error);
    ASSERT_NE(host, nullptr) << error;
    test::TempDir dir;
    WriteSummary summary;
    ASSERT_TRUE(WriteGltf(*host, dir / "moved.glb", {}, summary, error)) << error;
    std::string report;
    EXPECT_EQ(ValidateWithKhronos(dir / "moved.glb", report), 0) << report;
    const tinygltf::Model model = Load(dir / "moved.glb");

    for (const char* name : {"Skinned", "Plain"}) {
        memhost::MemNode* node = host->FindNode(name);
        const hostapi::Matrix3 objectTM = node->GetObjectTM(0);
        const std::vector<Vec3d> positions = RestPositions(model, NodeNamed(model, name));
        ASSERT_EQ(positions.size(), 3u) << name;
        const hostapi::Point3 corners[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        for (std::size_t v = 0; v < 3; ++v) {
            const Vec3d expected = ToGltfAxes(corners[v] * objectTM);
            EXPECT_TRUE(Near(positions[v], expected)) << name << " vertex " << v << ": " << positions[v].x << " "
                                                      << positions[v].y << " " << positions[v].z;
        }
    }
    // A view looks down its own -z in both: the host camera object's viewing
    // direction, in glTF's axes, is the glTF camera node's -z.
    const Mat4 camera = WorldMatrices(model)[static_cast<std::size_t>(NodeNamed(model, "Cam"))];
    const Mat4 hostCamera = FromHost(host->FindNode("Cam")->GetObjectTM(0));
    const Vec3d forward = TransformDirection(camera, {0, 0, -1});
    const Vec3d hostForward = TransformDirection(hostCamera, {0, 0, -1});
    EXPECT_TRUE(Near(forward, TransformDirection(AxisChange(), hostForward)))
        << forward.x << " " << forward.y << " " << forward.z;
    const Vec3d up = TransformDirection(camera, {0, 1, 0});
    EXPECT_TRUE(Near(up, TransformDirection(AxisChange(), TransformDirection(hostCamera, {0, 1, 0}))));
}

TEST_F(GltfWrite, MaterialsLightsAndCamerasCarryTheirValues) {
    Import(dir / "scene.gltf");
    const tinygltf::Model model = Load(dir / "scene.gltf");
    ASSERT_EQ(model.materials.size(), 2u);
    const tinygltf::Material& plain = model.materials[0];
    EXPECT_EQ(plain.name, "Plain");
    EXPECT_NEAR(plain.pbrMetallicRoughness.baseColorFactor[0], 0.8, kTolerance);
    EXPECT_NEAR(plain.pbrMetallicRoughness.baseColorFactor[3], 0.75, kTolerance) << "the opacity";
    EXPECT_EQ(plain.alphaMode, "BLEND");
    EXPECT_TRUE(plain.doubleSided);
    const tinygltf::Material& mapped = model.materials[1];
    const int texture = mapped.pbrMetallicRoughness.baseColorTexture.index;
    ASSERT_GE(texture, 0);
    const auto& image = model.images.at(static_cast<std::size_t>(model.textures[static_cast<std::size_t>(texture)].source));
    EXPECT_EQ(image.uri, "wood.png") << "relative to the output file";
    EXPECT_EQ(model.samplers.at(static_cast<std::size_t>(model.textures[static_cast<std::size_t>(texture)].sampler)).wrapS,
              TINYGLTF_TEXTURE_WRAP_REPEAT);
    EXPECT_EQ(mapped.pbrMetallicRoughness.baseColorTexture.extensions.count("KHR_texture_transform"), 1u);

    ASSERT_EQ(model.lights.size(), 1u);
    EXPECT_EQ(model.lights[0].type, "spot");
    EXPECT_NEAR(model.lights[0].spot.outerConeAngle, 35.0 / 2 * std::numbers::pi / 180, 1e-5);
    EXPECT_NEAR(model.lights[0].spot.innerConeAngle, 20.0 / 2 * std::numbers::pi / 180, 1e-5);
    EXPECT_NEAR(model.lights[0].range, 40.0, 1e-5);
    ASSERT_EQ(model.cameras.size(), 1u);
    const double horizontal = 60.0 * std::numbers::pi / 180;
    EXPECT_NEAR(model.cameras[0].perspective.yfov, 2 * std::atan(std::tan(horizontal / 2) / kCameraAspectRatio), 1e-5);
    EXPECT_NEAR(model.cameras[0].perspective.znear, 0.5, 1e-5);
    EXPECT_NEAR(model.cameras[0].perspective.zfar, 500.0, 1e-5);
}

}  // namespace
}  // namespace tvx::gltf
