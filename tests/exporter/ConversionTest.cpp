// Reading the host scene into the document: the scene tables, lights and
// cameras, bones and the sampled animation.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "exporter/ExportOptionsDialog.h"
#include "exporter/SceneTables.h"
#include "exporter/SkeletonConversion.h"
#include "exporter/SkinReading.h"
#include "exporter/ViewConversion.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"

namespace tvx::exporter {
namespace {

std::unique_ptr<memhost::MemHost> Host(const std::string& scene) {
    std::string error;
    auto host = memhost::ReadHostScene(R"({"format": "tvx-host-scene", "version": 1, "scene": )" + scene + "}", error);
    EXPECT_NE(host, nullptr) << error;
    return host;
}

SceneTables Tables(memhost::MemHost& host, bool selectedOnly = false) {
    return CollectScene(*host.exportInterface()->theScene, selectedOnly);
}

std::vector<std::string> Names(const std::vector<hostapi::INode*>& nodes) {
    std::vector<std::string> names;
    for (hostapi::INode* n : nodes) {
        names.emplace_back(n->GetName());
    }
    return names;
}

bool Near(float a, float b) { return std::fabs(a - b) < 1e-4f; }

constexpr const char* kSortingScene = R"({
  "nodes": [
    {"id": 0, "name": "Box", "object": 0, "hidden": true},
    {"id": 1, "name": "Dummy", "object": 1, "selected": true},
    {"id": 2, "name": "Spot", "object": 2},
    {"id": 3, "name": "Spot.Target", "object": 3},
    {"id": 4, "name": "Cam", "object": 4},
    {"id": 5, "name": "Glowing", "object": 5}
  ],
  "objects": [
    {"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]},
    {"id": 1, "kind": "helper"},
    {"id": 2, "kind": "light", "type": 1, "hotspot": -5, "falloff": 40, "color": [1, 0.5, 0.25], "intensity": 2,
     "attenuation": [0, 0, 30, 300]},
    {"id": 3, "kind": "target"},
    {"id": 4, "kind": "camera", "fov": 0.7853982, "envRange": [2, 900]},
    {"id": 5, "kind": "light", "type": 2, "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}}
  ]})";

TEST(SceneTables, NodesAreSortedByWhatTheyShow) {
    auto host = Host(kSortingScene);
    ASSERT_NE(host, nullptr);
    const SceneTables all = Tables(*host);
    EXPECT_EQ(Names(all.meshes), (std::vector<std::string>{"Box", "Glowing"})) << "hidden objects too";
    EXPECT_EQ(Names(all.nodes), (std::vector<std::string>{"Box", "Dummy", "Glowing"}));
    EXPECT_EQ(Names(all.lights), (std::vector<std::string>{"Spot"})) << "a convertible light is a mesh";
    EXPECT_EQ(Names(all.cameras), (std::vector<std::string>{"Cam"}));

    const SceneTables selected = Tables(*host, true);
    EXPECT_EQ(Names(selected.nodes), (std::vector<std::string>{"Dummy"}));
    EXPECT_TRUE(selected.meshes.empty());
}

TEST(ViewConversion, LightsAndCamerasKeepTheirStoredValues) {
    EXPECT_EQ(StoredLightType(hostapi::SPOT_LGT), 2);
    EXPECT_EQ(StoredLightType(hostapi::DIRECT_LGT), 1);
    EXPECT_EQ(StoredLightType(hostapi::AMBIENT_LGT), 3);
    EXPECT_EQ(StoredLightType(9), 0);

    auto host = Host(kSortingScene);
    ASSERT_NE(host, nullptr);
    const SceneTables tables = Tables(*host);
    TVXScene scene(SceneRole::Export);
    ASSERT_EQ(ConvertLights(tables.lights, scene), 1);
    ASSERT_EQ(ConvertCameras(tables.cameras, scene), 1);
    const TVXLight& light = scene.lights[0];
    EXPECT_EQ(light.name.ToUtf8(), "Spot");
    EXPECT_EQ(light.lightType, 2);
    EXPECT_EQ(light.hotspot, 0.0f) << "a negative cone is stored as 0";
    EXPECT_EQ(light.falloff, 40.0f);
    EXPECT_EQ(light.intensity, 2.0f);
    EXPECT_EQ(light.color, (RGBA{1.0f, 0.5f, 0.25f, 1.0f}));
    EXPECT_EQ(light.attenuationEnd, 300.0f);
    const TVXCamera& camera = scene.cameras[0];
    EXPECT_TRUE(Near(camera.fieldOfView, 45.0f));
    EXPECT_EQ(camera.nearDistance, 2.0f);
    EXPECT_EQ(camera.farDistance, 900.0f);
    // An unturned view looks down its -z: the stored z column points the
    // other way and the frame around it is the identity otherwise.
    EXPECT_EQ(camera.transform.matrix(2, 2), -1.0f);
    EXPECT_EQ(camera.transform.matrix(0, 0), 1.0f);
    EXPECT_EQ(camera.transform.matrix(1, 1), 1.0f);
}

constexpr const char* kChainScene = R"({
  "animation": {"frameRate": 10, "ticksPerFrame": 480, "range": [0, 1920]},
  "nodes": [
    {"id": 0, "name": "Hips", "object": 0,
     "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 10]]},
     "controllers": {"position": {"kind": "linearPosition", "keys": [[0, 0, 0, 10], [1920, 4, 0, 10]]}}},
    {"id": 1, "name": "Leg", "parent": 0, "object": 1,
     "transform": {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0.00001, -5]]}},
    {"id": 2, "name": "Prop", "object": 1, "parent": 3},
    {"id": 3, "name": "NotExported", "object": 2}
  ],
  "objects": [
    {"id": 0, "kind": "helper"},
    {"id": 1, "kind": "helper"},
    {"id": 2, "kind": "target"}
  ]})";

TEST(SkinReading, UnusableWeightsAreDroppedAndTheRestAddUpToOne) {
    const float nan = std::nanf("");
    const float inf = INFINITY;
    struct Case {
        std::vector<float> read;
        std::vector<float> kept;
    };
    const Case cases[] = {
        {{0.75f, 0.25f}, {0.75f, 0.25f}},     // sound weights stay exactly as read
        {{0.3f, 0.3f}, {0.3f, 0.3f}},         // even when they add up to less than 1
        {{0.5f, nan, 0.5f}, {0.5f, 0.5f}},
        {{0.25f, -1.0f, 0.25f}, {0.5f, 0.5f}},
        {{inf, 0.5f}, {1.0f}},
        {{1e38f, 1e38f}, {0.5f, 0.5f}},
        {{nan, -0.5f}, {}},
    };
    for (const Case& c : cases) {
        std::vector<SkinWeightEntry> weights;
        for (const float w : c.read) {
            weights.push_back({nullptr, -1, w});
        }
        CleanWeights(weights);
        std::vector<float> kept;
        for (const SkinWeightEntry& w : weights) {
            kept.push_back(w.weight);
        }
        EXPECT_EQ(kept, c.kept) << c.read.size() << " weights, the first " << c.read.front();
    }
}

TEST(SkeletonConversion, BonesArePlacedRelativeToTheirExportedParents) {
    auto host = Host(kChainScene);
    ASSERT_NE(host, nullptr);
    const SceneTables tables = Tables(*host);
    ASSERT_EQ(Names(tables.nodes), (std::vector<std::string>{"Hips", "Leg", "Prop"}));
    TVXScene scene(SceneRole::Export);
    ASSERT_EQ(ConvertBones(tables.nodes, scene), 1);
    EXPECT_EQ(scene.bones[0].parentIndex, -1);
    EXPECT_EQ(scene.bones[0].transform.position, (Vector3{0.0f, 0.0f, 10.0f}));
    EXPECT_EQ(scene.bones[1].parentIndex, 0);
    EXPECT_EQ(scene.bones[1].transform.position, (Vector3{0.0f, 0.0f, -5.0f})) << "tiny elements become 0";
    EXPECT_EQ(scene.bones[2].parentIndex, -1) << "its parent is not exported";
}

TEST(SkeletonConversion, EveryFrameIsSampledRelativeToTimeZero) {
    auto host = Host(kChainScene);
    ASSERT_NE(host, nullptr);
    const SceneTables tables = Tables(*host);
    TVXScene scene(SceneRole::Export);
    ASSERT_EQ(ConvertAnimation(tables.nodes, *host, scene), 1);
    const TVXAnimation& animation = scene.animations[0];
    EXPECT_EQ(animation.name.ToUtf8(), "DefaultAnim");
    EXPECT_EQ(animation.frameRate, 10.0f);
    EXPECT_EQ(animation.start, 0.0f);
    EXPECT_TRUE(Near(animation.end, 4.0f));
    ASSERT_EQ(animation.tracks.size(), 3u);
    const TVXBoneTrack& hips = animation.tracks[0];
    ASSERT_EQ(hips.positionKeys.size(), 5u);  // frames 0..4
    EXPECT_TRUE(Near(hips.positionKeys[4].time, 0.4f));
    EXPECT_TRUE(Near(hips.positionKeys[2].position.x, 2.0f));
    EXPECT_EQ(hips.positionKeys[0].position, Vector3{});
    const TVXBoneTrack& leg = animation.tracks[1];
    for (std::size_t f = 0; f < 5; ++f) {
        EXPECT_TRUE(Near(leg.positionKeys[f].position.x, 0.0f)) << "the leg moves only with its parent";
        EXPECT_EQ(leg.rotationKeys[f].rotation, Quaternion{});
        EXPECT_EQ(leg.scaleKeys[f].scale, (Vector3{1.0f, 1.0f, 1.0f}));
    }
}

TEST(SkeletonConversion, TheRangePassMakesTimesNonNegative) {
    TVXAnimation animation;
    animation.frameRate = 0.0f;
    animation.tracks.resize(1);
    animation.tracks[0].positionKeys = {{-0.5f, {}}, {1.0f, {}}};
    StoreAnimationRange(animation);
    EXPECT_EQ(animation.tracks[0].positionKeys[0].time, 0.0f);
    EXPECT_EQ(animation.tracks[0].positionKeys[1].time, 1.5f);
    EXPECT_EQ(animation.frameRate, 30.0f);
    EXPECT_EQ(animation.start, 15.0f);
    EXPECT_EQ(animation.end, 45.0f);

    TVXAnimation empty;
    StoreAnimationRange(empty);
    EXPECT_EQ(empty.start, 0.0f);
    EXPECT_EQ(empty.end, 0.0f);
}

TEST(ExportOptionsDialog, TheChannelIndexIsReadAsAtoiReadsIt) {
    EXPECT_EQ(MappingChannelFromText(""), 2);
    EXPECT_EQ(MappingChannelFromText("abc"), 0);
    EXPECT_EQ(MappingChannelFromText("7"), 7);
    EXPECT_EQ(MappingChannelFromText(" 12x"), 12);
    EXPECT_EQ(MappingChannelFromText("99999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(ExportOptionsTemplate().id, 101);
    EXPECT_EQ(ExportOptionsTemplate().cy, 241);
}

}  // namespace
}  // namespace tvx::exporter
