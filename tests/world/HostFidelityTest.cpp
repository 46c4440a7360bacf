// Host scenes built here through host → TVX → host: at every frame of the
// host's animation range the imported scene shows what the exported one
// showed, in world space: nested, scaled, mirrored and skinned nodes, an
// animation range that does not start at 0, another frame rate, and a
// selection that leaves a parent out.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "tests/support/TempDir.h"
#include "tests/world/HostWorld.h"
#include "tests/world/WorldCompare.h"
#include "tools/tvx/Commands.h"

namespace tvx::world {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// The TVX file keeps positions and keys as floats.
constexpr double kTolerance = 1e-5;
// The importer passes every rotation key through Euler angles in single
// precision, which near a quarter turn about the middle axis costs a few
// units in the 5th digit of a node's axes.
constexpr double kAxesTolerance = 1e-4;

// A host scene written as a host-scene file would be.
struct SceneBuilder {
    Json nodes = Json::array();
    Json objects = Json::array();
    Json modifiers = Json::array();
    Json animation = {{"frameRate", 30}, {"ticksPerFrame", 160}, {"range", {0, 30 * 160}}};

    // A unit box around the origin, as a mesh object; its id.
    int Box(double size = 1.0) {
        const double h = size / 2;
        Json vertices = Json::array();
        for (int i = 0; i < 8; ++i) {
            vertices.push_back({i & 1 ? h : -h, i & 2 ? h : -h, i & 4 ? h : -h});
        }
        const Json faces = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6}, {0, 1, 4}, {1, 5, 4},
                            {2, 6, 3}, {3, 6, 7}, {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
        return Add(objects, {{"kind", "mesh"}, {"vertices", vertices}, {"faces", faces}});
    }

    int Node(const std::string& name, Json parent, Json object, Json local, Json controllers = nullptr) {
        Json node = {{"name", name}, {"parent", parent}, {"object", object}, {"transform", {{"local", local}}}};
        if (!controllers.is_null()) {
            node["controllers"] = controllers;
        }
        return Add(nodes, node);
    }

    std::string Text() const {
        return Json{{"format", "tvx-host-scene"},
                    {"version", 1},
                    {"scene", {{"animation", animation}, {"nodes", nodes}, {"objects", objects}, {"modifiers", modifiers}}}}
            .dump();
    }

    static int Add(Json& list, Json item) {
        const int id = static_cast<int>(list.size());
        Json entry = {{"id", id}};
        entry.update(item);
        list.push_back(entry);
        return id;
    }
};

Json Moved(double x, double y, double z) { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {x, y, z}}; }
Json Scaled(double sx, double sy, double sz, double x, double y, double z) {
    return {{sx, 0, 0}, {0, sy, 0}, {0, 0, sz}, {x, y, z}};
}

// A host quaternion (x, y, z, w) turning by `angle` about the axis.
Json Turn(int tick, double angle, double ax, double ay, double az) {
    const double s = std::sin(angle / 2) / std::hypot(ax, ay, az);
    return {tick, ax * s, ay * s, az * s, std::cos(angle / 2)};
}

Json Spinning(int from, int to, double ax, double ay, double az) {
    return {{"class", "positionRotationScale"},
            {"position", nullptr},
            {"rotation", {{"kind", "linearRotation"}, {"keys", {Turn(from, 0, ax, ay, az), Turn(to, 2.5, ax, ay, az)}}}},
            {"scale", nullptr}};
}

Json Travelling(int from, int to, Json start, Json end) {
    Json a = {from}, b = {to};
    a.insert(a.end(), start.begin(), start.end());
    b.insert(b.end(), end.begin(), end.end());
    return {{"class", "positionRotationScale"},
            {"position", {{"kind", "linearPosition"}, {"keys", {a, b}}}},
            {"rotation", nullptr},
            {"scale", nullptr}};
}

class HostFidelity : public testing::Test {
protected:
    // Exports `scene`, imports the file, and compares the two at every
    // frame of the exported range; the imported animation starts at 0.
    void RoundTrip(const SceneBuilder& scene, tool::ExportCommandOptions options = {}) {
        {
            std::ofstream(dir / "before.json") << scene.Text();
        }
        std::ostringstream out, err;
        options.pluginFolder = TVX_PLUGIN_FOLDER;
        options.noPrompt = !options.selectedOnly;
        ASSERT_EQ(tool::RunExport(dir / "before.json", dir / "scene.tvx", options, err), 0) << err.str();
        tool::ImportCommandOptions importOptions;
        importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
        importOptions.output = dir / "after.json";
        ASSERT_EQ(tool::RunImport(dir / "scene.tvx", importOptions, out, err), 0) << err.str();
        std::string error;
        before = ReadHostSceneFile(dir / "before.json", error);
        ASSERT_NE(before, nullptr) << error;
        after = ReadHostSceneFile(dir / "after.json", error);
        ASSERT_NE(after, nullptr) << error;

        const int rate = scene.animation["frameRate"];
        const int ticks = scene.animation["ticksPerFrame"];
        const double start = scene.animation["range"][0].get<double>() / (rate * ticks);
        const int frames = (scene.animation["range"][1].get<int>() - scene.animation["range"][0].get<int>()) / ticks;
        Timeline exported, imported;
        for (int f = 0; f <= frames; ++f) {
            exported.push_back(HostWorldAt(*before, start + static_cast<double>(f) / rate));
            imported.push_back(HostWorldAt(*after, static_cast<double>(f) / rate));
            imported.back().seconds = exported.back().seconds;
        }
        const double diagonal = Diagonal(exported);
        const Gap vertices = VertexGap(exported, imported, diagonal);
        EXPECT_LE(vertices.value, kTolerance) << vertices.where;
        const Gap nodes = NodeGap(exported, imported, diagonal);
        EXPECT_LE(nodes.value, kTolerance) << nodes.where;
        const Gap axes = NodeAxesGap(exported, imported);
        EXPECT_LE(axes.value, kAxesTolerance) << axes.where;
        const Gap views = ViewGap(exported, imported, diagonal);
        EXPECT_LE(views.value, kTolerance) << views.where;
        exportedAtStart = exported.front();
        importedAtStart = imported.front();
    }

    test::TempDir dir;
    std::unique_ptr<memhost::MemHost> before, after;
    WorldScene exportedAtStart, importedAtStart;
};

TEST_F(HostFidelity, NestedAnimatedNodes) {
    SceneBuilder scene;
    const int root = scene.Node("Root", nullptr, scene.Box(), Moved(0, 0, 10), Spinning(0, 4800, 0, 0, 1));
    const int arm = scene.Node("Arm", root, scene.Box(0.5), Moved(3, 0, 0), Spinning(0, 2400, 1, 0, 0));
    scene.Node("Hand", arm, scene.Box(0.25), Moved(0, 2, 1), Travelling(800, 4000, {0, 2, 1}, {0, 4, -1}));
    RoundTrip(scene);
}

TEST_F(HostFidelity, ScaledParents) {
    SceneBuilder scene;
    const int root = scene.Node("Big", nullptr, scene.Box(), Scaled(2, 2, 2, 0, 0, 5), Spinning(0, 4800, 0, 1, 0));
    const int flat = scene.Node("Flat", root, scene.Box(), Scaled(1, 3, 0.5, 2, 0, 0), Spinning(0, 4800, 0, 0, 1));
    scene.Node("Tip", flat, scene.Box(0.5), Moved(1, 1, 0), Travelling(0, 4800, {1, 1, 0}, {0, 2, 3}));
    RoundTrip(scene);
}

TEST_F(HostFidelity, MirroredNodes) {
    SceneBuilder scene;
    const int mirror = scene.Node("Mirror", nullptr, scene.Box(), Scaled(-1, 1, 1, 0, 0, 2), Spinning(0, 4800, 0, 0, 1));
    scene.Node("Left", mirror, scene.Box(0.5), Moved(3, 0, 0), Spinning(0, 4800, 0, 1, 0));
    scene.Node("Right", nullptr, scene.Box(0.5), Scaled(1, -1, 1, -3, 0, 0), Travelling(0, 4800, {-3, 0, 0}, {-3, 2, 2}));
    RoundTrip(scene);
}

TEST_F(HostFidelity, SkinnedChain) {
    SceneBuilder scene;
    const int bone = SceneBuilder::Add(scene.objects, {{"kind", "bone"}});
    const int hip = scene.Node("Hip", nullptr, bone, Moved(0, 0, 0), Spinning(0, 4800, 0, 1, 0));
    const int knee = scene.Node("Knee", hip, bone, Moved(0, 0, 2), Spinning(0, 4800, 1, 0, 0));
    const int mesh = scene.Box(2);
    const int skin = SceneBuilder::Add(scene.modifiers, {{"kind", "skin"}, {"bones", {hip, knee}}, {"weights", Json::array()}});
    for (int v = 0; v < 8; ++v) {
        const double w = v & 4 ? 0.8 : 0.2;  // the top four follow the knee
        scene.modifiers[static_cast<std::size_t>(skin)]["weights"].push_back(
            {{"vertex", v}, {"bones", {hip, knee}}, {"weights", {1 - w, w}}});
    }
    const int derived = SceneBuilder::Add(scene.objects, {{"kind", "derived"}, {"base", mesh}, {"modifiers", {skin}}});
    scene.Node("Leg", nullptr, derived, Moved(0, 0, 1));
    RoundTrip(scene);
}

// The range's motion, measured from its start, is what the file keeps.
TEST_F(HostFidelity, RangeThatStartsLate) {
    SceneBuilder scene;
    scene.animation["range"] = {800 * 160, 860 * 160};
    scene.Node("Late", nullptr, scene.Box(), Moved(0, 0, 0),
               Travelling(800 * 160, 860 * 160, {0, 0, 0}, {10, 0, 0}));
    RoundTrip(scene);
}

TEST_F(HostFidelity, OtherFrameRate) {
    SceneBuilder scene;
    scene.animation = {{"frameRate", 25}, {"ticksPerFrame", 192}, {"range", {0, 50 * 192}}};
    scene.Node("Slow", nullptr, scene.Box(), Moved(0, 0, 0), Spinning(0, 50 * 192, 1, 1, 0));
    RoundTrip(scene);
}

// A selected child whose parent stays behind keeps its place in the world,
// and its motion.
TEST_F(HostFidelity, SelectedChildOfUnselectedParent) {
    SceneBuilder scene;
    const int stand = SceneBuilder::Add(scene.objects, {{"kind", "helper"}});
    const int parent = scene.Node("Stand", nullptr, stand, Moved(0, 0, 10), Spinning(0, 4800, 0, 0, 1));
    scene.Node("Lamp", parent, scene.Box(0.5), Moved(5, 0, 0));
    tool::ExportCommandOptions options;
    options.selectedOnly = true;
    options.selected = {"Lamp"};
    RoundTrip(scene, options);
    ASSERT_EQ(importedAtStart.nodes.count("Lamp"), 1u);
    const Mat4& lamp = importedAtStart.nodes.at("Lamp");
    EXPECT_NEAR(lamp.at(0, 3), 5.0, 1e-5);
    EXPECT_NEAR(lamp.at(2, 3), 10.0, 1e-5);
}

}  // namespace
}  // namespace tvx::world
