// The glTF reader against the sample models: every result must be a host
// scene the host accepts, with the file's triangles where the file puts
// them (worked out here independently, straight from tinygltf), and hostile
// files must give a message and no scene.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include <tiny_gltf.h>

#include "gltf/GltfRead.h"
#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "memhost/MemNode.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;
using V3 = std::array<double, 3>;
using M4 = std::array<double, 16>;  // column-major

const fs::path kData = TVX_GLTF_DATA;

std::vector<fs::path> Models() {
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(kData)) {
        const auto ext = entry.path().extension();
        if (ext == ".gltf" || ext == ".glb") {
            out.push_back(entry.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

tinygltf::Model LoadModel(const fs::path& file) {
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader([](tinygltf::Image*, int, std::string*, std::string*, int, int, const unsigned char*, int,
                             void*) { return true; },
                          nullptr);
    tinygltf::Model model;
    std::string err, warn;
    const bool ok = file.extension() == ".glb" ? loader.LoadBinaryFromFile(&model, &err, &warn, file.string())
                                               : loader.LoadASCIIFromFile(&model, &err, &warn, file.string());
    EXPECT_TRUE(ok) << err;
    return model;
}

M4 Mul(const M4& a, const M4& b) {
    M4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r[static_cast<std::size_t>(j * 4 + i)] +=
                    a[static_cast<std::size_t>(k * 4 + i)] * b[static_cast<std::size_t>(j * 4 + k)];
    return r;
}

M4 Trs(std::vector<double> t, std::vector<double> q, std::vector<double> s) {
    if (t.empty()) t = {0, 0, 0};
    if (q.empty()) q = {0, 0, 0, 1};
    if (s.empty()) s = {1, 1, 1};
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                            {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                            {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    M4 m{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) m[j * 4 + i] = r[i][j] * s[j];
        m[12 + i] = t[i];
    }
    m[15] = 1;
    return m;
}

// A node's value at time 0 is its first key's (every sample model starts
// its keys at 0 or later); for cubic splines the key's value sits between
// its two tangents.
void ApplyTimeZero(const tinygltf::Model& model, std::vector<tinygltf::Node>& nodes) {
    if (model.animations.empty()) return;
    for (const auto& c : model.animations[0].channels) {
        const auto& sampler = model.animations[0].samplers[static_cast<std::size_t>(c.sampler)];
        const auto& acc = model.accessors[static_cast<std::size_t>(sampler.output)];
        const auto& view = model.bufferViews[static_cast<std::size_t>(acc.bufferView)];
        const std::size_t n = c.target_path == "rotation" ? 4 : 3;
        const std::size_t element = sampler.interpolation == "CUBICSPLINE" ? 1 : 0;
        const auto* p = reinterpret_cast<const float*>(model.buffers[static_cast<std::size_t>(view.buffer)].data.data() +
                                                       view.byteOffset + acc.byteOffset) + element * n;
        std::vector<double> v(p, p + n);
        auto& node = nodes[static_cast<std::size_t>(c.target_node)];
        (c.target_path == "translation" ? node.translation : c.target_path == "rotation" ? node.rotation : node.scale) = v;
    }
}

std::vector<M4> Worlds(const tinygltf::Model& model) {
    std::vector<tinygltf::Node> nodes = model.nodes;
    ApplyTimeZero(model, nodes);
    std::vector<int> parent(nodes.size(), -1);
    for (std::size_t i = 0; i < nodes.size(); ++i)
        for (int c : nodes[i].children) parent[static_cast<std::size_t>(c)] = static_cast<int>(i);
    std::vector<M4> world(nodes.size());
    std::function<M4(std::size_t)> at = [&](std::size_t i) {
        M4 local{};
        if (nodes[i].matrix.size() == 16) std::copy(nodes[i].matrix.begin(), nodes[i].matrix.end(), local.begin());
        else local = Trs(nodes[i].translation, nodes[i].rotation, nodes[i].scale);
        return parent[i] < 0 ? local : Mul(at(static_cast<std::size_t>(parent[i])), local);
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) world[i] = at(i);
    return world;
}

bool IsTriangles(int mode) { return mode < 0 || mode >= TINYGLTF_MODE_TRIANGLES; }

std::size_t Triangles(const tinygltf::Model& model, const tinygltf::Primitive& p) {
    const auto& acc = model.accessors[static_cast<std::size_t>(p.indices >= 0 ? p.indices : p.attributes.at("POSITION"))];
    return p.mode == TINYGLTF_MODE_TRIANGLE_STRIP || p.mode == TINYGLTF_MODE_TRIANGLE_FAN ? acc.count - 2 : acc.count / 3;
}

// POSITION through tinygltf's own view of the data, sparse values applied.
std::vector<V3> Positions(const tinygltf::Model& model, int accessor) {
    const auto& acc = model.accessors[static_cast<std::size_t>(accessor)];
    std::vector<V3> out(acc.count, V3{0, 0, 0});
    if (acc.bufferView >= 0) {
        const auto& view = model.bufferViews[static_cast<std::size_t>(acc.bufferView)];
        const std::size_t stride = view.byteStride ? view.byteStride : 12;
        const auto* base = model.buffers[static_cast<std::size_t>(view.buffer)].data.data() + view.byteOffset + acc.byteOffset;
        for (std::size_t i = 0; i < acc.count; ++i) {
            float f[3];
            std::memcpy(f, base + i * stride, sizeof f);
            out[i] = {static_cast<double>(f[0]), static_cast<double>(f[1]), static_cast<double>(f[2])};
        }
    }
    if (acc.sparse.isSparse) {
        const auto& iv = model.bufferViews[static_cast<std::size_t>(acc.sparse.indices.bufferView)];
        const auto& vv = model.bufferViews[static_cast<std::size_t>(acc.sparse.values.bufferView)];
        const auto* ib = model.buffers[static_cast<std::size_t>(iv.buffer)].data.data() + iv.byteOffset +
                         static_cast<std::size_t>(acc.sparse.indices.byteOffset);
        const auto* vb = model.buffers[static_cast<std::size_t>(vv.buffer)].data.data() + vv.byteOffset +
                         static_cast<std::size_t>(acc.sparse.values.byteOffset);
        for (std::size_t k = 0; k < static_cast<std::size_t>(acc.sparse.count); ++k) {
            std::size_t index = 0;
            if (acc.sparse.indices.componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT) {
                std::uint16_t v;
                std::memcpy(&v, ib + 2 * k, 2);
                index = v;
            } else {
                std::uint32_t v;
                std::memcpy(&v, ib + 4 * k, 4);
                index = v;
            }
            float f[3];
            std::memcpy(f, vb + 12 * k, sizeof f);
            out[index] = {static_cast<double>(f[0]), static_cast<double>(f[1]), static_cast<double>(f[2])};
        }
    }
    return out;
}

V3 Apply(const M4& m, const V3& p) {
    V3 r{};
    for (std::size_t i = 0; i < 3; ++i) r[i] = m[i] * p[0] + m[4 + i] * p[1] + m[8 + i] * p[2] + m[12 + i];
    return r;
}

V3 RowApply(const Json& rows, const Json& p) {
    V3 r{};
    for (std::size_t i = 0; i < 3; ++i)
        r[i] = p[0].get<double>() * rows[0][i].get<double>() + p[1].get<double>() * rows[1][i].get<double>() +
               p[2].get<double>() * rows[2][i].get<double>() + rows[3][i].get<double>();
    return r;
}

struct Converted {
    Json scene;       // as the host writes it back, with its derived transforms
    tvx::gltf::ReadSummary summary;
};

Converted Convert(const fs::path& file, const tvx::gltf::ReadOptions& options = {}) {
    Converted c;
    std::string error;
    const auto result = tvx::gltf::ReadGltfAsHostScene(file, options, c.summary, error);
    EXPECT_TRUE(result.has_value()) << file << ": " << error;
    if (!result) return c;
    const auto host = memhost::ReadHostScene(result->scene.dump(), error);
    EXPECT_NE(host, nullptr) << file << ": " << error;
    if (host) c.scene = memhost::HostSceneJson(*host)["scene"];
    return c;
}

const Json& MeshOf(const Json& scene, const Json& node) {
    const Json* object = &scene["objects"][node["object"].get<std::size_t>()];
    if ((*object)["kind"] == "derived") object = &scene["objects"][(*object)["base"].get<std::size_t>()];
    return *object;
}

class SampleModel : public testing::TestWithParam<fs::path> {};

TEST_P(SampleModel, LandsInTheHostWhereTheFilePutsIt) {
    const tinygltf::Model model = LoadModel(GetParam());
    const Converted c = Convert(GetParam());
    ASSERT_FALSE(c.scene.is_null());
    const std::vector<M4> worlds = Worlds(model);
    std::size_t triangles = 0;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const auto& node = model.nodes[i];
        // A skinned mesh is placed where its skin shows it at time 0; the
        // round trip (GltfRoundTripTest) skins it independently to check.
        if (node.mesh < 0) continue;
        std::vector<V3> expected;
        std::size_t meshTriangles = 0;
        for (const auto& p : model.meshes[static_cast<std::size_t>(node.mesh)].primitives) {
            if (!IsTriangles(p.mode)) continue;
            meshTriangles += Triangles(model, p);
            for (const V3& v : Positions(model, p.attributes.at("POSITION"))) {
                expected.push_back(Apply(worlds[i], v));
            }
        }
        triangles += meshTriangles;
        if (node.skin >= 0) continue;
        const Json& host = c.scene["nodes"][i];
        const Json& mesh = MeshOf(c.scene, host);
        ASSERT_EQ(mesh["faces"].size(), meshTriangles) << "node " << i;
        ASSERT_EQ(mesh["vertices"].size(), expected.size()) << "node " << i;
        double size = 1e-6;
        for (const V3& v : expected) size = std::max({size, std::fabs(v[0]), std::fabs(v[1]), std::fabs(v[2])});
        for (std::size_t k = 0; k < expected.size(); ++k) {
            const V3 got = RowApply(host["transform"]["worldAtTime0"], mesh["vertices"][k]);
            const V3 want{expected[k][0], -expected[k][2], expected[k][1]};
            for (std::size_t a = 0; a < 3; ++a) {
                ASSERT_NEAR(got[a], want[a], 1e-4 * size) << "node " << i << " vertex " << k;
            }
        }
    }
    EXPECT_EQ(c.summary.triangles, static_cast<int>(triangles));
    const bool lines = std::any_of(model.meshes.begin(), model.meshes.end(), [](const auto& m) {
        return std::any_of(m.primitives.begin(), m.primitives.end(), [](const auto& p) { return !IsTriangles(p.mode); });
    });
    EXPECT_EQ(std::count(c.summary.warnings.begin(), c.summary.warnings.end(), "point and line primitives are left out"),
              lines ? 1 : 0);
}

TEST_P(SampleModel, SkinsAndAnimationsCarryOver) {
    const tinygltf::Model model = LoadModel(GetParam());
    const Converted c = Convert(GetParam());
    ASSERT_FALSE(c.scene.is_null());
    std::size_t skins = 0;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        if (model.nodes[i].mesh < 0 || model.nodes[i].skin < 0) continue;
        const Json& object = c.scene["objects"][c.scene["nodes"][i]["object"].get<std::size_t>()];
        ASSERT_EQ(object["kind"], "derived");
        const Json& skin = c.scene["modifiers"][object["modifiers"][0].get<std::size_t>()];
        EXPECT_EQ(skin["bones"].size(), model.skins[static_cast<std::size_t>(model.nodes[i].skin)].joints.size());
        EXPECT_FALSE(skin["weights"].empty());
        ++skins;
    }
    EXPECT_EQ(c.scene["modifiers"].size(), skins);
    if (!model.animations.empty()) {
        EXPECT_GT(c.summary.keys, 0);
        EXPECT_GT(c.scene["animation"]["range"][1].get<int>(), 0);
    } else {
        EXPECT_EQ(c.summary.keys, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Gltf, SampleModel, testing::ValuesIn(Models()), [](const auto& p) {
    std::string name = fs::relative(p.param, kData).replace_extension().string();
    for (char& ch : name) if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
});

// --- Crafted files ---------------------------------------------------------

std::string ReadText(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// A copy of the Box model, its JSON and its buffer changed as a case needs.
struct BrokenBox {
    const char* name;
    std::function<void(Json&, std::vector<std::uint8_t>&, bool&)> change;  // bool: write the .bin
    const char* message;  // part of the expected error
};

class BrokenFile : public testing::TestWithParam<BrokenBox> {};

TEST_P(BrokenFile, GivesAMessageAndNoScene) {
    const tvx::test::TempDir dir;
    Json gltf = Json::parse(ReadText(kData / "Box/glTF/Box.gltf"));
    std::vector<std::uint8_t> bin = tvx::test::ReadFile(kData / "Box/glTF/Box0.bin");
    bool writeBin = true;
    GetParam().change(gltf, bin, writeBin);
    WriteText(dir / "Box.gltf", gltf.dump());
    if (writeBin) tvx::test::WriteFile(dir / "Box0.bin", bin);
    tvx::gltf::ReadSummary summary;
    std::string error;
    const auto result = tvx::gltf::ReadGltfAsHostScene(dir / "Box.gltf", {}, summary, error);
    EXPECT_FALSE(result.has_value());
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Box, BrokenFile,
    testing::Values(
        BrokenBox{"MissingBuffer", [](Json&, std::vector<std::uint8_t>&, bool& write) { write = false; }, "Box0.bin"},
        BrokenBox{"TruncatedBuffer", [](Json&, std::vector<std::uint8_t>& bin, bool&) { bin.resize(bin.size() / 2); },
                  "size"},
        BrokenBox{"IndexOutOfRange",
                  [](Json&, std::vector<std::uint8_t>& bin, bool&) { bin[576] = 0xff; bin[577] = 0x00; },
                  "vertex index 255 is out of range"},
        BrokenBox{"AccessorOverrun", [](Json& g, std::vector<std::uint8_t>&, bool&) { g["accessors"][2]["count"] = 25; },
                  "run past the end of buffer view"},
        BrokenBox{"ViewPastBuffer",
                  [](Json& g, std::vector<std::uint8_t>&, bool&) { g["bufferViews"][0]["byteLength"] = 100000; },
                  "past the end of buffer"},
        BrokenBox{"VersionOne", [](Json& g, std::vector<std::uint8_t>&, bool&) { g["asset"]["version"] = "1.0"; },
                  "glTF 1.0 is not read; only glTF 2.0 is"},
        BrokenBox{"UnknownRequiredExtension",
                  [](Json& g, std::vector<std::uint8_t>&, bool&) {
                      g["extensionsRequired"] = {"KHR_draco_mesh_compression"};
                      g["extensionsUsed"] = {"KHR_draco_mesh_compression"};
                  },
                  "requires the extension KHR_draco_mesh_compression, which is not read"},
        BrokenBox{"VastTranslation",
                  [](Json& g, std::vector<std::uint8_t>&, bool&) { g["nodes"][0]["matrix"][13] = 1e38; },
                  "node 0 (\""},
        BrokenBox{"RecursiveHierarchy", [](Json& g, std::vector<std::uint8_t>&, bool&) { g["nodes"][1]["children"] = {0}; },
                  "recursive"},
        BrokenBox{"TwoParents",
                  [](Json& g, std::vector<std::uint8_t>&, bool&) {
                      g["nodes"].push_back({{"children", {1}}});
                  },
                  "two parents"},
        BrokenBox{"NoSuchChild", [](Json& g, std::vector<std::uint8_t>&, bool&) { g["nodes"][0]["children"] = {7}; },
                  "no child node 7"},
        BrokenBox{"NoSuchAnimation", [](Json& g, std::vector<std::uint8_t>&, bool&) { g["nodes"][0]["mesh"] = 3; },
                  "no mesh 3"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(GltfRead, AnimationOutOfRangeIsRefused) {
    tvx::gltf::ReadSummary summary;
    std::string error;
    EXPECT_FALSE(tvx::gltf::ReadGltfAsHostScene(kData / "BoxAnimated/glTF/BoxAnimated.gltf", {.animation = 5, .imageFolder = {}}, summary,
                                                error));
    EXPECT_NE(error.find("no animation 5"), std::string::npos) << error;
}

// A file whose animation turns node `keyed` by 90 degrees about glTF's Y
// in its one second, read into the host.
std::unique_ptr<memhost::MemHost> ReadTurning(const fs::path& dir, const Json& nodes, int keyed, Json& scene) {
    const float s = static_cast<float>(std::numbers::sqrt2 / 2);
    const float data[] = {0.0f, 1.0f, 0, 0, 0, 1, 0, s, 0, s};  // times, then identity and the turn
    std::vector<std::uint8_t> bin(sizeof data);
    std::memcpy(bin.data(), data, sizeof data);
    tvx::test::WriteFile(dir / "turn.bin", bin);
    const Json gltf = {
        {"asset", {{"version", "2.0"}}},
        {"buffers", {{{"uri", "turn.bin"}, {"byteLength", 40}}}},
        {"bufferViews", {{{"buffer", 0}, {"byteOffset", 0}, {"byteLength", 8}},
                         {{"buffer", 0}, {"byteOffset", 8}, {"byteLength", 32}}}},
        {"accessors", {{{"bufferView", 0}, {"componentType", 5126}, {"count", 2}, {"type", "SCALAR"}},
                       {{"bufferView", 1}, {"componentType", 5126}, {"count", 2}, {"type", "VEC4"}}}},
        {"cameras", {{{"type", "perspective"}, {"perspective", {{"yfov", 0.8}, {"znear", 0.1}}}}}},
        {"extensionsUsed", {"KHR_lights_punctual"}},
        {"extensions", {{"KHR_lights_punctual", {{"lights", {{{"type", "spot"}, {"spot", Json::object()}}}}}}}},
        {"nodes", nodes},
        {"animations", {{{"samplers", {{{"input", 0}, {"output", 1}}}},
                         {"channels", {{{"sampler", 0}, {"target", {{"node", keyed}, {"path", "rotation"}}}}}}}}}};
    WriteText(dir / "turn.gltf", gltf.dump());
    tvx::gltf::ReadSummary summary;
    std::string error;
    const auto result = tvx::gltf::ReadGltfAsHostScene(dir / "turn.gltf", {}, summary, error);
    EXPECT_TRUE(result) << error;
    if (!result) return nullptr;
    scene = result->scene;
    auto host = memhost::ReadHostScene(result->scene.dump(), error);
    EXPECT_NE(host, nullptr) << error;
    return host;
}

void ExpectNear(const hostapi::Point3& got, const hostapi::Point3& want, const std::string& what) {
    EXPECT_NEAR(got.x, want.x, 1e-4f) << what;
    EXPECT_NEAR(got.y, want.y, 1e-4f) << what;
    EXPECT_NEAR(got.z, want.z, 1e-4f) << what;
}

// Statically and by a key, a turn about glTF's Y must turn glTF's x axis
// onto its -z, which is the host's +y.
TEST(GltfRead, RotationAboutYTurnsTheHostAxesTheGltfWay) {
    const tvx::test::TempDir dir;
    const float s = static_cast<float>(std::numbers::sqrt2 / 2);
    Json scene;
    const auto host = ReadTurning(dir.path(), {{{"name", "still"}, {"rotation", {0, s, 0, s}}}, {{"name", "keyed"}}}, 1,
                                  scene);
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(scene.at("scene")["animation"]["range"], Json::array({0, 4800}));
    const std::pair<const char*, int> cases[] = {{"still", 0}, {"keyed", 4800}};
    for (const auto& [name, time] : cases) {
        const hostapi::Matrix3 m = host->FindNode(name)->WorldAt(time);
        ExpectNear(m.GetRow(0), {0, 1, 0}, name);
        ExpectNear(m.GetRow(1), {-1, 0, 0}, name);
        ExpectNear(m.GetRow(2), {0, 0, 1}, name);
    }
    // Halfway, the sampled keys must have slerped to 45 degrees.
    ExpectNear(host->FindNode("keyed")->WorldAt(2400).GetRow(0), {s, s, 0}, "halfway");
}

// A camera looks down its own -z in both, so its node keeps glTF's frame:
// looking down glTF's -z is looking along the host's +y. What hangs below
// it (a light, a node in front of it) turns with it.
TEST(GltfRead, ViewsLookWhereTheFileHasThemLook) {
    const tvx::test::TempDir dir;
    const Json nodes = {
        {{"name", "camera"}, {"camera", 0}, {"translation", {1, 0, 0}}, {"children", {1, 2}}},
        {{"name", "ahead"}, {"translation", {0, 0, -2}}},
        {{"name", "lamp"}, {"extensions", {{"KHR_lights_punctual", {{"light", 0}}}}}}};
    Json scene;
    const auto host = ReadTurning(dir.path(), nodes, 0, scene);
    ASSERT_NE(host, nullptr);
    // Before the turn glTF's -z is the host's +y; after it, glTF's -x.
    const std::pair<int, hostapi::Point3> cases[] = {{0, {0, 1, 0}}, {4800, {-1, 0, 0}}};
    for (const auto& [time, forward] : cases) {
        const std::string at = "at " + std::to_string(time);
        for (const char* view : {"camera", "lamp"}) {
            const hostapi::Matrix3 world = host->FindNode(view)->WorldAt(time);
            const hostapi::Point3 back = world.GetRow(2);
            ExpectNear({-back.x, -back.y, -back.z}, forward, view + (" " + at));
            ExpectNear(world.GetRow(1), {0, 0, 1}, view + (" up " + at));
        }
        ExpectNear(host->FindNode("ahead")->WorldAt(time).GetTrans(),
                   {1 + 2 * forward.x, 2 * forward.y, 2 * forward.z}, "ahead " + at);
    }
}

}  // namespace

namespace {

// A file in memory reads as the same file on disk does, and reaches no
// file beside it.
TEST(GltfRead, AFileInMemoryHoldsItsOwnBuffers) {
    const fs::path glb = kData / "BoxTextured/glTF-Binary/BoxTextured.glb";
    const std::vector<std::uint8_t> bytes = tvx::test::ReadFile(glb);
    tvx::gltf::ReadSummary summary;
    std::string error;
    const auto fromMemory = tvx::gltf::ReadGltfBytesAsHostScene(bytes, "BoxTextured.glb", {}, summary, error);
    ASSERT_TRUE(fromMemory) << error;
    const auto fromFile = tvx::gltf::ReadGltfAsHostScene(glb, {}, summary, error);
    ASSERT_TRUE(fromFile) << error;
    EXPECT_EQ(fromMemory->scene, fromFile->scene);
    ASSERT_EQ(fromMemory->images.size(), 1u);
    EXPECT_EQ(fromMemory->images[0].bytes, tvx::test::ReadFile(kData / "BoxTextured/glTF/CesiumLogoFlat.png"));

    // Even a buffer named by its full path is out of reach.
    Json gltf = Json::parse(ReadText(kData / "Box/glTF/Box.gltf"));
    gltf["buffers"][0]["uri"] = fs::absolute(kData / "Box/glTF/Box0.bin").string();
    const std::string text = gltf.dump();
    EXPECT_FALSE(tvx::gltf::ReadGltfBytesAsHostScene({reinterpret_cast<const unsigned char*>(text.data()), text.size()},
                                                     "Box.gltf", {}, summary, error));
    EXPECT_NE(error.find("Box0.bin"), std::string::npos) << error;
}

}  // namespace
