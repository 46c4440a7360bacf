// Host meshes into the document: world positions, winding under mirroring,
// colours and alpha, both UV channels, skin weights from Skin and Physique,
// and the layout of several meshes in the one shared mesh.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exporter/ConvertScene.h"
#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "memhost/MemSkin.h"

namespace tvx::exporter {
namespace {

std::unique_ptr<memhost::MemHost> Host(const std::string& scene) {
    std::string error;
    auto host = memhost::ReadHostScene(R"({"format": "tvx-host-scene", "version": 1, "scene": )" + scene + "}", error);
    EXPECT_NE(host, nullptr) << error;
    return host;
}

struct Converted {
    std::unique_ptr<memhost::MemHost> host;
    TVXExporterData data;
    int result = 0;
};

Converted Convert(const std::string& scene, ExportOptions options = {}) {
    Converted out;
    out.host = Host(scene);
    if (out.host) {
        out.data.options = options;
        out.result = ConvertScene(out.data, *out.host->exportInterface(), *out.host);
    }
    return out;
}

std::array<int, 3> Corners(const TVXPolygon& polygon) {
    const auto v = polygon.vertexIndices();
    return {v[0], v[1], v[2]};
}

const TVXUVCoord& CornerUV(const TVXScene& scene, int set, int corner) {
    return scene.uvSets[static_cast<std::size_t>(set)].coords[static_cast<std::size_t>(corner)];
}

// One triangle whose node scales x by -1: its faces come out wound the
// other way in every index set, its vertices in world space.
constexpr const char* kMirroredScene = R"({
  "nodes": [{"id": 0, "name": "Mirrored", "object": 0,
             "transform": {"local": [[-1, 0, 0], [0, 1, 0], [0, 0, 1], [10, 0, 0]]}}],
  "objects": [{"id": 0, "kind": "mesh", "vertices": [[1, 0, 0], [0, 1, 0], [0, 0, 1]], "faces": [[0, 1, 2]],
    "mapChannels": [
      {"channel": 0, "vertices": [[1, 0, 0], [0, 1, 0], [0, 0, 1]], "faces": [[0, 1, 2]]},
      {"channel": 1, "vertices": [[0, 0, 0], [0.5, 0, 0], [0, 0.25, 0]], "faces": [[0, 1, 2]]}]}]})";

TEST(MeshConversion, AMirroringTransformReversesTheWindingOfEveryIndexSet) {
    const Converted c = Convert(kMirroredScene);
    ASSERT_EQ(c.result, 1);
    const TVXScene& scene = c.data.scene;
    ASSERT_EQ(scene.vertices.size(), 3u);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{9.0f, 0.0f, 0.0f})) << "world space";
    const TVXPolygon& polygon = scene.faceLists[0].polygons[0];
    EXPECT_EQ(Corners(polygon), (std::array<int, 3>{0, 2, 1}));
    // The UV coordinates follow the corners: corner 1 is host corner 2.
    EXPECT_EQ(CornerUV(scene, 0, 1).u, 0.0f);
    EXPECT_EQ(CornerUV(scene, 0, 1).v, 0.75f);
    EXPECT_EQ(CornerUV(scene, 0, 2).u, 0.5f);
    // Each vertex still gets the colour of its own corner.
    EXPECT_EQ(scene.vertices[1].color, (RGBA{0.0f, 1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(scene.vertices[2].color, (RGBA{0.0f, 0.0f, 1.0f, 1.0f}));
}

// Two triangles sharing the edge 1-2: the shared vertices see a red and a
// blue corner; vertex 1's alpha samples 1.5 and 0.5 average to 1; map channel 3
// holds coordinates, and its second face points past its vertices.
constexpr const char* kColouredScene = R"({
  "nodes": [{"id": 0, "name": "Quad", "object": 0}, {"id": 1, "name": "Plain", "object": 1}],
  "objects": [
    {"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0]],
     "faces": [[0, 1, 2], [2, 1, 3]],
     "mapChannels": [
       {"channel": -2, "vertices": [[1.5, 0, 0], [0.5, 0, 0]], "faces": [[0, 0, 1], [1, 1, 1]]},
       {"channel": 0, "vertices": [[1, 0, 0], [0, 0, 1]], "faces": [[0, 0, 0], [1, 1, 1]]},
       {"channel": 3, "vertices": [[0.25, 0.5, 0], [1, 1, 0]], "faces": [[0, 1, 0], [0, 7, 1]]}]},
    {"id": 1, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}]})";

TEST(MeshConversion, ColoursAndAlphaAreAveragedOverTheCornersThatUseAVertex) {
    ExportOptions options;
    options.mappingChannelIndex = 3;
    const Converted c = Convert(kColouredScene, options);
    ASSERT_EQ(c.result, 1);
    const TVXScene& scene = c.data.scene;
    ASSERT_EQ(scene.vertices.size(), 7u);
    EXPECT_EQ(scene.vertices[0].color, (RGBA{1.0f, 0.0f, 0.0f, 1.0f})) << "alpha 1.5 is stored as 1";
    EXPECT_EQ(scene.vertices[1].color, (RGBA{0.5f, 0.0f, 0.5f, 1.0f}));
    EXPECT_EQ(scene.vertices[2].color, (RGBA{0.5f, 0.0f, 0.5f, 0.5f}));
    EXPECT_EQ(scene.vertices[3].color, (RGBA{0.0f, 0.0f, 1.0f, 0.5f}));
    for (std::size_t v = 4; v < 7; ++v) {
        EXPECT_EQ(scene.vertices[v].color, (RGBA{1.0f, 1.0f, 1.0f, 1.0f})) << "no colours: white, opaque";
    }
}

TEST(MeshConversion, TheSecondUVSetComesFromTheChosenChannel) {
    ExportOptions options;
    options.mappingChannelIndex = 3;
    const Converted chosen = Convert(kColouredScene, options);
    ASSERT_EQ(chosen.result, 1);
    const TVXScene& scene = chosen.data.scene;
    ASSERT_EQ(scene.uvSets.size(), 2u);
    EXPECT_EQ(scene.uvSets[0].name.ToUtf8(), "UVSet0");
    EXPECT_EQ(scene.uvSets[1].name.ToUtf8(), "UVSet1");
    ASSERT_EQ(scene.uvSets[1].coords.size(), 9u) << "one coordinate per face corner";
    EXPECT_EQ(CornerUV(scene, 1, 0).u, 0.25f);
    EXPECT_EQ(CornerUV(scene, 1, 0).v, 0.5f) << "stored as 1 - v";
    EXPECT_EQ(CornerUV(scene, 1, 1).v, 0.0f);
    // The second face names map vertex 7, which does not exist: the whole
    // face keeps (0, 0), stored as (0, 1).
    for (int corner = 3; corner < 6; ++corner) {
        EXPECT_EQ(CornerUV(scene, 1, corner).u, 0.0f);
        EXPECT_EQ(CornerUV(scene, 1, corner).v, 1.0f);
    }

    const Converted unsupported = Convert(kColouredScene);  // channel 2, which the mesh lacks
    ASSERT_EQ(unsupported.result, 1);
    for (const TVXUVCoord& uv : unsupported.data.scene.uvSets[1].coords) {
        EXPECT_EQ(uv.u, 0.0f);
        EXPECT_EQ(uv.v, 1.0f);
    }
}

TEST(MeshConversion, MeshesFollowOneAnotherInTheSharedMesh) {
    const Converted c = Convert(kColouredScene);
    ASSERT_EQ(c.result, 1);
    const TVXScene& scene = c.data.scene;
    ASSERT_EQ(scene.groups.size(), 2u);
    EXPECT_EQ(scene.groups[1].name.ToUtf8(), "Plain");
    ASSERT_EQ(scene.faceLists.size(), 2u);
    const TVXPolygon& second = scene.faceLists[1].polygons[0];
    EXPECT_EQ(second.groupIndex, 1);
    EXPECT_EQ(Corners(second), (std::array<int, 3>{4, 5, 6})) << "after the first mesh's 4 vertices";
    EXPECT_EQ(second.uvIndices(0)[0], 6) << "after the first mesh's 6 corners";
    EXPECT_EQ(second.uvIndices(1)[2], 8);
    EXPECT_EQ(second.secondIndices()[0], -1);
    EXPECT_EQ(second.materialIndex, -1) << "no material";
    // Unskinned vertices follow their own mesh's node entry.
    ASSERT_EQ(scene.vertices[5].weights.size(), 1u);
    EXPECT_EQ(scene.vertices[5].weights[0].boneIndex, 1);
    EXPECT_EQ(scene.vertices[5].weights[0].weight, 1.0f);
}

// A Skin modifier on "Skinned" with the bones "A" and "Hidden"; "Hidden"
// is not selected, so a selected-only export leaves it out. Physique on
// "Rigid": a rigid vertex, a blended one and a floating one.
constexpr const char* kSkinnedScene = R"({
  "nodes": [
    {"id": 0, "name": "Skinned", "object": 2, "selected": true},
    {"id": 1, "name": "A", "object": 3, "selected": true},
    {"id": 2, "name": "Hidden", "object": 3},
    {"id": 3, "name": "Rigid", "object": 4, "selected": true},
    {"id": 4, "name": "Mismatched", "object": 5, "selected": true}
  ],
  "objects": [
    {"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
    {"id": 1, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
    {"id": 2, "kind": "derived", "base": 0, "modifiers": [0]},
    {"id": 3, "kind": "helper"},
    {"id": 4, "kind": "derived", "base": 1, "modifiers": [1]},
    {"id": 5, "kind": "derived", "base": 6, "modifiers": [2]},
    {"id": 6, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}
  ],
  "modifiers": [
    {"id": 0, "kind": "skin", "bones": [1, 2], "weights": [
      {"vertex": 0, "bones": [1], "weights": [1]},
      {"vertex": 1, "bones": [1, 2], "weights": [0.75, 0.25]}]},
    {"id": 1, "kind": "physique", "vertices": [
      {"type": 1, "nodes": [1], "weights": [1]},
      {"type": 5, "nodes": [1, 0], "weights": [0.5, 0.5]},
      {"type": 8, "nodes": [], "weights": []}]},
    {"id": 2, "kind": "skin", "bones": [1], "points": 5, "weights": []}
  ]})";

TEST(MeshConversion, SkinWeightsNameTheExportedBones) {
    auto host = Host(kSkinnedScene);
    ASSERT_NE(host, nullptr);
    TVXExporterData data;
    ASSERT_EQ(ConvertScene(data, *host->exportInterface(), *host, NodeSelection::SelectedOnly), 1);
    const TVXScene& scene = data.scene;
    // Node table: Skinned 0, A 1, Rigid 2, Mismatched 3.
    ASSERT_EQ(scene.vertices.size(), 9u);
    ASSERT_EQ(scene.vertices[1].weights.size(), 2u);
    EXPECT_EQ(scene.vertices[1].weights[0].boneIndex, 1);
    EXPECT_EQ(scene.vertices[1].weights[0].weight, 0.75f);
    EXPECT_EQ(scene.vertices[1].weights[1].boneIndex, -1) << "the bone is not exported";
    EXPECT_EQ(scene.vertices[1].weights[1].weight, 1.0f);
    EXPECT_TRUE(scene.vertices[2].weights.empty()) << "a skinned vertex without influences";

    ASSERT_EQ(scene.vertices[3].weights.size(), 1u);
    EXPECT_EQ(scene.vertices[3].weights[0].boneIndex, 1) << "rigid: its one node";
    ASSERT_EQ(scene.vertices[4].weights.size(), 2u);
    EXPECT_EQ(scene.vertices[4].weights[1].boneIndex, 0);
    EXPECT_EQ(scene.vertices[4].weights[1].weight, 0.5f);
    EXPECT_TRUE(scene.vertices[5].weights.empty()) << "a floating vertex has no weights";

    for (std::size_t v = 6; v < 9; ++v) {
        EXPECT_TRUE(scene.vertices[v].weights.empty()) << "a skin of 5 points does not fit 3 vertices";
    }
    const auto session = memhost::HostSceneJson(*host)["session"];
    EXPECT_TRUE(session["interfacesHeld"].empty()) << "the Physique interfaces are handed back";
}

// The host reads its bone list at any index it is given: an influence past
// the list's end is dropped unread and the vertex's others add up to 1.
TEST(MeshConversion, AnInfluenceBeyondTheSkinsBoneListIsDropped) {
    auto host = Host(R"({
      "nodes": [{"id": 0, "name": "Skinned", "object": 1}, {"id": 1, "name": "A", "object": 2},
                {"id": 2, "name": "B", "object": 2}],
      "objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
                  {"id": 1, "kind": "derived", "base": 0, "modifiers": [0]}, {"id": 2, "kind": "helper"}],
      "modifiers": [{"id": 0, "kind": "skin", "bones": [1, 2], "weights": [
        {"vertex": 0, "bones": [2], "weights": [1]},
        {"vertex": 1, "bones": [1, 2], "weights": [0.25, 0.75]}]}]})");
    ASSERT_NE(host, nullptr);
    auto* skin = dynamic_cast<memhost::MemSkin*>(host->context().modifiers[0].get());
    ASSERT_NE(skin, nullptr);
    skin->ListOnlyBones(1);
    TVXExporterData data;
    ASSERT_EQ(ConvertScene(data, *host->exportInterface(), *host), 1);
    const TVXScene& scene = data.scene;
    ASSERT_EQ(scene.vertices.size(), 3u);
    EXPECT_TRUE(scene.vertices[0].weights.empty());
    ASSERT_EQ(scene.vertices[1].weights.size(), 1u);
    EXPECT_EQ(scene.vertices[1].weights[0].boneIndex, 1);
    EXPECT_EQ(scene.vertices[1].weights[0].weight, 1.0f);
    EXPECT_TRUE(host->session().hostErrors().empty()) << host->session().hostErrors().front();
}

TEST(MeshConversion, ConvertedObjectsAreHandedBackAndBipedsLeaveTheirModes) {
    const Converted c = Convert(R"({
      "nodes": [{"id": 0, "name": "Pelvis", "object": 0, "controllers": {"class": "bipedBody"}},
                {"id": 1, "name": "Box", "object": 1, "controllers": {"class": "bipedSlave"}}],
      "objects": [{"id": 0, "kind": "geometry", "classId": [37157, 0],
                   "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
                  {"id": 1, "kind": "geometry", "classId": [16, 0],
                   "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}]})");
    ASSERT_EQ(c.result, 1);
    EXPECT_EQ(c.data.scene.groups.size(), 1u) << "a biped's own geometry is no mesh";
    const auto session = memhost::HostSceneJson(*c.host)["session"];
    for (const auto& conversion : session["conversions"]) {
        EXPECT_TRUE(conversion["deleted"].get<bool>());
    }
    EXPECT_TRUE(session["interfacesHeld"].empty());
    std::vector<std::string> calls;
    for (const memhost::BipedCall& call : c.host->session().bipedCalls()) {
        calls.push_back(call.call);
    }
    EXPECT_EQ(calls, (std::vector<std::string>{"RemoveNonUniformScale", "BeginFigureMode", "EndFigureMode",
                                               "ExitModes"}));
}

TEST(ConvertScene, AnEmptySceneGivesOneAnimationUnderTheProgressBar) {
    const Converted c = Convert(R"({"nodes": []})");
    ASSERT_EQ(c.result, 1);
    const TVXScene& scene = c.data.scene;
    EXPECT_TRUE(scene.vertices.empty());
    EXPECT_TRUE(scene.faceLists.empty());
    EXPECT_TRUE(scene.lights.empty());
    EXPECT_EQ(scene.animations.size(), 1u);
    ASSERT_EQ(scene.uvSets.size(), 2u);
    EXPECT_TRUE(scene.uvSets[0].coords.empty());

    const auto& session = c.host->session();
    ASSERT_EQ(session.All<memhost::ProgressStartEvent>().size(), 1u);
    EXPECT_EQ(session.All<memhost::ProgressStartEvent>()[0]->title, "Saving...(please wait)");
    std::vector<int> percents;
    for (const auto* update : session.All<memhost::ProgressUpdateEvent>()) {
        percents.push_back(update->percent);
    }
    EXPECT_EQ(percents, (std::vector<int>{0, 25, 50, 75, 90, 100}));
    EXPECT_EQ(session.All<memhost::ProgressEndEvent>().size(), 1u);
}

}  // namespace
}  // namespace tvx::exporter
