// tvx export: a host-scene file exported through the exporter library,
// loaded as the host loads it, with the flags answering its dialog.
#include <gtest/gtest.h>

#include <sstream>

#include "fileformat/container/LoadScene.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::tool {
namespace {

constexpr const char* kHostScene = R"({"format": "tvx-host-scene", "version": 1, "scene": {
  "nodes": [{"id": 0, "name": "Left", "object": 0}, {"id": 1, "name": "Right", "object": 0},
            {"id": 2, "name": "Lamp", "object": 1}],
  "objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]]},
              {"id": 1, "kind": "light", "type": 0}]}})";

class ExportCommand : public testing::Test {
protected:
    void SetUp() override {
        options.pluginFolder = TVX_PLUGIN_FOLDER;
        test::WriteFile(scene, std::vector<std::uint8_t>(kHostScene, kHostScene + std::string_view(kHostScene).size()));
    }

    int Run() {
        err.str("");
        return RunExport(scene, output, options, err);
    }

    TVXScene ReadBack() {
        TVXScene read;
        NoProgress progress;
        EXPECT_EQ(LoadScene(read, output, progress, LoadOptions::AsStored()), 1);
        return read;
    }

    test::TempDir dir;
    std::filesystem::path scene = dir / "host.json";
    std::filesystem::path output = dir / "out.tvx";
    ExportCommandOptions options;
    std::ostringstream err;
};

TEST_F(ExportCommand, FlagsAnswerTheDialog) {
    options.swap = false;
    options.legacy = true;
    ASSERT_EQ(Run(), 0) << err.str();
    EXPECT_NE(err.str().find("The file was successfully exported."), std::string::npos);
    // The progress bar shows as lines, each tenth once.
    EXPECT_NE(err.str().find("tvx: Saving...(please wait)\ntvx: Saving...(please wait) 25%\n"), std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("tvx: Saving...(please wait) 100%\n"), std::string::npos) << err.str();
    const TVXScene read = ReadBack();
    EXPECT_EQ(read.version, 9);
    EXPECT_EQ(read.vertices.at(2).position, (Vector3{0.0f, 0.0f, 1.0f})) << "not swapped";

    // Without the dialog and without flags the exporter's own options
    // hold: version 31, Y up.
    const ExportCommandOptions chosen = options;
    options = ExportCommandOptions{};
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.noPrompt = true;
    ASSERT_EQ(Run(), 0) << err.str();
    const TVXScene fresh = ReadBack();
    EXPECT_EQ(fresh.version, 31);
    EXPECT_EQ(fresh.vertices.at(2).position, (Vector3{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(fresh.lights.size(), 1u);

    // The flags hold without the dialog too, and only the export's own
    // message is told.
    options = chosen;
    options.noPrompt = true;
    ASSERT_EQ(Run(), 0) << err.str();
    EXPECT_EQ(ReadBack().version, 9);
    EXPECT_EQ(err.str().find("Error"), std::string::npos) << err.str();
}

TEST_F(ExportCommand, SelectedNodesAloneAreExported) {
    options.selectedOnly = true;
    options.selected = {"Right"};
    ASSERT_EQ(Run(), 0) << err.str();
    const TVXScene read = ReadBack();
    ASSERT_EQ(read.groups.size(), 1u);
    EXPECT_EQ(read.groups[0].name.ToUtf8(), "Right");
    EXPECT_TRUE(read.lights.empty());

    options.selected = {"Nobody"};
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(err.str().find("Nobody"), std::string::npos);
}

TEST_F(ExportCommand, FailuresGiveANonZeroStatus) {
    test::WriteFile(scene, {'{'});
    EXPECT_EQ(Run(), 1);
    EXPECT_FALSE(std::filesystem::exists(output));

    EXPECT_EQ(RunExport(dir / "missing.json", output, options, err), 1);

    SetUp();
    output = dir / "no-such-folder" / "out.tvx";
    EXPECT_EQ(Run(), 1);
    EXPECT_NE(err.str().find("There was an error creating the file."), std::string::npos);

    options.pluginFolder = dir.path();
    EXPECT_EQ(Run(), 2);
}

// Values no file could use are refused where they were found: the export
// fails, says what and where, and writes nothing.
TEST_F(ExportCommand, UnusableValuesAreRefusedNamingWhereTheyAre) {
    struct Case {
        const char* what;
        std::string scene;
        const char* expected;
    };
    const std::string head = R"({"format": "tvx-host-scene", "version": 1, "scene": {)";
    const std::string mesh = R"("objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]],
                                 "faces": [[0, 1, 2]]}])";
    const Case cases[] = {
        {"an infinite node transform",
         head + R"("nodes": [{"id": 0, "name": "Far", "object": 0, "transform": {"local":
                   [[1, 0, 0], [0, 1, 0], [0, 0, 1], [0, "Infinity", 0]]}}], )" + mesh + "}}",
         "node \"Far\": its object transform at tick 0 is inf, which is not finite"},
        {"a vast node transform",
         head + R"("nodes": [{"id": 0, "name": "Vast", "object": 0, "transform": {"local":
                   [[1e38, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]]}}], )" + mesh + "}}",
         "node \"Vast\": its object transform at tick 0 is 1e+38, beyond the largest value exported, 1e+30"},
        {"a texture coordinate that is not a number",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0}], "objects": [{"id": 0, "kind": "mesh",
                   "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]], "mapChannels": [{"channel": 1,
                   "vertices": [[0, 0, 0], ["NaN", 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}]}]}})",
         "node \"Box\", face 0: a texture coordinate is nan"},
        {"a material colour that is not a number",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0, "material": 0}], "materials": [{"id": 0,
                   "kind": "standard", "name": "Paint", "ambient": [0, "NaN", 0]}], )" + mesh + "}}",
         "material \"Paint\": the ambient colour is nan, which is not finite"},
        {"an infinite light multiplier",
         head + R"("nodes": [{"id": 0, "name": "Lamp", "object": 0}], "objects": [{"id": 0, "kind": "light",
                   "type": 0, "intensity": "Infinity"}]}})",
         "light \"Lamp\": its multiplier is inf, which is not finite"},
        {"a camera's infinite far distance",
         head + R"("nodes": [{"id": 0, "name": "Cam", "object": 0}], "objects": [{"id": 0, "kind": "camera",
                   "envRange": [1, "Infinity"]}]}})",
         "camera \"Cam\": its far distance is inf, which is not finite"},
        {"a vertex that is not a number under a finite transform",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0}], "objects": [{"id": 0, "kind": "mesh",
                   "vertices": [[0, 0, 0], ["NaN", 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]]}]}})",
         "node \"Box\", vertex 1: its position is nan, which is not finite"},
        {"a finite vertex that a finite transform takes beyond every float",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0, "transform": {"local":
                   [[1e20, 0, 0], [0, 1, 0], [0, 0, 1], [0, 0, 0]]}}], "objects": [{"id": 0, "kind": "mesh",
                   "vertices": [[0, 0, 0], [1e20, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]]}]}})",
         "node \"Box\", vertex 1: its position is inf, which is not finite"},
        {"a vertex colour beyond the largest value",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0}], "objects": [{"id": 0, "kind": "mesh",
                   "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]], "mapChannels": [{"channel": 0,
                   "vertices": [[1, 1, 1], [1, 1e35, 1], [1, 1, 1]], "faces": [[0, 1, 2]]}]}]}})",
         "node \"Box\", face 0: a vertex colour is 1e+35, beyond the largest value exported, 1e+30"},
        {"a vertex alpha that is not a number",
         head + R"("nodes": [{"id": 0, "name": "Box", "object": 0}], "objects": [{"id": 0, "kind": "mesh",
                   "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]], "mapChannels": [{"channel": -2,
                   "vertices": [[1, 1, 1], ["NaN", 0, 0], [1, 1, 1]], "faces": [[0, 1, 2]]}]}]}})",
         "node \"Box\", face 0: a vertex alpha is nan, which is not finite"},
        {"a range of thirteen million frames",
         head + R"("animation": {"range": [0, 2147483647]}, "nodes": [{"id": 0, "name": "Box", "object": 0}], )" +
             mesh + "}}",
         "holds 13421773 frames, more than the 100000 the exporter samples"},
    };
    // The exporter's own checks are reached only past the tool's price of
    // the scene.
    options.maxSceneBytes = std::uint64_t{1} << 40;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteFile(scene, std::vector<std::uint8_t>(c.scene.begin(), c.scene.end()));
        EXPECT_NE(Run(), 0);
        EXPECT_NE(err.str().find(c.expected), std::string::npos) << err.str();
        EXPECT_FALSE(std::filesystem::exists(output));
    }
    // Without the animation nothing is sampled, so the range is no matter.
    options.animation = false;
    EXPECT_EQ(Run(), 0) << err.str();
}

}  // namespace
}  // namespace tvx::tool
