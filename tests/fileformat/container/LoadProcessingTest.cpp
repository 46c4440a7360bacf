// A load prepares the scene for the importer unless asked not to, and the
// pose tables always describe the scene last loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "geometry/PoseTables.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"

namespace tvx {
namespace {

const std::filesystem::path kTriangle = std::filesystem::path(TVX_SOURCE_DIR) / "samples/triangle.tvx";

class Percentages : public LoadProgress {
public:
    void Start(std::string_view) override {}
    void Update(int percent) override { seen.push_back(percent); }
    void End() override { seen.push_back(-1); }
    std::vector<int> seen;
};

TEST(LoadProcessing, ALoadTurnsTheSceneAndFillsTheImportersPoseTables) {
    ImporterPoseTables().Release();
    TVXScene scene;
    Percentages progress;
    ASSERT_EQ(LoadScene(scene, kTriangle, progress), kLoadOk);
    EXPECT_EQ(progress.seen, (std::vector<int>{0, 25, 50})) << "the importer ends the bar";
    // The sample's apex stands 2 up along the file's y, which becomes the host's z.
    EXPECT_EQ(scene.vertices[2].position, (Vector3{0.0f, 0.0f, 2.0f}));
    EXPECT_EQ(ImporterPoseTables().bonePoses.size(), scene.bones.size());
    EXPECT_EQ(ImporterPoseTables().posedVertices.size(), scene.vertices.size());
}

TEST(LoadProcessing, AsStoredLeavesTheSceneAndTheTablesAlone) {
    PoseTables elsewhere;
    LoadOptions options;
    options.poseTables = &elsewhere;
    TVXScene scene;
    Percentages progress;
    ASSERT_EQ(LoadScene(scene, kTriangle, progress, options), kLoadOk);
    ASSERT_EQ(elsewhere.posedVertices.size(), 3u);

    ASSERT_EQ(LoadScene(scene, kTriangle, progress, LoadOptions::AsStored()), kLoadOk);
    EXPECT_EQ(scene.vertices[2].position, (Vector3{0.0f, 2.0f, 0.0f}));
    EXPECT_EQ(elsewhere.posedVertices.size(), 3u);
}

TEST(LoadProcessing, AFailedLoadEmptiesThePoseTables) {
    PoseTables tables;
    LoadOptions options;
    options.poseTables = &tables;
    TVXScene scene;
    Percentages progress;
    ASSERT_EQ(LoadScene(scene, kTriangle, progress, options), kLoadOk);

    test::TempDir dir;
    test::WriteFile(dir / "short.tvx", test::LegacyFile(31, test::Bytes(4, 0)));
    EXPECT_EQ(LoadScene(scene, dir / "short.tvx", progress, options), kLoadFailed);
    EXPECT_TRUE(tables.bonePoses.empty());
    EXPECT_TRUE(tables.posedVertices.empty());
}

}  // namespace
}  // namespace tvx
