#include "tools/tvx/Commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "tests/legacy/LegacyTestSupport.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/version34/Version34Records.h"

namespace tvx::tool {
namespace {

TEST(DumpCommand, FailedLoadsGiveStatusAndMessageOnly) {
    test::TempDir dir;
    test::Bytes notTvx = test::LegacyFile(31, test::Bytes(8, 0));
    notTvx[0] = 'X';
    test::WriteFile(dir / "bad.tvx", notTvx);

    const struct {
        std::filesystem::path file;
        int status;
        const char* message;
    } cases[] = {
        {dir / "missing.tvx", 8, "Could not open the file.  Try closing it first."},
        {dir / "bad.tvx", 5, "File is not a Tarvex file."},
    };
    for (const auto& c : cases) {
        std::ostringstream out;
        EXPECT_EQ(RunDump(c.file, {}, out), 1);
        const auto json = nlohmann::json::parse(out.str());
        EXPECT_EQ(json["status"], c.status);
        EXPECT_EQ(json["message"], c.message);
        EXPECT_FALSE(json.contains("scene"));
    }
}

TEST(InfoCommand, AFailedLoadSaysWhyAndExitsNonZero) {
    test::TempDir dir;
    test::WriteFile(dir / "old.tvx", test::LegacyFile(5));
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunInfo(dir / "old.tvx", {}, out, err), 1);
    EXPECT_NE(err.str().find("Older TVX file formats are not supported."), std::string::npos);
    EXPECT_NE(out.str().find("uncompressed, version 5"), std::string::npos);
}

TEST(DumpCommand, ALoadedSceneIsDumpedWhole) {
    test::TempDir dir;
    test::WriteFile(dir / "rich.tvx", test::RichScene(31).Compressed());
    std::ostringstream out;
    EXPECT_EQ(RunDump(dir / "rich.tvx", {}, out), 0);
    const auto json = nlohmann::json::parse(out.str());
    EXPECT_EQ(json["status"], 1);
    EXPECT_EQ(json["message"], "");
    EXPECT_EQ(json["scene"]["version"], 31);
    EXPECT_EQ(json["scene"]["lights"][0]["name"], "Sun");
    EXPECT_EQ(json["scene"]["bones"].size(), 2u);
}

TEST(InfoCommand, SummarisesNamesAndTextures) {
    test::TempDir dir;
    test::WriteFile(dir / "rich.tvx", test::RichScene(33).File());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunInfo(dir / "rich.tvx", {}, out, err), 0);
    const std::string text = out.str();
    for (const char* expected : {"layout:      version 33", "lights:      Sun", "bones:       Root, Tip",
                                 "Walk (frames", "tex.bmp", "groups:      G0, G1"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    }
    EXPECT_TRUE(err.str().empty());
}

TEST(ReadOptions, EmbeddedFilesAreWrittenOnlyWhenAsked) {
    test::TempDir dir;
    test::WriteFile(dir / "scene.tvx", test::RichFile());
    std::ostringstream out;
    ASSERT_EQ(RunDump(dir / "scene.tvx", {}, out), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "f.bin"));
    ASSERT_EQ(RunDump(dir / "scene.tvx", {.extractEmbeddedFiles = true}, out), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "f.bin"));
}

}  // namespace
}  // namespace tvx::tool
