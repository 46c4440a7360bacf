// The host-scene file: the same build always gives the same text, and the
// text holds what was built, the scene apart from the session.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "memhost/HostSceneJson.h"
#include "memhost/MemHost.h"
#include "tests/memhost/BuiltScene.h"

namespace memhost {
namespace {

using namespace hostapi;
using Json = nlohmann::ordered_json;

class HostSceneFile : public ::testing::Test {
protected:
    void SetUp() override {
        BuildScene(host);
        json = HostSceneJson(host);
    }

    MemHost host;
    Json json;
};

TEST_F(HostSceneFile, TheSameBuildGivesTheSameText) {
    MemHost again;
    BuildScene(again);
    const std::string text = HostSceneText(host);
    EXPECT_EQ(HostSceneText(again), text);
    EXPECT_EQ(HostSceneText(host), text);
    EXPECT_EQ(text.back(), '\n');
    // Shortest round-trip floats.
    EXPECT_NE(text.find("\"opacity\": 0.1,"), std::string::npos);
    EXPECT_NE(text.find("\"wAngle\": 0.7853982,"), std::string::npos);
}

TEST_F(HostSceneFile, KeysComeInTheDocumentedOrder) {
    auto keys = [](const Json& object) {
        std::vector<std::string> out;
        for (const auto& item : object.items()) {
            out.push_back(item.key());
        }
        return out;
    };
    EXPECT_EQ(keys(json), (std::vector<std::string>{"format", "version", "scene", "session"}));
    EXPECT_EQ(keys(json["scene"]), (std::vector<std::string>{"animation", "nodes", "objects", "modifiers",
                                                              "materials", "texmaps", "materialEditor"}));
    EXPECT_EQ(
        keys(json["scene"]["nodes"][0]),
        (std::vector<std::string>{"id", "name", "inScene", "selected", "parent", "object", "material", "wireColor",
                                  "hidden", "renderable", "boneOn", "showBone", "transform", "controllers"}));
}

TEST_F(HostSceneFile, NodesCarryHierarchyTransformsFlagsAndKeys) {
    const Json& nodes = json["scene"]["nodes"];
    ASSERT_EQ(nodes.size(), 5u);
    const Json& arm = nodes[1];
    EXPECT_EQ(arm["name"], "B\xC3\xB6ne\xE2\x82\xAC");
    EXPECT_EQ(arm["parent"], 0);
    EXPECT_EQ(nodes[0]["parent"], nullptr);
    EXPECT_EQ(arm["object"], 1);
    EXPECT_EQ(arm["wireColor"], Json::parse("[153, 204, 102]"));
    EXPECT_EQ(arm["hidden"], true);
    EXPECT_EQ(arm["renderable"], false);
    EXPECT_EQ(arm["boneOn"], true);
    EXPECT_EQ(arm["showBone"], 1);
    EXPECT_EQ(arm["transform"]["local"][3], Json::parse("[0.0, 0.0, 5.0]"));
    EXPECT_EQ(arm["transform"]["world"][3], Json::parse("[1.0, 0.0, 5.0]"));
    EXPECT_EQ(arm["controllers"]["position"]["kind"], "linearPosition");
    EXPECT_EQ(arm["controllers"]["position"]["keys"], Json::parse("[[0, 0.0, 0.0, 5.0], [2400, 1.0, 2.0, 3.0]]"));
    EXPECT_EQ(arm["controllers"]["rotation"], nullptr);

    EXPECT_EQ(nodes[2]["name"], "TVXMesh");
    EXPECT_EQ(nodes[2]["object"], 3);
    EXPECT_EQ(nodes[2]["material"], 0);
    EXPECT_EQ(nodes[3]["name"], "\xEF\xBF\xBDx");
    // Never added to the scene.
    EXPECT_EQ(nodes[4]["inScene"], false);

    EXPECT_EQ(json["scene"]["animation"], Json::parse(R"({"frameRate": 30, "ticksPerFrame": 160, "range": [0, 16000]})"));
}

TEST_F(HostSceneFile, ObjectsHoldMeshChannelsSkinLightAndCamera) {
    const Json& objects = json["scene"]["objects"];
    ASSERT_EQ(objects.size(), 6u);
    EXPECT_EQ(objects[0]["kind"], "bone");
    EXPECT_EQ(objects[0]["length"], 1.0);

    const Json& mesh = objects[2];
    EXPECT_EQ(mesh["kind"], "mesh");
    EXPECT_EQ(mesh["vertices"][2], Json::parse("[2.0, 0.0, 0.0]"));
    EXPECT_EQ(mesh["faces"], Json::parse("[[0, 1, 2]]"));
    EXPECT_EQ(mesh["faceMaterialIds"], Json::parse("[65535]"));
    EXPECT_EQ(mesh["faceSmoothingGroups"], Json::parse("[0]"));
    EXPECT_EQ(mesh["faceEdgeVisibility"], Json::parse("[7]"));
    ASSERT_EQ(mesh["mapChannels"].size(), 2u);
    EXPECT_EQ(mesh["mapChannels"][0]["channel"], 1);
    EXPECT_EQ(mesh["mapChannels"][0]["vertices"][1], Json::parse("[0.25, 0.25, 0.0]"));
    EXPECT_EQ(mesh["mapChannels"][1]["channel"], 2);
    EXPECT_EQ(mesh["mapChannels"][1]["faces"], Json::parse("[[0, 1, 2]]"));

    EXPECT_EQ(objects[3], Json::parse(R"({"id": 3, "kind": "derived", "base": 2, "modifiers": [0]})"));
    EXPECT_EQ(json["scene"]["modifiers"][0]["bones"], Json::parse("[0, 1]"));
    EXPECT_EQ(json["scene"]["modifiers"][0]["weights"],
              Json::parse(R"([{"vertex": 2, "bones": [1, 0], "weights": [0.25, 0.75]}])"));

    EXPECT_EQ(objects[4]["kind"], "light");
    EXPECT_EQ(objects[4]["intensity"], "NaN");
    EXPECT_EQ(objects[4]["attenuation"], Json::parse("[0.0, 40.0, 6.0, 200.0]"));
    EXPECT_EQ(objects[4]["useLight"], true);
    EXPECT_EQ(objects[4]["useAttenuation"], false);
    EXPECT_EQ(objects[5]["kind"], "camera");
    // The shortest digits of the float, not the float widened to double.
    EXPECT_EQ(objects[5]["fov"], 0.7853982);
}

TEST_F(HostSceneFile, MaterialsAndMapsReferByIdAndTheEditorSlotIsKept) {
    const Json& materials = json["scene"]["materials"];
    EXPECT_EQ(materials[0]["kind"], "multi");
    EXPECT_EQ(materials[0]["subMaterials"], Json::parse("[1, null]"));
    const Json& wood = materials[1];
    EXPECT_EQ(wood["name"], "Wood");
    EXPECT_EQ(wood["shininess"], 0.75);
    EXPECT_EQ(wood["mtlFlags"], MTL_TEX_DISPLAY_ENABLED);
    EXPECT_EQ(wood["maps"], Json::parse(R"([{"slot": 1, "texmap": 0, "amount": 1.0, "enabled": true}])"));
    EXPECT_EQ(wood["activeTexmap"], 0);

    const Json& bitmap = json["scene"]["texmaps"][0];
    EXPECT_EQ(bitmap["kind"], "bitmap");
    EXPECT_EQ(bitmap["fileName"], "C:\\scenes\\wood.png");
    EXPECT_EQ(bitmap["uvGen"]["tiling"], U_WRAP);
    EXPECT_EQ(bitmap["uvGen"]["mapChannel"], 1);
    EXPECT_EQ(json["scene"]["materialEditor"], Json::parse(R"([{"slot": 0, "material": 0}])"));
}

TEST_F(HostSceneFile, TheSessionHoldsWhatHappenedOutsideTheScene) {
    const Json& session = json["session"];
    const Json& events = session["events"];
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0]["event"], "progressStart");
    EXPECT_EQ(events[0]["title"], "Reading...(please wait)");
    EXPECT_EQ(events[1]["percent"], 50);
    EXPECT_EQ(events[2]["event"], "progressEnd");
    EXPECT_EQ(events[3]["event"], "dialog");
    EXPECT_EQ(events[3]["answer"], "ok");
    EXPECT_EQ(events[3]["returned"], 1);
    EXPECT_EQ(events[3]["moduleGiven"], false);
    EXPECT_EQ(events[4], Json::parse(R"({"event": "setCurrentDirectory", "path": "C:\\scenes\\", "accepted": true})"));

    EXPECT_EQ(session["currentDirectory"], "C:\\scenes\\");
    EXPECT_EQ(session["animateMode"]["animateSuspensions"], 0);
    EXPECT_EQ(session["changesWhileAnimating"], Json::object());
    EXPECT_EQ(session["meshes"], Json::parse(R"([{"object": 2, "normalsCurrent": true}])"));
    EXPECT_EQ(session["modifierAdditions"][0]["lockTarget"], true);
    EXPECT_EQ(session["objectsLeftLocked"], Json::array());
    EXPECT_EQ(session["skinBoneUpdates"][0]["updates"], Json::parse("[false, true]"));
    EXPECT_EQ(session["hostErrors"], Json::array());
    EXPECT_FALSE(json["scene"].contains("events"));
}

TEST(HostSceneJson, InjectedFailuresAndHostErrorsAreWritten) {
    MemHost host;
    host.failures().FailCall(HostCall::CreateNode);
    host.failures().FailCall(HostCall::NewDefaultStdMat);
    EXPECT_EQ(host.CreateNode(), nullptr);
    host.SetFrameRate(0);
    const Json session = HostSceneJson(host)["session"];
    EXPECT_EQ(session["failures"]["injected"],
              Json::parse(R"([{"call": "CreateNode", "callNumber": 1, "detail": ""}])"));
    EXPECT_EQ(session["failures"]["pendingRules"], 1);
    EXPECT_EQ(session["hostErrors"].size(), 1u);
}

}  // namespace
}  // namespace memhost
