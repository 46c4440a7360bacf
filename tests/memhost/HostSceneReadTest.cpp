// Reading a host-scene file: what the host wrote reads back to the same
// scene, and a malformed or hostile file is refused with a message that
// says where and why, never with a crash.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "tests/memhost/BuiltScene.h"
#include "tests/memhost/ExportScene.h"

namespace memhost {
namespace {

using Json = nlohmann::ordered_json;

std::unique_ptr<MemHost> Read(const std::string& text) {
    std::string error;
    std::unique_ptr<MemHost> host = ReadHostScene(text, error);
    EXPECT_NE(host, nullptr) << error;
    EXPECT_EQ(host == nullptr, !error.empty());
    return host;
}

TEST(HostSceneRoundTrip, AnImportedSceneReadsBackToTheSameScene) {
    MemHost built;
    BuildScene(built);
    const Json written = HostSceneJson(built);
    const std::unique_ptr<MemHost> read = Read(written.dump());
    ASSERT_NE(read, nullptr);
    const Json again = HostSceneJson(*read);
    EXPECT_EQ(again["scene"], written["scene"]);
    // The session is what happened while the file was built, not read.
    EXPECT_EQ(again["session"]["events"], Json::array());
    EXPECT_EQ(again["session"]["hostErrors"], Json::array());
}

TEST(HostSceneRoundTrip, AHandWrittenSceneReachesItsWrittenFormAtOnce) {
    const std::unique_ptr<MemHost> first = Read(test::kExportSceneJson);
    ASSERT_NE(first, nullptr);
    const std::string canonical = HostSceneText(*first);
    const std::unique_ptr<MemHost> second = Read(canonical);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(HostSceneText(*second), canonical);

    // What was given is kept, what was left out has the host's defaults, and
    // the derived transforms are evaluated.
    const Json scene = Json::parse(canonical)["scene"];
    const Json& nodes = scene["nodes"];
    EXPECT_EQ(nodes[4]["selected"], true);
    EXPECT_EQ(nodes[4]["transform"]["objectOffset"][2], Json::parse("[0.0, 0.0, -1.0]"));
    EXPECT_EQ(nodes[10]["inScene"], false);
    EXPECT_EQ(nodes[0]["inScene"], true);
    EXPECT_EQ(nodes[1]["controllers"]["class"], "bipedBody");
    EXPECT_EQ(nodes[2]["transform"]["worldAtTime0"][3], Json::parse("[0.0, 0.0, 13.0]"));
    const Json& objects = scene["objects"];
    EXPECT_EQ(objects[1]["modifiers"], Json::parse("[2, 0]"));
    EXPECT_EQ(objects[0]["mapChannels"][0]["channel"], -2);
    EXPECT_EQ(objects[9]["faceEdgeVisibility"], Json::parse("[7]"));
    EXPECT_EQ(objects[0]["specifiedNormals"]["specified"], Json::parse("[7, 2]"));
    EXPECT_EQ(objects[0]["specifiedNormals"]["faces"][1], Json::parse("[1, 7, -1]"));
    EXPECT_EQ(objects[9].count("specifiedNormals"), 0u) << "only a mesh that has them";
    EXPECT_EQ(objects[3]["mesh"], nullptr);
    EXPECT_EQ(objects[3]["hotspot"], -5.0);
    EXPECT_EQ(objects[4]["hotspot"], 43.0);
    EXPECT_EQ(objects[4]["mesh"]["faces"], Json::parse("[[0, 1, 2]]"));
    EXPECT_EQ(objects[5]["classId"], Json::parse("[8872500, 0]"));
    EXPECT_EQ(objects[7]["envRange"], Json::parse("[2.0, 500.0]"));
    EXPECT_EQ(scene["modifiers"][2]["superClass"], 0x810);
    EXPECT_EQ(scene["modifiers"][0]["points"], nullptr);
    EXPECT_EQ(scene["modifiers"][1]["vertices"][2]["nodes"], Json::parse("[3, 2]"));
    EXPECT_EQ(scene["materials"][0]["maps"][2],
              Json::parse(R"({"slot": 8, "texmap": 4, "amount": 0.3, "enabled": false})"));
    EXPECT_EQ(scene["texmaps"][3]["subTexmaps"], Json::parse("[0, null, 1]"));
    EXPECT_EQ(scene["texmaps"][6]["classId"], Json::parse("[4660, 22136]"));
    EXPECT_EQ(scene["texmaps"][1]["uvGen"]["tiling"], 3);
    EXPECT_EQ(scene["materialEditor"], Json::parse(R"([{"slot": 0, "material": 1}, {"slot": 3, "texmap": 2}])"));
    EXPECT_EQ(scene["animation"]["ticksPerFrame"], 192);
}

struct BadFile {
    const char* what;
    // Changes the example scene; a null edit means the text below is read
    // as it is.
    std::function<void(Json&)> edit;
    const char* expected;
    const char* text = nullptr;
};

Json& At(Json& j, const char* pointer) { return j[Json::json_pointer(pointer)]; }

std::vector<BadFile> BadFiles() {
    return {
        {"not JSON", nullptr, "not JSON: ", "{\"format\": "},
        {"not an object", nullptr, "the file: expected an object, found array", "[]"},
        {"a key given twice", nullptr, "the file: the key \"version\" is given twice",
         R"({"format": "tvx-host-scene", "version": 1, "version": 1, "scene": {}})"},
        {"a key given twice, the second escaped", nullptr,
         "scene.nodes[1].transform: the key \"local\" is given twice",
         R"({"format": "tvx-host-scene", "version": 1, "scene": {"nodes": [{"id": 0}, {"id": 1, "transform":
            {"local": [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]], "\u006cocal": [[1, 0, 0], [0, 1, 0],
            [0, 0, 1], [0, 0, 5]]}}]}})"},
        {"nested too deep", nullptr, "deeper than 64 levels", nullptr},
        {"another format", [](Json& j) { j["format"] = "gltf"; }, "format: expected \"tvx-host-scene\""},
        {"another version", [](Json& j) { j["version"] = 2; }, "version: this host reads version 1"},
        {"no scene", [](Json& j) { j.erase("scene"); }, "the key \"scene\" is missing"},
        {"a misspelt key", [](Json& j) { At(j, "/scene/nodes/3")["hiden"] = true; },
         "scene.nodes[3]: unknown key \"hiden\""},
        {"an id out of place", [](Json& j) { At(j, "/scene/nodes/1/id") = 7; },
         "scene.nodes[1].id: expected 1 (an id is the item's place in its list), found 7"},
        {"a parent that does not exist", [](Json& j) { At(j, "/scene/nodes/2/parent") = 12; },
         "scene.nodes[2].parent: there is no node 12 (there are 12)"},
        {"a parent loop", [](Json& j) { At(j, "/scene/nodes/0/parent") = 2; }, "come back to it"},
        {"its own parent", [](Json& j) { At(j, "/scene/nodes/7/parent") = 7; },
         "scene.nodes[7].parent: the parent links from node 7 come back to it"},
        {"a node's object of the wrong list", [](Json& j) { At(j, "/scene/nodes/0/object") = 11; },
         "scene.nodes[0].object: there is no object 11 (there are 11)"},
        {"a fraction for an integer", [](Json& j) { At(j, "/scene/nodes/4/wireColor/1") = 1.5; },
         "scene.nodes[4].wireColor[1]: expected an integer, found a fraction"},
        {"a byte out of range", [](Json& j) { At(j, "/scene/nodes/4/wireColor/2") = 256; },
         "scene.nodes[4].wireColor[2]: 256 is outside 0..255"},
        {"a short matrix", [](Json& j) { At(j, "/scene/nodes/1/transform/local").erase(3); },
         "scene.nodes[1].transform.local: expected 4 elements, found 3"},
        {"a float too large", [](Json& j) { At(j, "/scene/nodes/1/transform/local/3/2") = 1e300; },
         "scene.nodes[1].transform.local[3][2]: the number is too large for a float"},
        {"a word for a number", [](Json& j) { At(j, "/scene/objects/3/intensity") = "nan"; },
         "scene.objects[3].intensity: \"nan\" is no number"},
        {"keys of the wrong kind",
         [](Json& j) { At(j, "/scene/nodes/1/controllers/position/kind") = "linearRotation"; },
         "scene.nodes[1].controllers.position.kind: expected \"linearPosition\""},
        {"a key of the wrong width", [](Json& j) { At(j, "/scene/nodes/1/controllers/position/keys/1").erase(3); },
         "scene.nodes[1].controllers.position.keys[1]: expected 4 elements, found 3"},
        {"an unknown controller class", [](Json& j) { At(j, "/scene/nodes/3/controllers/class") = "tcb"; },
         "unknown controller class \"tcb\""},
        {"a face past the vertices", [](Json& j) { At(j, "/scene/objects/0/faces/1/2") = 4; },
         "scene.objects[0].faces[1][2]: there is no vertex 4 (the mesh has 4)"},
        {"a negative vertex", [](Json& j) { At(j, "/scene/objects/9/faces/0/0") = -1; },
         "scene.objects[9].faces[0][0]: there is no vertex -1"},
        {"material ids short of the faces", [](Json& j) { At(j, "/scene/objects/0/faceMaterialIds").erase(1); },
         "scene.objects[0].faceMaterialIds: has 1 entries for 2 faces"},
        {"a channel short of the faces", [](Json& j) { At(j, "/scene/objects/0/mapChannels/3/faces").erase(0); },
         "scene.objects[0].mapChannels[3].faces: has 1 faces for the mesh's 2"},
        {"a channel below the hidden ones", [](Json& j) { At(j, "/scene/objects/0/mapChannels/0/channel") = -3; },
         "scene.objects[0].mapChannels[0].channel: -3 is outside -2..99"},
        {"a channel twice", [](Json& j) { At(j, "/scene/objects/0/mapChannels/3/channel") = 1; },
         "map channel 1 is given twice"},
        {"normal faces short of the faces", [](Json& j) { At(j, "/scene/objects/0/specifiedNormals/faces").erase(1); },
         "scene.objects[0].specifiedNormals.faces: has 1 faces for the mesh's 2"},
        {"explicit flags short of the normals",
         [](Json& j) { At(j, "/scene/objects/0/specifiedNormals/explicit").erase(0); },
         "scene.objects[0].specifiedNormals.explicit: has 1 entries for 2 normals"},
        {"a corner that is no corner", [](Json& j) { At(j, "/scene/objects/0/specifiedNormals/specified/0") = 8; },
         "scene.objects[0].specifiedNormals.specified[0]: 8 is outside 0..7"},
        {"a normal id below none", [](Json& j) { At(j, "/scene/objects/0/specifiedNormals/faces/0/2") = -2; },
         "scene.objects[0].specifiedNormals.faces[0][2]: -2 is outside -1.."},
        {"an unknown object kind", [](Json& j) { At(j, "/scene/objects/5/kind") = "spline"; },
         "scene.objects[5].kind: unknown object kind \"spline\""},
        {"geometry claiming the mesh class", [](Json& j) { At(j, "/scene/objects/2/classId") = Json::parse("[9, 0]"); },
         "scene.objects[2].classId: the class (0x9, 0x0) is that of another kind of object"},
        {"a light type the host lacks", [](Json& j) { At(j, "/scene/objects/3/type") = 5; },
         "scene.objects[3].type: 5 is outside 0..4"},
        {"a derived object on itself", [](Json& j) { At(j, "/scene/objects/10/base") = 10; },
         "scene.objects[10].base: the chain of derived objects from object 10 comes back to itself"},
        {"a modifier twice in a stack", [](Json& j) { At(j, "/scene/objects/1/modifiers/1") = 2; },
         "scene.objects[1].modifiers[1]: modifier 2 is given twice"},
        {"a null modifier", [](Json& j) { At(j, "/scene/objects/1/modifiers/0") = nullptr; },
         "expected the id of a modifier, found null"},
        {"weights short of the bones", [](Json& j) { At(j, "/scene/modifiers/0/weights/1/weights").erase(1); },
         "scene.modifiers[0].weights[1].weights: 1 weights for 2 bones"},
        {"a vertex weighted twice", [](Json& j) { At(j, "/scene/modifiers/0/weights/3/vertex") = 0; },
         "vertex 0 is given twice"},
        {"a bone registered twice", [](Json& j) { At(j, "/scene/modifiers/0/bones/1") = 1; },
         "node 1 is registered twice"},
        {"a rigid vertex on two bones",
         [](Json& j) {
             At(j, "/scene/modifiers/1/vertices/0") = Json::parse(R"({"type": 1, "nodes": [1, 2], "weights": [1, 1]})");
         },
         "a vertex of type 1 follows exactly one node"},
        {"a Physique type that does not exist", [](Json& j) { At(j, "/scene/modifiers/1/vertices/2/type") = 3; },
         "no vertex type 3 (1, 2, 5, 6 or 8)"},
        {"a modifier claiming the skin class",
         [](Json& j) { At(j, "/scene/modifiers/2/classId") = Json::parse("[9815843, 87654]"); },
         "is that of another kind of modifier"},
        {"a material that contains itself", [](Json& j) { At(j, "/scene/materials/3/subMaterials/0") = 1; },
         "contains itself through this link"},
        {"a texture map that contains itself", [](Json& j) { At(j, "/scene/texmaps/5/subTexmaps/1") = 5; },
         "scene.texmaps[5].subTexmaps: the texture map 5 contains itself through this link"},
        {"a mix with two inputs", [](Json& j) { At(j, "/scene/texmaps/3/subTexmaps").erase(2); },
         "scene.texmaps[3].subTexmaps: expected 3 elements, found 2"},
        {"a map slot past the last", [](Json& j) { At(j, "/scene/materials/0/maps/0/slot") = 12; },
         "scene.materials[0].maps[0].slot: 12 is outside 0..11"},
        {"a map channel of a bitmap below 1", [](Json& j) { At(j, "/scene/texmaps/0/uvGen/mapChannel") = 0; },
         "scene.texmaps[0].uvGen.mapChannel: 0 is outside 1..99"},
        {"an editor slot with two things", [](Json& j) { At(j, "/scene/materialEditor/0")["texmap"] = 0; },
         "scene.materialEditor[0]: a slot holds either a material or a texture map"},
        {"a range that ends first", [](Json& j) { At(j, "/scene/animation/range/0") = 20000; },
         "scene.animation.range: the range starts after it ends"},
        {"no frames per second", [](Json& j) { At(j, "/scene/animation/frameRate") = 0; },
         "scene.animation.frameRate: 0 is outside 1.."},
    };
}

TEST(HostSceneRead, RefusesMalformedFilesSayingWhereAndWhy) {
    const Json example = Json::parse(test::kExportSceneJson);
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.what);
        std::string text;
        if (bad.edit) {
            Json edited = example;
            bad.edit(edited);
            text = edited.dump();
        } else if (bad.text) {
            text = bad.text;
        } else {
            text = std::string(200, '[') + std::string(200, ']');
        }
        std::string error;
        EXPECT_EQ(ReadHostScene(text, error), nullptr);
        EXPECT_NE(error.find(bad.expected), std::string::npos) << error;
    }
}

TEST(HostSceneRead, AHierarchyOfAnyDepthIsReadAndALoopIsRefused) {
    constexpr int kLength = 5000;
    Json nodes = Json::array();
    for (int i = 0; i < kLength; ++i) {
        nodes.push_back({{"id", i}, {"parent", i == 0 ? Json(nullptr) : Json(i - 1)}});
    }
    const auto scene = [&nodes] {
        return Json{{"format", "tvx-host-scene"}, {"version", 1}, {"scene", {{"nodes", nodes}}}}.dump();
    };
    const std::unique_ptr<MemHost> host = Read(scene());
    ASSERT_NE(host, nullptr);
    const MemNode& leaf = *host->nodes().back();
    int depth = 0;
    for (const MemNode* n = &leaf; n->parent(); n = n->parent()) {
        ASSERT_EQ(n->parent()->id(), n->id() - 1);
        ++depth;
    }
    EXPECT_EQ(depth, kLength - 1);
    nodes[0]["parent"] = kLength - 1;
    std::string error;
    EXPECT_EQ(ReadHostScene(scene(), error), nullptr);
    EXPECT_EQ(error, "scene.nodes[0].parent: the parent links from node 0 come back to it");
}

// What an export would build is priced as placed: a mesh once per node that
// places it, through a derived object too, and every node at every frame
// only when the export samples.
TEST(HostSceneRead, AMeshPlacedByManyNodesIsPricedOncePerNode) {
    Json vertices = Json::array();
    Json faces = Json::array();
    for (int i = 0; i < 100; ++i) {
        vertices.push_back({i, i % 2, 0});
        if (i >= 2) {
            faces.push_back({i - 2, i - 1, i});
        }
    }
    const auto scene = [&](const char* placed, int frames) {
        Json nodes = Json::array();
        for (int i = 0; i < 2000; ++i) {
            const Json object = placed == nullptr ? Json(nullptr) : Json(placed == std::string("mesh") ? 0 : 1);
            nodes.push_back({{"id", i}, {"object", object}});
        }
        const Json objects = {{{"id", 0}, {"kind", "mesh"}, {"vertices", vertices}, {"faces", faces}},
                              {{"id", 1}, {"kind", "derived"}, {"base", 0}}};
        const Json animation = {{"range", {0, 160 * (frames - 1)}}};
        return Json{{"format", "tvx-host-scene"},
                    {"version", 1},
                    {"scene", {{"animation", animation}, {"nodes", nodes}, {"objects", objects}}}}
            .dump();
    };
    struct Case {
        const char* placed;
        int frames;
        bool sampled;
        const char* refusal;  // null for a scene within the budget
    };
    const Case cases[] = {
        {nullptr, 1, true, nullptr},
        {"mesh", 1, true, "its 2000 nodes placing meshes of 200000 vertices in all would take"},
        {"derived", 1, true, "its 2000 nodes placing meshes of 200000 vertices in all would take"},
        {nullptr, 1000, false, nullptr},
        {nullptr, 1000, true, "sampling its 2000 nodes at 1000 frames each would take"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.placed == nullptr ? "nothing" : c.placed) + " placed, " + std::to_string(c.frames) +
                     " frames" + (c.sampled ? ", sampled" : ""));
        std::string error;
        bool overBudget = false;
        const auto host = ReadHostScene(scene(c.placed, c.frames), error, {1u << 20, &overBudget, c.sampled});
        EXPECT_EQ(host == nullptr, c.refusal != nullptr) << error;
        EXPECT_EQ(overBudget, c.refusal != nullptr);
        if (c.refusal != nullptr) {
            EXPECT_NE(error.find(c.refusal), std::string::npos) << error;
        }
    }
}

TEST(HostSceneRead, NoCutOrChangedByteCrashesTheReader) {
    const std::unique_ptr<MemHost> host = Read(test::kExportSceneJson);
    ASSERT_NE(host, nullptr);
    const std::string text = HostSceneJson(*host).dump();
    std::string error;
    // Every cut costs a parse of what is left, so the sweep is sampled: every
    // cut within 256 bytes of either end, every 7th between (a stride prime
    // to the text's repeats, so the cuts fall on every kind of byte).
    for (std::size_t length = 0; length < text.size(); ++length) {
        if (length > 256 && length + 256 < text.size() && length % 7 != 0) {
            continue;
        }
        EXPECT_EQ(ReadHostScene(std::string_view(text).substr(0, length), error), nullptr) << length;
        EXPECT_FALSE(error.empty());
    }
    // Whatever a changed byte makes of the file, a host that reads it can
    // be written out again. Sampled too: every 17th byte, four ways.
    for (std::size_t at = 0; at < text.size(); at += 17) {
        for (const char c : {'9', '-', '"', '}'}) {
            std::string changed = text;
            changed[at] = c;
            if (const std::unique_ptr<MemHost> read = ReadHostScene(changed, error)) {
                EXPECT_FALSE(HostSceneText(*read).empty());
            } else {
                EXPECT_FALSE(error.empty());
            }
        }
    }
}

}  // namespace
}  // namespace memhost
