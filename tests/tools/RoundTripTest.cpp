// A file imported with `tvx import` and exported again with `tvx export`
// keeps what the format carries. Both files are read back as the importer
// reads them (Z up, triangulated, posed), so the comparison is of what a
// user sees: skinned positions, triangles with their materials and UVs,
// lights, cameras, weights by bone name, and bone poses at sampled times.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>

#include "document/MaterialMaps.h"
#include "document/SceneAllocation.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/SkeletonPose.h"
#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/SampleScene.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"
#include "tools/tvx/Commands.h"

namespace tvx::tool {
namespace {

constexpr float kTolerance = 2e-4f;

struct Loaded {
    TVXScene scene;
    PoseTables pose;
};

std::unique_ptr<Loaded> LoadAsImported(const std::filesystem::path& file) {
    auto loaded = std::make_unique<Loaded>();
    LoadOptions options;
    options.poseTables = &loaded->pose;
    NoProgress progress;
    EXPECT_EQ(LoadScene(loaded->scene, file, progress, options), 1) << file;
    return loaded;
}

// Imports `in` and exports the host scene to `out`, both through the
// plug-ins, the export's dialog answered from exportOptions.
void ImportAndExport(const std::filesystem::path& in, const std::filesystem::path& out,
                     ExportCommandOptions exportOptions = {}) {
    ImportCommandOptions importOptions;
    importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    importOptions.output = out.parent_path() / "host.json";
    std::ostringstream sink;
    std::ostringstream err;
    ASSERT_EQ(RunImport(in, importOptions, sink, err), 0) << err.str();
    exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    ASSERT_EQ(RunExport(importOptions.output, out, exportOptions, err), 0) << err.str();
}

bool Near(float a, float b) { return std::fabs(a - b) <= kTolerance * std::max(1.0f, std::fabs(a)); }
bool Near(const Vector3& a, const Vector3& b) { return Near(a.x, b.x) && Near(a.y, b.y) && Near(a.z, b.z); }
bool Near(const RGBA& a, const RGBA& b) { return Near(a.r, b.r) && Near(a.g, b.g) && Near(a.b, b.b) && Near(a.a, b.a); }
bool Near(const Matrix4& a, const Matrix4& b) {
    for (std::size_t i = 0; i < a.m.size(); ++i) {
        if (!Near(a.m[i], b.m[i])) {
            return false;
        }
    }
    return true;
}

std::string Text(const TVXString& s) { return s.ToUtf8(); }

std::vector<const TVXPolygon*> Triangles(const TVXScene& scene) {
    std::vector<const TVXPolygon*> all;
    for (const TVXFaceList& list : scene.faceLists) {
        for (const TVXPolygon& polygon : list.polygons) {
            all.push_back(&polygon);
        }
    }
    return all;
}

int BoneNamed(const TVXScene& scene, const std::string& name) {
    for (std::size_t b = 0; b < scene.bones.size(); ++b) {
        if (Text(scene.bones[b].name) == name) {
            return static_cast<int>(b);
        }
    }
    return -1;
}

std::map<std::string, float> WeightsByName(const TVXScene& scene, const TVXVertex& vertex) {
    std::map<std::string, float> weights;
    for (const TVXBoneWeight& w : vertex.weights) {
        if (w.boneIndex >= 0 && static_cast<std::size_t>(w.boneIndex) < scene.bones.size()) {
            weights[Text(scene.bones[static_cast<std::size_t>(w.boneIndex)].name)] += w.weight;
        }
    }
    return weights;
}

// Skinned positions at time 0 and weights by bone name, vertex by vertex.
void ExpectSameVertices(const Loaded& original, const Loaded& again) {
    ASSERT_EQ(again.pose.posedVertices.size(), original.pose.posedVertices.size());
    for (std::size_t v = 0; v < original.pose.posedVertices.size(); ++v) {
        EXPECT_TRUE(Near(again.pose.posedVertices[v].position, original.pose.posedVertices[v].position)) << "vertex " << v;
        const auto expected = WeightsByName(original.scene, original.scene.vertices[v]);
        const auto actual = WeightsByName(again.scene, again.scene.vertices[v]);
        ASSERT_EQ(actual.size(), expected.size()) << "vertex " << v;
        for (const auto& [bone, weight] : expected) {
            EXPECT_TRUE(actual.count(bone) != 0 && Near(actual.at(bone), weight)) << "vertex " << v << " " << bone;
        }
    }
}

// The same triangles on the same vertices with materials of the same name.
// A corner naming a vertex the file lacks was imported on vertex 0.
void ExpectSameTriangles(const TVXScene& original, const TVXScene& again) {
    ASSERT_EQ(again.vertices.size(), original.vertices.size());
    const auto before = Triangles(original);
    const auto after = Triangles(again);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t t = 0; t < before.size(); ++t) {
        for (std::size_t c = 0; c < 3; ++c) {
            const int corner = before[t]->vertexIndices()[c];
            const bool exists = corner >= 0 && static_cast<std::size_t>(corner) < original.vertices.size();
            EXPECT_EQ(after[t]->vertexIndices()[c], exists ? corner : 0) << "triangle " << t;
        }
        const int m0 = before[t]->materialIndex;
        const int m1 = after[t]->materialIndex;
        ASSERT_EQ(m1 < 0, m0 < 0) << "triangle " << t;
        if (m0 >= 0) {
            EXPECT_EQ(Text(again.materials.at(static_cast<std::size_t>(m1)).name),
                      Text(original.materials.at(static_cast<std::size_t>(m0)).name));
        }
    }
}

void ExpectSameUVs(const TVXScene& original, const TVXScene& again) {
    const auto before = Triangles(original);
    const auto after = Triangles(again);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t t = 0; t < before.size(); ++t) {
        for (std::size_t c = 0; c < 3; ++c) {
            const TVXUVCoord& a = original.uvSets[0].coords.at(static_cast<std::size_t>(before[t]->uvIndices(0)[c]));
            const TVXUVCoord& b = again.uvSets[0].coords.at(static_cast<std::size_t>(after[t]->uvIndices(0)[c]));
            EXPECT_TRUE(Near(a.u, b.u) && Near(a.v, b.v)) << "triangle " << t << " corner " << c;
        }
    }
}

void ExpectSameMaterials(const TVXScene& original, const TVXScene& again) {
    ASSERT_EQ(again.materials.size(), original.materials.size());
    for (std::size_t m = 0; m < original.materials.size(); ++m) {
        const TVXMaterial& a = original.materials[m];
        const TVXMaterial& b = again.materials[m];
        EXPECT_EQ(Text(b.name), Text(a.name));
        EXPECT_EQ(b.flags & kMaterialFlagTwoSided, a.flags & kMaterialFlagTwoSided) << Text(a.name);
        EXPECT_TRUE(Near(b.colors[kColorDiffuse], a.colors[kColorDiffuse])) << Text(a.name);
        EXPECT_TRUE(Near(b.colors[kColorSpecular], a.colors[kColorSpecular])) << Text(a.name);
        EXPECT_TRUE(Near(b.shininess, a.shininess)) << Text(a.name);
        EXPECT_TRUE(Near(b.opacity, a.opacity)) << Text(a.name);
        for (int key : {kMapKeyDiffuse, kMapKeyOpacity, kMapKeyBump, kMapKeySpecular}) {
            const TVXMap* x = FindMap(a, key);
            const TVXMap* y = FindMap(b, key);
            ASSERT_EQ(y != nullptr, x != nullptr) << Text(a.name) << " key " << key;
            if (x == nullptr) {
                continue;
            }
            EXPECT_EQ(Text(y->fileName), Text(x->fileName));
            EXPECT_EQ(y->flags & (kMapFlagTileU | kMapFlagTileV), x->flags & (kMapFlagTileU | kMapFlagTileV));
            EXPECT_TRUE(Near(y->offset, x->offset) && Near(y->tiling, x->tiling)) << Text(a.name) << " key " << key;
            EXPECT_TRUE(Near(y->angle.z, x->angle.z));
        }
    }
}

void ExpectSameViews(const TVXScene& original, const TVXScene& again) {
    ASSERT_EQ(again.lights.size(), original.lights.size());
    for (std::size_t l = 0; l < original.lights.size(); ++l) {
        const TVXLight& a = original.lights[l];
        const TVXLight& b = again.lights[l];
        EXPECT_EQ(Text(b.name), Text(a.name));
        EXPECT_EQ(b.lightType, a.lightType);
        EXPECT_TRUE(Near(b.color, a.color));
        EXPECT_TRUE(Near(b.intensity, a.intensity) && Near(b.hotspot, a.hotspot) && Near(b.falloff, a.falloff));
        EXPECT_TRUE(Near(b.attenuationEnd, a.attenuationEnd));
        EXPECT_TRUE(Near(b.transform.position, a.transform.position)) << Text(a.name);
    }
    ASSERT_EQ(again.cameras.size(), original.cameras.size());
    for (std::size_t c = 0; c < original.cameras.size(); ++c) {
        const TVXCamera& a = original.cameras[c];
        const TVXCamera& b = again.cameras[c];
        EXPECT_EQ(Text(b.name), Text(a.name));
        EXPECT_TRUE(Near(b.fieldOfView, a.fieldOfView)) << b.fieldOfView;
        // Not near and far: the importer sets them as the clipping
        // distances, while the exporter reads the environment range.
        EXPECT_TRUE(Near(b.transform.position, a.transform.position)) << Text(a.name);
    }
}

// Every bone of the original stands where it stood, at every sampled time.
void ExpectSamePoses(Loaded& original, Loaded& again) {
    for (float t : {0.0f, 0.25f, 0.5f, 1.0f}) {
        ComputePose(original.scene, original.pose, t);
        ComputePose(again.scene, again.pose, t);
        for (std::size_t b = 0; b < original.scene.bones.size(); ++b) {
            const int found = BoneNamed(again.scene, Text(original.scene.bones[b].name));
            ASSERT_GE(found, 0) << Text(original.scene.bones[b].name);
            EXPECT_TRUE(Near(again.pose.bonePoses[static_cast<std::size_t>(found)].poseWorld,
                             original.pose.bonePoses[b].poseWorld))
                << Text(original.scene.bones[b].name) << " at " << t;
        }
    }
}

TEST(RoundTrip, ImportThenExportKeepsTheScene) {
    for (const bool legacy : {false, true}) {
        SCOPED_TRACE(legacy ? "version 9" : "version 31");
        test::TempDir dir;
        TVXExporterData data;
        test::FillSampleScene(data.scene);
        data.options.exportLegacyLayout = legacy ? 1 : 0;
        ASSERT_EQ(SaveSceneFile(data, dir / "in.tvx"), 1);
        ExportCommandOptions options;
        options.legacy = legacy;
        ImportAndExport(dir / "in.tvx", dir / "out.tvx", options);
        auto original = LoadAsImported(dir / "in.tvx");
        auto again = LoadAsImported(dir / "out.tvx");
        EXPECT_EQ(again->scene.version, legacy ? 9 : 31);
        ExpectSameVertices(*original, *again);
        ExpectSameTriangles(original->scene, again->scene);
        ExpectSameUVs(original->scene, again->scene);
        ExpectSameMaterials(original->scene, again->scene);
        if (!legacy) {  // the legacy layout has no lights or cameras
            ExpectSameViews(original->scene, again->scene);
        }
        ExpectSamePoses(*original, *again);
    }
}

// The host keeps the file's colours in its vertex-colour and alpha channels
// and each smoothing number as a group, where the exporter reads them back.
TEST(RoundTrip, VertexColoursAndSmoothingNumbersComeBack) {
    for (const bool legacy : {false, true}) {
        SCOPED_TRACE(legacy ? "version 9" : "version 31");
        test::TempDir dir;
        TVXExporterData data;
        test::FillSampleScene(data.scene);
        const RGBA colours[] = {{0.1f, 0.2f, 0.3f, 1.0f}, {1.0f, 0.5f, 0.0f, 0.25f}, {0.7f, 0.7f, 0.7f, 0.5f},
                                {0.0f, 0.0f, 1.0f, 1.0f}};
        ASSERT_EQ(data.scene.vertices.size(), std::size(colours));
        for (std::size_t v = 0; v < std::size(colours); ++v) {
            data.scene.vertices[v].color = colours[v];
        }
        const auto polygons = Triangles(data.scene);
        ASSERT_EQ(polygons.size(), 2u);
        const_cast<TVXPolygon*>(polygons[0])->smoothing = 0;
        const_cast<TVXPolygon*>(polygons[1])->smoothing = 32;
        data.options.exportLegacyLayout = legacy ? 1 : 0;
        ASSERT_EQ(SaveSceneFile(data, dir / "in.tvx"), 1);
        ExportCommandOptions options;
        options.legacy = legacy;
        ImportAndExport(dir / "in.tvx", dir / "out.tvx", options);
        auto again = LoadAsImported(dir / "out.tvx");
        ASSERT_TRUE(again->scene.vertexColorsStored);
        ASSERT_EQ(again->scene.vertices.size(), std::size(colours));
        for (std::size_t v = 0; v < std::size(colours); ++v) {
            const RGBA& c = again->scene.vertices[v].color;
            EXPECT_TRUE(Near(c, colours[v])) << "vertex " << v << ": " << c.r << " " << c.g << " " << c.b << " " << c.a;
        }
        std::vector<int> smoothing;
        for (const TVXPolygon* polygon : Triangles(again->scene)) {
            smoothing.push_back(polygon->smoothing);
        }
        EXPECT_EQ(smoothing, (std::vector<int>{0, 0, 32})) << "the quad in two triangles, then the triangle";
    }
}

// Far deeper than any walk by recursion could go: every bone comes back
// under the one before it, through the host scene file both ways.
TEST(RoundTrip, ADeepChainOfBonesComesBackLinkedAsItWas) {
    constexpr int kChain = 5000;
    test::TempDir dir;
    TVXExporterData data;
    test::FillSampleScene(data.scene);
    const std::vector<TVXBone> sample = data.scene.bones;
    ASSERT_EQ(AllocBones(data.scene, Count(sample) + kChain), 1);
    std::copy(sample.begin(), sample.end(), data.scene.bones.begin());
    for (int i = 0; i < kChain; ++i) {
        TVXBone& bone = data.scene.bones[sample.size() + static_cast<std::size_t>(i)];
        bone.name = test::Name("chain" + std::to_string(i));
        bone.parentIndex = i == 0 ? -1 : Count(sample) + i - 1;
        bone.transform.position = {0.0f, 0.01f, 0.0f};
    }
    ASSERT_EQ(SaveSceneFile(data, dir / "in.tvx"), 1);
    ExportCommandOptions options;
    options.animation = false;  // keeps the test quick; the chain is the point
    ImportAndExport(dir / "in.tvx", dir / "out.tvx", options);
    const auto again = LoadAsImported(dir / "out.tvx");
    std::map<std::string, std::size_t> byName;
    for (std::size_t b = 0; b < again->scene.bones.size(); ++b) {
        byName[Text(again->scene.bones[b].name)] = b;
    }
    const auto named = [&byName](int i) { return byName.at("chain" + std::to_string(i)); };
    for (int i = 1; i < kChain; ++i) {
        ASSERT_EQ(again->scene.bones[named(i)].parentIndex, static_cast<int>(named(i - 1))) << "chain" << i;
    }
}

// The structural test files of every layout family hold placeholder values
// (zero scales among them, which no pose survives), so these are compared
// by what they contain, not by where it stands.
TEST(RoundTrip, EveryLayoutFamilyComesBackWithItsMeshAndMaterials) {
    std::vector<std::pair<std::string, test::Bytes>> files = {{"v34", test::RichFile()}};
    for (int version : test::kRichVersions) {
        files.emplace_back("v" + std::to_string(version), test::RichScene(version).File());
    }
    for (const auto& [name, bytes] : files) {
        SCOPED_TRACE(name);
        test::TempDir dir;
        test::WriteFile(dir / "in.tvx", bytes);
        ImportAndExport(dir / "in.tvx", dir / "out.tvx");
        auto original = LoadAsImported(dir / "in.tvx");
        auto again = LoadAsImported(dir / "out.tvx");
        ExpectSameTriangles(original->scene, again->scene);
        EXPECT_EQ(again->scene.materials.size(), original->scene.materials.size());
        EXPECT_EQ(again->scene.lights.size(), original->scene.lights.size());
        for (const TVXBone& bone : original->scene.bones) {
            EXPECT_GE(BoneNamed(again->scene, Text(bone.name)), 0) << Text(bone.name);
        }
    }
}

}  // namespace
}  // namespace tvx::tool
