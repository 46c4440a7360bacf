#include "tools/tvx/SceneJson.h"

#include <gtest/gtest.h>

#include <limits>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"

namespace tvx::tool {
namespace {

using Json = nlohmann::ordered_json;

std::vector<std::string> Keys(const Json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) {
        keys.push_back(item.key());
    }
    return keys;
}

TEST(SceneJson, FloatsAreShortestRoundTripDecimals) {
    EXPECT_EQ(FloatJson(0.1f).dump(), "0.1");
    EXPECT_EQ(FloatJson(1.0f).dump(), "1.0");
    EXPECT_EQ(FloatJson(-2.5e-7f).dump(), "-2.5e-07");
    EXPECT_EQ(FloatJson(16777216.0f).dump(), "16777216.0");
    EXPECT_EQ(FloatJson(0.70710677f).dump(), "0.70710677");
    EXPECT_EQ(FloatJson(std::numeric_limits<float>::denorm_min()).dump(), "1e-45");
    EXPECT_EQ(FloatJson(std::numeric_limits<float>::quiet_NaN()), "NaN");
    EXPECT_EQ(FloatJson(std::numeric_limits<float>::infinity()), "Infinity");
    EXPECT_EQ(FloatJson(-std::numeric_limits<float>::infinity()), "-Infinity");
    // Every value reads back as the same float.
    for (float f : {3.4028235e38f, 1.1754944e-38f, 123.456f, 1.0f / 3.0f}) {
        EXPECT_EQ(static_cast<float>(FloatJson(f).get<double>()), f);
    }
}

TEST(SceneJson, LoadResultCarriesTheSceneOnlyOnSuccess) {
    TVXScene scene;
    const Json failed = LoadResultJson(5, scene);
    EXPECT_EQ(Keys(failed), (std::vector<std::string>{"status", "message"}));
    EXPECT_EQ(failed["message"], "File is not a Tarvex file.");
    EXPECT_EQ(LoadResultJson(8, scene)["message"], "Could not open the file.  Try closing it first.");
    EXPECT_EQ(LoadResultJson(0, scene)["message"], "There was an error importing the file.");

    const Json loaded = LoadResultJson(1, scene);
    EXPECT_EQ(Keys(loaded), (std::vector<std::string>{"status", "message", "scene"}));
    EXPECT_EQ(loaded["message"], "");
    EXPECT_EQ(Keys(loaded["scene"]),
              (std::vector<std::string>{"version", "legacyUvCoordCount", "fileCounts", "lights", "cameras",
                                        "materials", "groups", "vertices", "triangles", "uvSets", "faceLists",
                                        "bones", "animations"}));
}

TEST(SceneJson, RecordsUseTheirDocumentedKeys) {
    TVXScene scene;
    ASSERT_TRUE(AllocLights(scene, 1) && AllocCameras(scene, 1) && AllocBones(scene, 1) &&
                AllocGroups(scene, 1) && AllocVertices(scene, 1) && AllocUVSets(scene, 1) &&
                AllocAnimations(scene, 1) && AllocTracks(scene.animations[0], 1) &&
                AllocRotationKeys(scene.animations[0].tracks[0], 1));
    scene.lights[0].hotspot = 11.0f;
    const Json json = SceneJson(scene);

    const Json& light = json["lights"][0];
    EXPECT_EQ(Keys(light), (std::vector<std::string>{"name", "lightCode", "lightType", "transform", "values", "colour"}));
    EXPECT_EQ(light["name"], "Light0");
    EXPECT_EQ(light["values"], Json::parse("[11.0, 20.0, 0.0, 1.0, 1.0, 2.0, 8.0]"));
    EXPECT_EQ(Keys(light["transform"]), (std::vector<std::string>{"xAxis", "yAxis", "zAxis", "position", "scale",
                                                                  "matrix", "rotation", "finalVector"}));
    EXPECT_EQ(light["transform"]["matrix"].size(), 16u);
    EXPECT_EQ(Keys(json["cameras"][0]), (std::vector<std::string>{"name", "cameraInt1", "cameraInt2", "transform",
                                                                  "fieldOfView", "nearDistance", "farDistance"}));
    EXPECT_EQ(Keys(json["bones"][0]),
              (std::vector<std::string>{"name", "parentIndex", "transform", "colour", "weightedVertexCount"}));
    EXPECT_EQ(Keys(json["vertices"][0]), (std::vector<std::string>{"position", "colour", "weights"}));
    EXPECT_EQ(Keys(json["uvSets"][0]), (std::vector<std::string>{"name", "coords", "triangles"}));
    EXPECT_EQ(json["animations"][0]["tracks"][0]["rotationKeys"], Json::parse("[[0.0, 0.0, 0.0, 0.0, 0.0]]"));
}

TEST(SceneJson, PolygonsListTheirIndexArraysPerChannel) {
    TVXScene scene;
    ASSERT_EQ(AllocFaceLists(scene, 1), 1);
    ASSERT_EQ(AllocPolygons(scene.faceLists[0], 1), 1);
    TVXPolygon& polygon = scene.faceLists[0].polygons[0];
    ASSERT_EQ(polygon.AllocArrays(3, 2, 0), 1);
    polygon.uvIndices(1)[2] = 9;
    const Json json = SceneJson(scene)["faceLists"][0][0];
    EXPECT_EQ(json["cornerCount"], 3);
    EXPECT_EQ(json["uvIndices"], Json::parse("[[0, 0, 0], [0, 0, 9]]"));
    EXPECT_EQ(json["uvSecondIndices"].size(), 2u);
}

// The payload keys a map carries depend on its kind.
TEST(SceneJson, MapPayloadFollowsTheKind) {
    TVXScene scene;
    ASSERT_EQ(AllocMaterials(scene, 1), 1);
    TVXMaterial& material = scene.materials[0];
    ASSERT_EQ(AllocMapSlots(material, 7), 1);
    const int kinds[] = {1, 2, 3, 4, 5, 6};
    for (int slot = 0; slot < 6; ++slot) {
        ASSERT_NE(CreateMap(material, slot, slot, kinds[slot]), nullptr);
    }
    ASSERT_EQ(AllocMapEntries(*material.mapSlots[3], 1), 1);
    const Json maps = SceneJson(scene)["materials"][0]["maps"];
    const std::vector<std::string> header{"key", "kind", "flags", "vectorA", "vectorB", "vectorC"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> keys = header;
        keys.insert(keys.end(), extra.begin(), extra.end());
        return keys;
    };
    EXPECT_EQ(Keys(maps[0]), with({"fileName", "ints", "floats"}));
    EXPECT_EQ(maps[0]["floats"], Json::parse("[2.0, 1.0]"));
    EXPECT_EQ(maps[1]["ints"], Json::parse("[0, 12895428, 0]"));
    EXPECT_EQ(maps[1]["floats"].size(), 4u);
    EXPECT_EQ(maps[2]["ints"], Json::parse("[0, 2]"));
    EXPECT_EQ(Keys(maps[3]), with({"entries"}));
    EXPECT_EQ(Keys(maps[3]["entries"][0]), (std::vector<std::string>{"fileName", "int1", "int2", "weight"}));
    EXPECT_EQ(Keys(maps[4]), with({"fileNames"}));
    EXPECT_EQ(maps[4]["fileNames"].size(), 6u);
    EXPECT_EQ(maps[5]["ints"], Json::parse("[256]"));
    EXPECT_EQ(maps[5]["floats"], Json::array());
    EXPECT_TRUE(maps[6].is_null());
    EXPECT_EQ(maps[0]["flags"], 0x310000);
}

}  // namespace
}  // namespace tvx::tool
