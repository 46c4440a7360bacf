// The material section: every map kind's payload, duplicate keys, texture
// relinking and the current-directory change.
#include <gtest/gtest.h>

#include <functional>

#include "document/MaterialMaps.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx {
namespace {

using namespace test;

// A material with these maps, then a second one: reading it right proves
// the maps took exactly their bytes.
Bytes MaterialFile(int mapCount, const ChunkWriter& maps) {
    ChunkWriter records;
    MaterialHead(records, "First").I32(mapCount).Raw(maps);
    MaterialHead(records, "Next").I32(0);
    return Version34File(ChunkWriter{}.Chunk(v34id::kMaterials, Records(2, records)));
}

ChunkWriter MapHead(int key, int kind) {
    ChunkWriter map;
    map.I32(key).I32(kind).I32(0x100000).Sequence(9, 1.0f);
    return map;
}

struct PayloadCase {
    const char* name;
    int kind;
    ChunkWriter payload;
    std::function<void(const TVXMap&)> check;
};

class Version34MapPayload : public testing::TestWithParam<PayloadCase> {};

TEST_P(Version34MapPayload, IsStoredAndTakesExactlyItsBytes) {
    const PayloadCase& c = GetParam();
    ChunkWriter map = MapHead(2, c.kind);
    map.Raw(c.payload);
    const Loaded loaded = Parse(MaterialFile(1, map));
    ASSERT_EQ(loaded.status, kLoadOk);
    const TVXMaterial& material = loaded.scene.materials.at(0);
    EXPECT_EQ(material.colors[4].a, 20.0f);
    EXPECT_EQ(material.opacity, 0.5f);
    EXPECT_EQ(loaded.scene.materials.at(1).name.narrowView(), "Next");
    const TVXMap* stored = FindMap(material, 2);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->kind, c.kind);
    EXPECT_EQ(stored->flags, 0x100000);
    EXPECT_EQ(stored->tiling, (Vector3{4, 5, 6}));
    EXPECT_EQ(stored->angle.z, 9.0f);
    c.check(*stored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Kinds, Version34MapPayload, testing::Values(
    PayloadCase{"Bitmap", 1, ChunkWriter{}.Str("a.png").I32(11).Floats({1.5f, 2.5f}),
                [](const TVXMap& m) { EXPECT_EQ(m.fileName.narrowView(), "a.png"); EXPECT_EQ(m.float2, 2.5f); }},
    PayloadCase{"Kind2", 2, ChunkWriter{}.Str("a").I32(11).Floats({1, 2, 3, 4}).I32(12).I32(13),
                [](const TVXMap& m) { EXPECT_EQ(m.float4, 4.0f); EXPECT_EQ(m.int3, 13); }},
    PayloadCase{"Kind3", 3, ChunkWriter{}.Str("a").I32(11).Floats({1, 2}).I32(12),
                [](const TVXMap& m) { EXPECT_EQ(m.int2, 12); }},
    PayloadCase{"Layered", 4, ChunkWriter{}.I32(2).Str("e0").I32(1).I32(2).F32(0.5f).Str("e1").I32(3).I32(4).F32(0.25f),
                [](const TVXMap& m) { ASSERT_EQ(m.entries.size(), 2u); EXPECT_EQ(m.entries[1].weight, 0.25f); }},
    PayloadCase{"Cube", 5, ChunkWriter{}.Str("f1").Str("f2").Str("f3").Str("f4").Str("f5").Str("f6"),
                [](const TVXMap& m) { EXPECT_EQ(m.faceNames.at(5).narrowView(), "f6"); }},
    PayloadCase{"Kind6", 6, ChunkWriter{}.Str("a").I32(11), [](const TVXMap& m) { EXPECT_EQ(m.int1, 11); }},
    PayloadCase{"Kind7", 7, ChunkWriter{}.Str("a").I32(11), [](const TVXMap& m) { EXPECT_EQ(m.int1, 11); }},
    PayloadCase{"Unknown", 9, ChunkWriter{}, [](const TVXMap& m) { EXPECT_EQ(m.float1, 2.0f); }}),
    [](const auto& param) { return std::string(param.param.name); });
// clang-format on

TEST(Version34Materials, ADuplicateKeyWithinAMaterialFailsTheLoad) {
    ChunkWriter maps = MapHead(3, 9);
    maps.Raw(MapHead(3, 9));
    EXPECT_EQ(Parse(MaterialFile(2, maps)).status, kLoadFailed);
    ChunkWriter distinct = MapHead(3, 9);
    distinct.Raw(MapHead(1, 9));
    EXPECT_EQ(Parse(MaterialFile(2, distinct)).status, kLoadOk);
}

class Version34TextureRelinking : public testing::Test {
protected:
    void SetUp() override {
        startFolder = std::filesystem::current_path();
        WriteFile(dir / "wood.png", {1});
        WriteFile(elsewhere / "kept.png", {1});
        kept = (elsewhere / "kept.png").string();
    }
    void TearDown() override { std::filesystem::current_path(startFolder); }

    const TVXMaterial& Load(int mapCount, const ChunkWriter& maps) {
        const auto path = dir / "scene.tvx";
        WriteFile(path, MaterialFile(mapCount, maps));
        NoProgress progress;
        EXPECT_EQ(LoadScene(scene, path, progress, LoadOptions::AsStored()), kLoadOk);
        return scene.materials.at(0);
    }
    std::string InFolder(const char* name) const { return (dir / name).string(); }

    std::filesystem::path startFolder;
    TempDir dir, elsewhere;
    std::string kept;
    TVXScene scene;
};

TEST_F(Version34TextureRelinking, MissingNamesMoveToTheSceneFolderAndFoundOnesStay) {
    ChunkWriter maps = MapHead(0, 1);
    maps.Str("D:\\old\\wood.png").I32(0).Floats({0, 0});
    maps.Raw(MapHead(1, 1)).Str(kept).I32(0).Floats({0, 0});
    maps.Raw(MapHead(2, 4)).I32(3).Str("D:\\y\\wood.png").Zeros(12).Str(kept).Zeros(12).Str("").Zeros(12);
    maps.Raw(MapHead(3, 6)).Str("wood.png").I32(0);  // found relative to the scene folder
    const TVXMaterial& material = Load(4, maps);

    EXPECT_EQ(FindMap(material, 0)->fileName.ToUtf8(), InFolder("wood.png"));
    EXPECT_EQ(FindMap(material, 1)->fileName.ToUtf8(), kept);
    const TVXMap* layered = FindMap(material, 2);
    EXPECT_EQ(layered->entries[0].fileName.ToUtf8(), InFolder("wood.png"));
    EXPECT_EQ(layered->entries[1].fileName.ToUtf8(), kept);
    EXPECT_TRUE(layered->entries[2].fileName.empty());
    EXPECT_EQ(FindMap(material, 3)->fileName.ToUtf8(), "wood.png");
    EXPECT_EQ(std::filesystem::current_path(), dir.path());
}

TEST_F(Version34TextureRelinking, ACubeMapMovesAllSixFacesOrNone) {
    ChunkWriter maps = MapHead(0, 5);
    for (int i = 0; i < 5; ++i) {
        maps.Str(kept);
    }
    maps.Str("D:\\x\\gone.png");
    maps.Raw(MapHead(1, 5));
    for (int i = 0; i < 6; ++i) {
        maps.Str(kept);
    }
    const TVXMaterial& material = Load(2, maps);
    const TVXMap* broken = FindMap(material, 0);
    EXPECT_EQ(broken->faceNames[0].ToUtf8(), InFolder("kept.png"));
    EXPECT_EQ(broken->faceNames[5].ToUtf8(), InFolder("gone.png"));
    EXPECT_EQ(FindMap(material, 1)->faceNames[5].ToUtf8(), kept);
}

}  // namespace
}  // namespace tvx
