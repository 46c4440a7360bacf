// Which texture names a load moves into the scene's folder, by version.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/TempDir.h"

namespace tvx::test {
namespace {

using S = LegacySection;
namespace fs = std::filesystem;

class LegacyTextureNames : public testing::Test {
protected:
    void SetUp() override {
        existing = (elsewhere / "tex.bmp").string();
        WriteFile(existing, {1});
        WriteFile(sceneDir / "local.bmp", {1});
    }
    void TearDown() override { fs::current_path(startDir); }

    // Loads a one-material scene from the scene folder.
    TVXScene Load(const LegacyFileBuilder& b) {
        TVXScene scene;
        NoProgress progress;
        const fs::path path = sceneDir / "scene.tvx";
        WriteFile(path, b.File());
        EXPECT_EQ(LoadScene(scene, path, progress, LoadOptions::AsStored()), kLoadOk);
        return scene;
    }
    std::string InScene(const std::string& bare) const { return (sceneDir.path() / bare).string(); }

    fs::path startDir = fs::current_path();
    TempDir sceneDir;
    TempDir elsewhere;
    std::string existing;
};

struct RelinkCase {
    int version;
    bool exists;
    bool relinked;
};

class LegacyRelinkByVersion : public LegacyTextureNames, public testing::WithParamInterface<RelinkCase> {};

TEST_P(LegacyRelinkByVersion, MovesNamesAsTheVersionDid) {
    const RelinkCase c = GetParam();
    const std::string stored = c.exists ? existing : "C:\\old\\tex.bmp";
    LegacyFileBuilder b(c.version);
    b.Begin(S::Materials, 1).MaterialHead("Mat", 1).BitmapMap(0, stored);
    const TVXScene scene = Load(b);
    const std::string name = scene.materials[0].mapSlots[0]->fileName.ToUtf8();
    EXPECT_EQ(name, c.relinked ? InScene("tex.bmp") : stored);
}

INSTANTIATE_TEST_SUITE_P(Versions, LegacyRelinkByVersion,
                         testing::Values(RelinkCase{9, true, true}, RelinkCase{10, true, false},
                                         RelinkCase{10, false, true}, RelinkCase{30, true, true},
                                         RelinkCase{31, true, true}, RelinkCase{32, true, true},
                                         RelinkCase{33, true, false}, RelinkCase{33, false, true}),
                         [](const auto& test) {
                             return "v" + std::to_string(test.param.version) +
                                    (test.param.exists ? "Existing" : "Missing");
                         });

// Names without a folder are looked up in the scene folder, which the load
// has made the current directory.
TEST_F(LegacyTextureNames, TheSceneFolderBecomesTheCurrentDirectory) {
    LegacyFileBuilder b(33);
    b.Begin(S::Materials, 1).MaterialHead("Mat", 1).BitmapMap(0, "local.bmp");
    const TVXScene scene = Load(b);
    EXPECT_EQ(fs::canonical(fs::current_path()), fs::canonical(sceneDir.path()));
    EXPECT_EQ(scene.materials[0].mapSlots[0]->fileName.narrowView(), "local.bmp");
}

TEST_F(LegacyTextureNames, CubeFacesMoveTogetherWhenOneIsMissing) {
    for (const bool oneMissing : {false, true}) {
        LegacyFileBuilder b(33);
        b.Begin(S::Materials, 1).MaterialHead("Mat", 1).MapHead(0, 5, 0);
        for (int face = 0; face < 6; ++face) {
            b.String(oneMissing && face == 4 ? "gone.bmp" : existing);
        }
        const TVXScene scene = Load(b);
        const TVXMap& cube = *scene.materials[0].mapSlots[0];
        EXPECT_EQ(cube.faceNames[0].ToUtf8(), oneMissing ? InScene("tex.bmp") : existing);
        EXPECT_EQ(cube.faceNames[4].ToUtf8(), oneMissing ? InScene("gone.bmp") : existing);
    }
}

TEST_F(LegacyTextureNames, LayeredEntriesAreJudgedOneByOne) {
    LegacyFileBuilder b(33);
    b.Begin(S::Materials, 1).MaterialHead("Mat", 1).MapHead(0, 4, 0).Int(3);
    for (const std::string& name : {existing, std::string(), std::string("D:\\a\\b.bmp")}) {
        b.String(name).Int(0).Int(0).Float(1);
    }
    const TVXScene scene = Load(b);
    const TVXMap& layered = *scene.materials[0].mapSlots[0];
    EXPECT_EQ(layered.entries[0].fileName.ToUtf8(), existing);
    EXPECT_EQ(layered.entries[1].fileName.ToUtf8(), InScene(""));
    EXPECT_EQ(layered.entries[2].fileName.ToUtf8(), InScene("b.bmp"));
}

}  // namespace
}  // namespace tvx::test
