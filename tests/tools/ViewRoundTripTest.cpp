// Lights and cameras through both plug-ins: a host scene exported with
// `tvx export` and imported again with `tvx import` keeps where every view
// looks and which way is up for it, its roll included; a file whose views
// hold no whole frame imports them rebuilt around their view axes, as
// before.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <sstream>

#include "document/SceneAllocation.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/Vector.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::tool {
namespace {

using Json = nlohmann::json;

// Each view's rows x, y, z (its -z is where it looks) and position.
constexpr const char* kViews = R"({"format": "tvx-host-scene", "version": 1, "scene": {
  "nodes": [
    {"id": 0, "name": "RolledCamera", "object": 0, "transform": {"local": [
      [-0.0814667, 0.27987664, 0.95657318], [-0.89603961, 0.39970527, -0.19325814],
      [-0.43643578, -0.87287156, 0.21821789], [4, -2, 7]]}},
    {"id": 1, "name": "RolledSpot", "object": 1, "transform": {"local": [
      [0.23099106, -0.8774938, -0.42029484], [0.93522357, 0.31938163, -0.15281442],
      [0.26832816, -0.35777088, 0.89442719], [-1, 3, 2]]}},
    {"id": 2, "name": "LevelCamera", "object": 0, "transform": {"local": [
      [-0.24253563, 0.0, 0.9701425], [0.4234049, 0.89973541, 0.10585122],
      [-0.87287156, 0.43643578, -0.21821789], [0, 0, 5]]}}],
  "objects": [{"id": 0, "kind": "camera", "fov": 0.8}, {"id": 1, "kind": "light", "type": 1}]}})";

Vector3 Row(const Json& node, std::size_t r) {
    const Json& row = node["transform"]["world"][r];
    return {row[0].get<float>(), row[1].get<float>(), row[2].get<float>()};
}

std::map<std::string, Json> NodesByName(const Json& host) {
    std::map<std::string, Json> nodes;
    for (const Json& node : host["scene"]["nodes"]) {
        nodes[node["name"].get<std::string>()] = node;
    }
    return nodes;
}

Json Imported(const std::filesystem::path& file) {
    ImportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    std::ostringstream out, err;
    EXPECT_EQ(RunImport(file, options, out, err), 0) << err.str();
    return Json::parse(out.str());
}

TEST(ViewRoundTrip, ViewsKeepWhereTheyLookAndTheirUp) {
    test::TempDir dir;
    test::WriteFile(dir / "host.json", {kViews, kViews + std::string_view(kViews).size()});
    ExportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.noPrompt = true;
    std::ostringstream err;
    ASSERT_EQ(RunExport(dir / "host.json", dir / "views.tvx", options, err), 0) << err.str();

    auto before = NodesByName(Json::parse(kViews)), after = NodesByName(Imported(dir / "views.tvx"));
    for (const char* name : {"RolledCamera", "RolledSpot", "LevelCamera"}) {
        SCOPED_TRACE(name);
        Json& node = before[name];
        node["transform"]["world"] = node["transform"]["local"];
        ASSERT_EQ(after.count(name), 1u);
        EXPECT_LE(Distance(-Row(after[name], 2), -Row(node, 2)), 1e-5f) << "forward";
        EXPECT_LE(Distance(Row(after[name], 1), Row(node, 1)), 1e-5f) << "up";
        EXPECT_LE(Distance(Row(after[name], 3), Row(node, 3)), 1e-4f) << "position";
    }

    // A level view is stored with the direction and up files have always
    // held for it: -z and y, in the file's Y-up axes.
    TVXScene stored;
    NoProgress progress;
    ASSERT_EQ(LoadScene(stored, dir / "views.tvx", progress, LoadOptions::AsStored()), 1);
    const Matrix4& level = stored.cameras.at(1).transform.matrix;
    EXPECT_TRUE(NearlyEqual(Vector3{level(0, 2), level(1, 2), level(2, 2)}, {0.87287156f, 0.21821789f, 0.43643578f}));
    EXPECT_TRUE(NearlyEqual(Vector3{level(0, 1), level(1, 1), level(2, 1)}, {0.4234049f, 0.10585122f, -0.89973541f}));
}

TEST(ViewRoundTrip, ViewsWithoutAWholeFrameAreRebuiltAroundTheirAxis) {
    const float c = 0.8660254f;
    const float s = 0.5f;
    const struct {
        const char* name;
        Vector3 x, y, z;               // as stored, in the file's Y-up axes
        Vector3 hostX, hostY, hostZ;  // as imported
    } cases[] = {
        {"Identity", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {"OtherHand", {c, s, 0}, {-s, c, 0}, {0, 0, 1}, {1, 0, 0}, {0, 0, -1}, {0, 1, 0}},
        {"Scaled", {2 * c, 2 * s, 0}, {-2 * s, 2 * c, 0}, {0, 0, -1}, {1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {"Whole", {c, s, 0}, {-s, c, 0}, {0, 0, -1}, {c, 0, s}, {-s, 0, c}, {0, -1, 0}},
    };
    TVXExporterData data;
    ASSERT_EQ(AllocCameras(data.scene, 4), 1);
    for (std::size_t i = 0; i < 4; ++i) {
        TVXCamera& camera = data.scene.cameras[i];
        camera.name = TVXString::FromUtf8(cases[i].name);
        const Vector3 columns[] = {cases[i].x, cases[i].y, cases[i].z};
        for (int col = 0; col < 3; ++col) {
            camera.transform.matrix(0, col) = columns[col].x;
            camera.transform.matrix(1, col) = columns[col].y;
            camera.transform.matrix(2, col) = columns[col].z;
        }
    }
    test::TempDir dir;
    ASSERT_EQ(SaveSceneFile(data, dir / "views.tvx"), 1);
    auto nodes = NodesByName(Imported(dir / "views.tvx"));
    for (const auto& k : cases) {
        EXPECT_TRUE(NearlyEqual(Row(nodes[k.name], 0), k.hostX)) << k.name;
        EXPECT_TRUE(NearlyEqual(Row(nodes[k.name], 1), k.hostY)) << k.name;
        EXPECT_TRUE(NearlyEqual(Row(nodes[k.name], 2), k.hostZ)) << k.name;
    }
}

}  // namespace
}  // namespace tvx::tool
