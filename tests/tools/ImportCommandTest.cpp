// tvx import: the importer library loaded as the host loads it, on a file of
// every layout family.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"
#include "tools/tvx/Commands.h"

namespace tvx::tool {
namespace {

ImportCommandOptions Defaults() {
    ImportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    return options;
}

TEST(ImportCommand, EveryLayoutFamilyBecomesAHostScene) {
    test::TempDir dir;
    const struct {
        const char* name;
        test::Bytes file;
    } files[] = {
        {"v34.tvx", test::RichFile()},
        {"v31.tvx", test::RichScene(31).File()},
        {"v10.tvx", test::RichScene(10).File()},
        {"compressed.tvx", test::RichScene(29).Compressed()},
    };
    for (const auto& f : files) {
        test::WriteFile(dir / f.name, f.file);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunImport(dir / f.name, Defaults(), out, err), 0) << f.name << ": " << err.str();
        const auto host = nlohmann::json::parse(out.str());
        EXPECT_EQ(host["format"], "tvx-host-scene");
        bool mesh = false;
        for (const auto& node : host["scene"]["nodes"]) {
            mesh = mesh || node["name"] == "TVXMesh";
        }
        EXPECT_TRUE(mesh) << f.name;
    }
}

TEST(ImportCommand, FlagsAnswerTheDialogAndFailuresSetTheStatus) {
    test::TempDir dir;
    test::WriteFile(dir / "rich.tvx", test::RichScene(31).File());
    ImportCommandOptions options = Defaults();
    options.bones = false;
    options.output = dir / "host.json";
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunImport(dir / "rich.tvx", options, out, err), 0) << err.str();
    EXPECT_TRUE(out.str().empty());
    const auto bytes = test::ReadFile(dir / "host.json");
    const auto host = nlohmann::json::parse(bytes.begin(), bytes.end());
    for (const auto& node : host["scene"]["nodes"]) {
        EXPECT_FALSE(node["boneOn"].get<bool>()) << node["name"];
    }

    std::ostringstream missingErr;
    EXPECT_EQ(RunImport(dir / "missing.tvx", Defaults(), out, missingErr), 1);
    EXPECT_NE(missingErr.str().find("Could not open the file."), std::string::npos);
    ImportCommandOptions toGltf = Defaults();
    toGltf.output = dir / "missing.glb";
    EXPECT_EQ(RunImport(dir / "missing.tvx", toGltf, out, missingErr), 1);
    EXPECT_FALSE(std::filesystem::exists(toGltf.output)) << "no glTF of a failed import";

    options.pluginFolder = dir.path();
    std::ostringstream noPlugin;
    EXPECT_EQ(RunImport(dir / "rich.tvx", options, out, noPlugin), 2);
    EXPECT_FALSE(noPlugin.str().empty());
}

// Reading a scene moves the process into the scene's folder (texture names
// are looked up there), so relative paths must not be taken after it.
TEST(ImportCommand, RelativePathsNameTheFoldersTheyWereGivenIn) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "scenes");
    test::WriteFile(dir / "scenes" / "rich.tvx", test::RichScene(31).File());
    std::filesystem::current_path(dir.path());
    ImportCommandOptions options = Defaults();
    options.output = "host.json";
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunImport("scenes/rich.tvx", options, out, err);
    std::filesystem::current_path(std::filesystem::temp_directory_path());  // dir goes away
    EXPECT_EQ(status, 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(dir / "host.json"));
}

}  // namespace
}  // namespace tvx::tool
