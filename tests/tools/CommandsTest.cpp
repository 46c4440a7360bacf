#include "tools/tvx/Commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "document/TVXScene.h"
#include "fileformat/container/LoadScene.h"
#include "tools/tvx/SceneJson.h"

#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"

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

// A body that stops inside a record: both verbs say which record and where.
TEST(InfoCommand, ABrokenBodyIsPlacedAndDumpSaysTheSame) {
    test::TempDir dir;
    test::LegacyFileBuilder b(31);
    b.Begin(test::LegacySection::Lights, 2).Light("Sun").Int(-1);
    test::WriteFile(dir / "cut.tvx", b.File());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunInfo(dir / "cut.tvx", {}, out, err), 1);
    EXPECT_NE(err.str().find("(status 0): bad string in light record at byte "), std::string::npos) << err.str();
    std::ostringstream dumped;
    EXPECT_EQ(RunDump(dir / "cut.tvx", {}, dumped), 1);
    const std::string fault = nlohmann::json::parse(dumped.str())["fault"];
    EXPECT_NE(err.str().find(fault), std::string::npos) << fault;
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

TEST(DumpCommand, ProcessedShowsTheImportersSceneWithItsPoseTables) {
    test::TempDir dir;
    test::WriteFile(dir / "rich.tvx", test::RichScene(31).Compressed());
    ReadOptions options;
    options.processed = true;
    std::ostringstream out;
    EXPECT_EQ(RunDump(dir / "rich.tvx", options, out), 0);
    const auto json = nlohmann::ordered_json::parse(out.str());
    const auto& scene = json["scene"];
    ASSERT_EQ(json["bonePoses"].size(), scene["bones"].size());
    ASSERT_EQ(json["posedVertices"].size(), scene["vertices"].size());
    EXPECT_EQ(scene["bones"][0]["worldMatrix"].size(), 16u);
    EXPECT_EQ(scene["bones"][0]["localMatrix"].size(), 16u);
    const std::vector<std::string> poseKeys{"worldPosition", "position",  "scale",           "rotation",
                                            "bindLocal",     "bindWorld", "inverseBindWorld", "poseLocal",
                                            "poseWorld",     "parentIndex", "length"};
    std::vector<std::string> keys;
    for (const auto& item : json["bonePoses"][0].items()) {
        keys.push_back(item.key());
    }
    EXPECT_EQ(keys, poseKeys);
    for (const auto& polygons : scene["faceLists"]) {
        for (const auto& polygon : polygons) {
            EXPECT_EQ(polygon["cornerCount"], 3);
        }
    }

    std::ostringstream plain;
    EXPECT_EQ(RunDump(dir / "rich.tvx", {}, plain), 0);
    EXPECT_FALSE(nlohmann::json::parse(plain.str()).contains("bonePoses"));
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

nlohmann::ordered_json LoadedSceneJson(const std::filesystem::path& file) {
    TVXScene scene;
    NoProgress progress;
    EXPECT_EQ(LoadScene(scene, file, progress, LoadOptions::AsStored()), 1) << file;
    return SceneJson(scene);
}

// What a version-31 save does not carry, taken out of a dump so the rest can
// be compared whole.
void DropWhatVersion31DoesNotCarry(nlohmann::ordered_json& scene) {
    for (const char* key : {"fileCounts", "triangles", "uvSets"}) {
        scene.erase(key);
    }
    for (auto& light : scene["lights"]) {
        light.erase("lightCode");
        auto& values = light["values"];  // values 3 and 4 are written as 0 and 1
        values.erase(values.begin() + 2, values.begin() + 4);
    }
    for (auto& camera : scene["cameras"]) {
        camera.erase("cameraInt1");
    }
    for (auto& group : scene["groups"]) {
        group.erase("groupInt1");
        group.erase("groupInt2");
        group.erase("transform");
    }
    for (auto& bone : scene["bones"]) {
        auto& t = bone["transform"];
        t = {{"position", t["position"]}, {"scale", t["scale"]}, {"rotation", t["rotation"]}};
    }
    for (auto& faceList : scene["faceLists"]) {
        for (auto& polygon : faceList) {
            polygon.erase("groupIndex");
            polygon.erase("secondIndices");
            polygon.erase("uvSecondIndices");
        }
    }
}

TEST(ConvertCommand, AVersion31SaveKeepsWhatItCarries) {
    test::TempDir dir;
    test::WriteFile(dir / "in.tvx", test::RichScene(33).Compressed());
    std::ostringstream err;
    ASSERT_EQ(RunConvert(dir / "in.tvx", dir / "out.tvx", {}, err), 0) << err.str();

    auto before = LoadedSceneJson(dir / "in.tvx");
    auto after = LoadedSceneJson(dir / "out.tvx");
    EXPECT_EQ(after["version"], 31);
    before.erase("version");
    after.erase("version");
    DropWhatVersion31DoesNotCarry(before);
    DropWhatVersion31DoesNotCarry(after);
    EXPECT_EQ(after.dump(1), before.dump(1));
}

TEST(ConvertCommand, LegacyLayoutAndOptions) {
    test::TempDir dir;
    test::WriteFile(dir / "in.tvx", test::RichFile());
    std::ostringstream err;
    ConvertOptions options;
    options.legacyLayout = true;
    options.bones = false;
    ASSERT_EQ(RunConvert(dir / "in.tvx", dir / "old.tvx", options, err), 0) << err.str();
    const auto scene = LoadedSceneJson(dir / "old.tvx");
    EXPECT_EQ(scene["version"], 9);
    EXPECT_TRUE(scene["bones"].empty());
    EXPECT_TRUE(scene["lights"].empty());
    EXPECT_EQ(scene["materials"][0]["name"], "M");
}

TEST(ConvertCommand, AnUnreadableInputWritesNothing) {
    test::TempDir dir;
    test::WriteFile(dir / "in.tvx", test::LegacyFile(5));
    std::ostringstream err;
    EXPECT_EQ(RunConvert(dir / "in.tvx", dir / "out.tvx", {}, err), 1);
    EXPECT_NE(err.str().find("Older TVX file formats are not supported."), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.tvx"));
}

}  // namespace
}  // namespace tvx::tool
