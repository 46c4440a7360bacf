// How the glTF written from the host shades: NORMAL from the mesh's
// specified normals or its smoothing groups, carried by the object offset
// (mirroring ones included), and COLOR_0 from the vertex colours and alpha;
// for a TVX file through the importer, the file's own normals and colours.
// Every file written passes the validator.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <numbers>
#include <sstream>

#include "fileformat/container/SaveSceneFile.h"
#include "gltf/Accessors.h"
#include "gltf/GltfBuffer.h"
#include "gltf/GltfWrite.h"
#include "gltf/SmoothingNormals.h"
#include "memhost/HostSceneRead.h"
#include "tests/gltf/ShownScene.h"
#include "tests/gltf/Validator.h"
#include "tests/support/SampleScene.h"
#include "tests/support/TempDir.h"
#include "tests/world/ThroughTvx.h"
#include "tools/tvx/Commands.h"

namespace tvx::gltf {
namespace {

using Triple = std::array<double, 3>;

bool Near(const Triple& a, const Triple& b, double tolerance = 1e-5) {
    return std::fabs(a[0] - b[0]) < tolerance && std::fabs(a[1] - b[1]) < tolerance && std::fabs(a[2] - b[2]) < tolerance;
}

std::string Text(const Triple& t) {
    std::ostringstream out;
    out << "(" << t[0] << ", " << t[1] << ", " << t[2] << ")";
    return out.str();
}

Triple Of(const Vector3& v) { return {static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z)}; }

Triple Unit(Triple v) {
    const double length = std::hypot(v[0], v[1], v[2]);
    return {v[0] / length, v[1] / length, v[2] / length};
}

// One triangle primitive's vertices as written, corner by corner.
struct Corners {
    std::vector<Triple> positions, normals;
    std::vector<std::vector<double>> colours;  // empty without COLOR_0
};

Corners CornersOf(const tinygltf::Model& model, const tinygltf::Primitive& p) {
    const auto triples = [&](const char* name) {
        const std::vector<double> xyz = ReadNumbers(model, p.attributes.at(name), 3, name);
        std::vector<Triple> out;
        for (std::size_t i = 0; i + 2 < xyz.size(); i += 3) {
            out.push_back({xyz[i], xyz[i + 1], xyz[i + 2]});
        }
        return out;
    };
    const std::vector<Triple> positions = triples("POSITION");
    const std::vector<Triple> normals = triples("NORMAL");
    std::vector<std::vector<double>> colours;
    if (const auto it = p.attributes.find("COLOR_0"); it != p.attributes.end()) {
        const int n = model.accessors.at(static_cast<std::size_t>(it->second)).type == TINYGLTF_TYPE_VEC4 ? 4 : 3;
        const std::vector<double> c = ReadNumbers(model, it->second, n, "COLOR_0");
        for (std::size_t i = 0; i < c.size(); i += static_cast<std::size_t>(n)) {
            colours.emplace_back(c.begin() + static_cast<std::ptrdiff_t>(i), c.begin() + static_cast<std::ptrdiff_t>(i) + n);
        }
    }
    Corners out;
    for (const std::uint32_t i : ReadIndices(model, p.indices, positions.size())) {
        out.positions.push_back(positions[i]);
        out.normals.push_back(normals[i]);
        if (!colours.empty()) {
            out.colours.push_back(colours[i]);
        }
    }
    return out;
}

const tinygltf::Primitive& OnlyPrimitive(const tinygltf::Model& model, const std::string& node) {
    for (const tinygltf::Node& n : model.nodes) {
        if (n.name == node) {
            return model.meshes.at(static_cast<std::size_t>(n.mesh)).primitives.at(0);
        }
    }
    ADD_FAILURE() << "no node " << node;
    static const tinygltf::Primitive none;
    return none;
}

Triple FaceNormal(const Corners& c, std::size_t triangle) {
    const Triple& a = c.positions[3 * triangle];
    const Triple& b = c.positions[3 * triangle + 1];
    const Triple& d = c.positions[3 * triangle + 2];
    const Triple u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const Triple v{d[0] - a[0], d[1] - a[1], d[2] - a[2]};
    return Unit({u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]});
}

// A triangle facing the host's +z (glTF's +y), on its own, mirrored by its
// object offset and by its node; a quad of one smoothing group under a
// stretching offset, whose first face has an explicit specified normal and
// whose second names one that is not explicit.
constexpr const char* kShadedHost = R"({"format": "tvx-host-scene", "version": 1, "scene": {
  "nodes": [
    {"id": 0, "name": "Plain", "object": 0},
    {"id": 1, "name": "MirroredOffset", "object": 0,
     "transform": {"objectOffset": [[-1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]]}},
    {"id": 2, "name": "MirroredNode", "object": 0, "transform": {"local": [[-1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]]}},
    {"id": 3, "name": "Stretched", "object": 1,
     "transform": {"objectOffset": [[2, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]]}}
  ],
  "objects": [
    {"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]],
     "mapChannels": [{"channel": -2, "vertices": [[0.25, 0.25, 0.25]], "faces": [[0, 0, 0]]},
                     {"channel": 0, "vertices": [[2, 0.5, -1], [0.1, 0.2, 0.3]], "faces": [[0, 1, 7]]}]},
    {"id": 1, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0]],
     "faces": [[0, 1, 2], [1, 3, 2]], "faceSmoothingGroups": [1, 1],
     "specifiedNormals": {"normals": [[1, 1, 0], [0, 0, 0]], "explicit": [true, false],
                          "faces": [[0, 0, 0], [1, 1, 1]], "specified": [7, 7]}}
  ]}})";

class ShadedHost : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        host = memhost::ReadHostScene(kShadedHost, error);
        ASSERT_NE(host, nullptr) << error;
        WriteSummary summary;
        ASSERT_TRUE(WriteGltf(*host, dir / "shaded.glb", {}, summary, error)) << error;
        std::string report;
        EXPECT_EQ(ValidateWithKhronos(dir / "shaded.glb", report), 0) << report;
        ASSERT_TRUE(viewer::Parse(dir / "shaded.glb", model, error)) << error;
    }

    test::TempDir dir;
    std::unique_ptr<memhost::MemHost> host;
    tinygltf::Model model;
};

// The winding glTF sees and the normal agree, and both face the way the
// host shows the face, whichever transform mirrors it.
TEST_F(ShadedHost, AMirroringOffsetTurnsTheFaceBackAndAMirroringNodeIsLeftToGltf) {
    for (const char* name : {"Plain", "MirroredOffset", "MirroredNode"}) {
        SCOPED_TRACE(name);
        const Corners c = CornersOf(model, OnlyPrimitive(model, name));
        ASSERT_EQ(c.normals.size(), 3u);
        for (const Triple& n : c.normals) {
            EXPECT_TRUE(Near(n, {0, 1, 0})) << Text(n);
        }
        EXPECT_TRUE(Near(FaceNormal(c, 0), {0, 1, 0})) << "the written winding faces " << Text(FaceNormal(c, 0));
    }
}

// The explicit normal (1, 1, 0) under a stretch of x by 2 stays square to
// the stretched surface: (1/2, 1, 0), in glTF's axes (1/2, 0, -1). The
// normal that is not explicit is the smoothing group's, the host's +z.
TEST_F(ShadedHost, ExplicitNormalsAreCarriedSquareToTheStretchAndTheRestFollowTheGroups) {
    const Corners c = CornersOf(model, OnlyPrimitive(model, "Stretched"));
    ASSERT_EQ(c.normals.size(), 6u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_TRUE(Near(c.normals[k], Unit({0.5, 0, -1}))) << Text(c.normals[k]);
        EXPECT_TRUE(Near(c.normals[3 + k], {0, 1, 0})) << Text(c.normals[3 + k]);
    }
}

// Alpha makes COLOR_0 four wide; values beyond 0..1 are clamped, and a
// corner whose colour index names no colour shows white.
TEST_F(ShadedHost, VertexColoursAndAlphaBecomeColorZero) {
    const Corners c = CornersOf(model, OnlyPrimitive(model, "Plain"));
    ASSERT_EQ(c.colours.size(), 3u);
    EXPECT_EQ(c.colours[0], (std::vector<double>{1.0, 0.5, 0.0, 0.25}));
    EXPECT_NEAR(c.colours[1][2], 0.3, 1e-6);
    EXPECT_EQ(c.colours[2], (std::vector<double>{1.0, 1.0, 1.0, 0.25}));
    EXPECT_EQ(OnlyPrimitive(model, "Stretched").attributes.count("COLOR_0"), 0u) << "no colours, no COLOR_0";
}

// A TVX file through the importer: without bones the mesh stands as stored,
// and glTF's Y-up is the file's own, so POSITION, NORMAL and COLOR_0 are the
// file's values.
TEST(TvxToGltf, TheFilesNormalsAndColoursReachTheGltf) {
    test::TempDir dir;
    TVXExporterData data;
    test::FillSampleScene(data.scene);
    data.scene.vertexNormalsStored = true;
    const Vector3 normals[] = {{0, 0, 2}, {0, 1, 0}, {1, 0, 0}, {0, -3, 4}};
    const RGBA colours[] = {{0.1f, 0.2f, 0.3f, 1.0f}, {1.0f, 0.5f, 0.0f, 0.5f}, {1, 1, 1, 1}, {0, 0, 0, 1}};
    for (std::size_t v = 0; v < 4; ++v) {
        data.scene.vertices[v].normal = normals[v];
        data.scene.vertices[v].color = colours[v];
    }
    ASSERT_EQ(SaveSceneFile(data, dir / "coloured.tvx"), 1);
    // The images the sample's materials name, so that the validator finds them.
    const std::vector<std::uint8_t> png = test::ReadFile(TVX_SAMPLE_IMAGE);
    test::WriteFile(dir / "wood.png", png);
    test::WriteFile(dir / "bumps.png", png);
    tool::ImportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.bones = false;
    options.output = dir / "coloured.glb";
    std::ostringstream out, err;
    ASSERT_EQ(tool::RunImport(dir / "coloured.tvx", options, out, err), 0) << err.str();
    std::string report;
    EXPECT_EQ(ValidateWithKhronos(dir / "coloured.glb", report), 0) << report;
    tinygltf::Model model;
    std::string error;
    ASSERT_TRUE(viewer::Parse(dir / "coloured.glb", model, error)) << error;

    std::size_t corners = 0;
    for (const tinygltf::Primitive& p : model.meshes.at(0).primitives) {
        const Corners c = CornersOf(model, p);
        ASSERT_EQ(c.colours.size(), c.positions.size());
        for (std::size_t k = 0; k < c.positions.size(); ++k, ++corners) {
            std::size_t v = 0;
            while (v < 4 && !Near(c.positions[k], Of(data.scene.vertices[v].position))) {
                ++v;
            }
            ASSERT_LT(v, 4u) << "a corner at " << Text(c.positions[k]);
            EXPECT_TRUE(Near(c.normals[k], Unit(Of(normals[v])))) << Text(c.normals[k]);
            const RGBA& rgba = colours[v];
            EXPECT_TRUE(Near({c.colours[k][0], c.colours[k][1], c.colours[k][2]}, Of({rgba.r, rgba.g, rgba.b})));
            EXPECT_NEAR(c.colours[k][3], static_cast<double>(rgba.a), 1e-6);
        }
    }
    EXPECT_EQ(corners, 9u) << "the quad's two triangles and the cap's one";
}

// ---- glTF with normals -> TVX -> glTF ----

// A dome, half round, on shared vertices whose normals are its own
// smoothing's, standing on a flat floor that meets it at a crease, under a
// node that turns, moves and scales it: the normals follow its smoothing,
// so they must come back as they went.
void WriteDome(const std::filesystem::path& file) {
    constexpr int kRings = 6, kSegments = 9;
    std::vector<Vec3d> dome;
    for (int i = 0; i <= kRings; ++i) {
        const double up = (10.0 + 70.0 * i / kRings) * std::numbers::pi / 180.0;
        for (int j = 0; j <= kSegments; ++j) {
            const double around = std::numbers::pi * j / kSegments;
            dome.push_back({std::cos(up) * std::cos(around), std::sin(up), std::cos(up) * std::sin(around)});
        }
    }
    const auto at = [](int i, int j) { return static_cast<std::uint32_t>(i * (kSegments + 1) + j); };
    std::vector<SmoothedTriangle> cells;
    for (int i = 0; i < kRings; ++i) {
        for (int j = 0; j < kSegments; ++j) {
            // Counter-clockwise seen from outside.
            cells.push_back({{at(i, j), at(i + 1, j + 1), at(i, j + 1)}, 1});
            cells.push_back({{at(i, j), at(i + 1, j), at(i + 1, j + 1)}, 1});
        }
    }
    const std::vector<std::array<Vec3d, 3>> smooth = SmoothingNormals(dome, cells);
    std::vector<Vec3d> normals(dome.size());
    for (std::size_t t = 0; t < cells.size(); ++t) {
        for (std::size_t c = 0; c < 3; ++c) {
            normals[cells[t].v[c]] = smooth[t][c];
        }
    }
    std::vector<float> positions, normalValues;
    std::vector<std::uint32_t> indices;
    const auto add = [&](const Vec3d& p, const Vec3d& n) {
        positions.insert(positions.end(), {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
        normalValues.insert(normalValues.end(), {static_cast<float>(n.x), static_cast<float>(n.y), static_cast<float>(n.z)});
    };
    for (std::size_t v = 0; v < dome.size(); ++v) {
        add(dome[v], normals[v]);
    }
    for (const SmoothedTriangle& t : cells) {
        indices.insert(indices.end(), t.v.begin(), t.v.end());
    }
    // The floor: a fan under the lowest ring, facing down, on vertices of its own.
    const auto centre = static_cast<std::uint32_t>(dome.size());
    add({0.0, dome[0].y, 0.0}, {0, -1, 0});
    for (int j = 0; j <= kSegments; ++j) {
        add(dome[at(0, j)], {0, -1, 0});
    }
    for (std::uint32_t j = 0; j < kSegments; ++j) {
        indices.insert(indices.end(), {centre, centre + 1 + j, centre + 2 + j});
    }

    tinygltf::Model model;
    model.asset.version = "2.0";
    GltfBuffer buffer(model);
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.attributes["POSITION"] = buffer.AddFloats(positions, 3, true, TINYGLTF_TARGET_ARRAY_BUFFER);
    primitive.attributes["NORMAL"] = buffer.AddFloats(normalValues, 3, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    primitive.indices = buffer.AddIndices(indices);
    model.meshes.emplace_back().primitives.push_back(primitive);
    tinygltf::Node node;
    node.name = "Dome";
    node.mesh = 0;
    node.translation = {1.0, -2.0, 0.5};
    node.rotation = {0.0, std::sin(0.3), 0.0, std::cos(0.3)};
    node.scale = {2.0, 2.0, 2.0};
    model.nodes.push_back(node);
    model.scenes.emplace_back().nodes = {0};
    model.defaultScene = 0;
    tinygltf::TinyGLTF writer;
    ASSERT_TRUE(writer.WriteGltfSceneToFile(&model, file.string(), false, true, false, true));
}

// The original's vertices (position and normal) that the other shows
// nowhere: for each, some vertex at its place must have its normal.
std::vector<std::size_t> NormalsNotShown(const viewer::Shown& a, const viewer::Shown& b, double tolerance) {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < a.positions.size(); ++i) {
        bool found = false;
        for (std::size_t j = 0; j < b.positions.size() && !found; ++j) {
            const Vec3d& p = a.positions[i];
            const Vec3d& q = b.positions[j];
            found = std::hypot(p.x - q.x, p.y - q.y, p.z - q.z) <= tolerance &&
                    Near({a.normals[i].x, a.normals[i].y, a.normals[i].z}, {b.normals[j].x, b.normals[j].y, b.normals[j].z},
                         1e-4);
        }
        if (!found) {
            out.push_back(i);
        }
    }
    return out;
}

class ShadedRoundTrip : public testing::Test {
protected:
    // original -> scene.tvx -> back.glb, and both as a viewer shows them.
    void Run(const std::filesystem::path& original) {
        ASSERT_TRUE(world::ThroughTvx(original, dir / "scene.tvx", {dir / "back.glb"}));
        std::string report;
        EXPECT_EQ(ValidateWithKhronos(dir / "back.glb", report), 0) << report;
        tinygltf::Model before, after;
        std::string error;
        ASSERT_TRUE(viewer::Parse(original, before, error)) << error;
        ASSERT_TRUE(viewer::Parse(dir / "back.glb", after, error)) << error;
        shownBefore = viewer::ShownAt(before, 0.0);
        shownAfter = viewer::ShownAt(after, 0.0);
        tolerance = 1e-4 * viewer::Size(shownBefore.positions);
    }

    void ExpectSameShading() {
        ASSERT_FALSE(shownBefore.positions.empty());
        const auto lost = NormalsNotShown(shownBefore, shownAfter, tolerance);
        EXPECT_TRUE(lost.empty()) << lost.size() << " of " << shownBefore.positions.size()
                                  << " vertices lost their normal; the first had "
                                  << Text({shownBefore.normals[lost.front()].x, shownBefore.normals[lost.front()].y,
                                           shownBefore.normals[lost.front()].z});
        const auto added = NormalsNotShown(shownAfter, shownBefore, tolerance);
        EXPECT_TRUE(added.empty()) << added.size() << " of " << shownAfter.positions.size()
                                   << " vertices came back with a normal the original has nowhere there";
    }

    test::TempDir dir;
    viewer::Shown shownBefore, shownAfter;
    double tolerance = 0.0;
};

TEST_F(ShadedRoundTrip, ADomeOnAFloorKeepsItsRoundNormalsAndItsCrease) {
    WriteDome(dir / "dome.glb");
    Run(dir / "dome.glb");
    ExpectSameShading();
}

// The vertex colours of a glTF, alpha too, come back from the TVX file,
// where each vertex keeps one colour: wherever the original shows a colour
// some vertex at that place shows it again.
TEST_F(ShadedRoundTrip, VertexColoursComeBack) {
    const std::filesystem::path source = std::filesystem::path(TVX_GLTF_DATA) / "VertexColorTest/glTF/VertexColorTest.gltf";
    std::filesystem::copy(source.parent_path(), dir.path(), std::filesystem::copy_options::recursive);
    Run(dir / source.filename());
    std::size_t lost = 0;
    for (std::size_t i = 0; i < shownBefore.positions.size(); ++i) {
        bool found = false;
        for (std::size_t j = 0; j < shownAfter.positions.size() && !found; ++j) {
            const Vec3d& p = shownBefore.positions[i];
            const Vec3d& q = shownAfter.positions[j];
            bool same = std::hypot(p.x - q.x, p.y - q.y, p.z - q.z) <= tolerance;
            for (std::size_t k = 0; k < 4 && same; ++k) {
                same = std::fabs(shownBefore.colours[i][k] - shownAfter.colours[j][k]) <= 1e-4;
            }
            found = same;
        }
        lost += found ? 0 : 1;
    }
    EXPECT_EQ(lost, 0u) << "of " << shownBefore.positions.size() << " vertices";
}

TEST_F(ShadedRoundTrip, FlatBoxesStayFlat) {
    for (const char* model : {"Box/glTF-Binary/Box.glb", "BoxTextured/glTF/BoxTextured.gltf"}) {
        SCOPED_TRACE(model);
        const std::filesystem::path source = std::filesystem::path(TVX_GLTF_DATA) / model;
        std::filesystem::copy(source.parent_path(), dir.path(), std::filesystem::copy_options::recursive |
                                                                     std::filesystem::copy_options::overwrite_existing);
        Run(dir / source.filename());
        ExpectSameShading();
    }
}

}  // namespace
}  // namespace tvx::gltf
