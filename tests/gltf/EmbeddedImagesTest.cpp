// Images a glTF file holds inside itself have no file for a TVX texture to
// name; `tvx export` writes them beside the TVX file, never over another.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <nlohmann/json.hpp>

#include "tests/support/Base64.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = TVX_GLTF_DATA;

int Export(const fs::path& scene, const fs::path& output, std::string& messages) {
    tvx::tool::ExportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.noPrompt = true;
    std::ostringstream err;
    const int status = tvx::tool::RunExport(scene, output, options, err);
    messages = err.str();
    return status;
}

TEST(EmbeddedImages, ABufferViewImageIsWrittenBesideTheTvxFileOnce) {
    const tvx::test::TempDir dir;
    std::string messages;
    ASSERT_EQ(Export(kData / "BoxTextured/glTF-Binary/BoxTextured.glb", dir / "box.tvx", messages), 0) << messages;
    const fs::path image = dir / "BoxTextured_image0.png";
    // The binary file embeds the very image the text version names.
    EXPECT_EQ(tvx::test::ReadFile(image), tvx::test::ReadFile(kData / "BoxTextured/glTF/CesiumLogoFlat.png"));
    // Exporting again finds its own image there and is content.
    EXPECT_EQ(Export(kData / "BoxTextured/glTF-Binary/BoxTextured.glb", dir / "box.tvx", messages), 0) << messages;

    const std::vector<std::uint8_t> other = {'n', 'o', 't', ' ', 'i', 't'};
    tvx::test::WriteFile(image, other);
    EXPECT_EQ(Export(kData / "BoxTextured/glTF-Binary/BoxTextured.glb", dir / "box.tvx", messages), 1);
    EXPECT_NE(messages.find("holds another image"), std::string::npos) << messages;
    EXPECT_EQ(tvx::test::ReadFile(image), other);
}

TEST(EmbeddedImages, ADataUriImageIsNamedAfterTheImageWithoutItsFolders) {
    const tvx::test::TempDir dir;
    fs::copy(kData / "BoxTextured/glTF", dir.path());
    std::ifstream in(dir / "BoxTextured.gltf");
    nlohmann::json gltf = nlohmann::json::parse(in);
    const std::vector<std::uint8_t> png = tvx::test::ReadFile(TVX_SAMPLE_IMAGE);
    gltf["images"][0] = {{"uri", "data:image/png;base64," + tvx::test::Base64(png)}, {"name", "../up/brick"}};
    std::ofstream(dir / "inline.gltf") << gltf.dump();
    const fs::path out = dir / "out";
    fs::create_directory(out);
    std::string messages;
    ASSERT_EQ(Export(dir / "inline.gltf", out / "box.tvx", messages), 0) << messages;
    EXPECT_EQ(tvx::test::ReadFile(out / "brick.png"), png);
    EXPECT_FALSE(fs::exists(dir / "up"));
}

TEST(EmbeddedImages, AFailedExportWritesNoImage) {
    const tvx::test::TempDir dir;
    fs::create_directory(dir / "box.tvx");  // a folder where the file should go: the save fails
    std::string messages;
    EXPECT_NE(Export(kData / "BoxTextured/glTF-Binary/BoxTextured.glb", dir / "box.tvx", messages), 0);
    EXPECT_FALSE(fs::exists(dir / "BoxTextured_image0.png"));
}

}  // namespace
