// Materials and their maps in the entry forms of 6..30 and 31..33, and the
// duplicate-key rule.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/LegacyTestSupport.h"

namespace tvx::test {
namespace {

using S = LegacySection;

// Parses a file whose one material was written by `writeMaps`; the material
// is followed by a bone so a misread payload shows.
template <class WriteMaps>
TVXScene LoadMaterial(int version, int mapCount, WriteMaps writeMaps) {
    LegacyFileBuilder b(version);
    b.Begin(S::Materials, 1).MaterialHead("Mat", mapCount);
    writeMaps(b);
    b.Begin(S::Bones, 1).Bone("After", -1);
    TVXScene scene;
    EXPECT_EQ(Parse(b.File(), scene), kLoadOk);
    EXPECT_EQ(scene.bones.size(), 1u);
    return scene;
}

const TVXMap& MapAt(const TVXScene& scene, int slot) { return *scene.materials.at(0).mapSlots.at(Index(slot)); }

TEST(LegacyOldMapEntry, SingleFileKindsTakeTheirFlagsFromThePayloadExceptKind2) {
    const TVXScene scene = LoadMaterial(30, 3, [](LegacyFileBuilder& b) {
        b.BitmapMap(0, "a.bmp");
        b.MapHead(1, 2, 0x40).Int(0x41).String("b.bmp").Int(1).Floats({2, 3, 4, 5}).Int(6).Int(7);
        b.MapHead(2, 9, 0x40);  // an unknown kind has no payload
    });
    const TVXMaterial& material = scene.materials[0];
    EXPECT_EQ(material.colors[kColorSlot5], (RGBA{17, 18, 19, 20}));
    EXPECT_EQ(material.opacity, 22.0f);
    const TVXMap& bitmap = MapAt(scene, 0);
    EXPECT_EQ(bitmap.flags, 0x41);
    EXPECT_EQ(bitmap.float2, 0.25f);
    const TVXMap& kind2 = MapAt(scene, 1);
    EXPECT_EQ(kind2.flags, 0x40 | 0x10000 | 0x100000 | 0x200000);
    EXPECT_EQ(kind2.float4, 5.0f);
    EXPECT_EQ(kind2.int3, 7);
    EXPECT_EQ(MapAt(scene, 2).kind, 9);
    EXPECT_EQ(MapAt(scene, 2).flags, 0x310040);
}

TEST(LegacyOldMapEntry, LayeredMapReadsThreeEntriesFieldByField) {
    const TVXScene scene = LoadMaterial(30, 1, [](LegacyFileBuilder& b) {
        b.MapHead(0, 4, 0).Int(0x5).String("x").String("").String("z");
        b.Int(1).Int(2).Int(3).Int(4).Int(5).Int(6).Int(-1).Int(-1).Int(-1).Floats({0.1f, 0.2f, 0.3f});
    });
    const TVXMap& map = MapAt(scene, 0);
    EXPECT_EQ(map.flags, 0x5);
    ASSERT_EQ(map.entries.size(), 3u);
    EXPECT_EQ(map.entries[2].int1, 3);
    EXPECT_EQ(map.entries[0].int2, 4);
    EXPECT_EQ(map.entries[1].weight, 0.2f);
    EXPECT_EQ(map.entries[2].fileName.narrowView(), "z");
}

TEST(LegacyOldMapEntry, CubeMapReadsAMaskAndSixNames) {
    const TVXScene scene = LoadMaterial(9, 1, [](LegacyFileBuilder& b) {
        b.MapHead(0, 5, 0).Int(0x3F);
        for (const char* name : {"1", "2", "3", "4", "5", "6"}) {
            b.String(name);
        }
    });
    EXPECT_EQ(MapAt(scene, 0).flags, 0x3F);
    EXPECT_EQ(MapAt(scene, 0).faceNames[5].narrowView(), "6");
}

TEST(LegacyNewMapEntry, StoresFlagsAndVectorsAsRead) {
    const TVXScene scene = LoadMaterial(31, 3, [](LegacyFileBuilder& b) {
        b.BitmapMap(0, "a.bmp");
        b.MapHead(1, 3, 0x7).String("c.bmp").Int(1).Floats({2, 3}).Int(4);
        b.MapHead(2, 6, 0).String("f.bmp").Int(5);
    });
    const TVXMap& bitmap = MapAt(scene, 0);
    EXPECT_EQ(bitmap.flags, 0x40);
    EXPECT_EQ(bitmap.offset, (Vector3{1, 2, 3}));
    EXPECT_EQ(bitmap.angle, (Vector3{7, 8, 9}));
    EXPECT_EQ(MapAt(scene, 1).flags, 0x7);
    EXPECT_EQ(MapAt(scene, 1).int2, 4);
    EXPECT_EQ(MapAt(scene, 2).int1, 5);
}

TEST(LegacyNewMapEntry, LayeredMapHasItsStoredEntriesOrThreeDefaults) {
    const TVXScene scene = LoadMaterial(31, 2, [](LegacyFileBuilder& b) {
        b.MapHead(0, 4, 0).Int(2).String("p").Int(1).Int(2).Float(0.5f).String("q").Int(3).Int(4).Float(0.75f);
        b.MapHead(1, 4, 0).Int(0);
    });
    ASSERT_EQ(MapAt(scene, 0).entries.size(), 2u);
    EXPECT_EQ(MapAt(scene, 0).entries[1].int2, 4);
    EXPECT_EQ(MapAt(scene, 0).entries[1].weight, 0.75f);
    const TVXMap& empty = MapAt(scene, 1);
    ASSERT_EQ(empty.entries.size(), 3u);
    EXPECT_EQ(empty.entries[2].weight, 1.0f);
    EXPECT_TRUE(empty.entries[2].fileName.empty());
}

TEST(LegacyMapKeys, ARepeatedKeyInOneMaterialFailsTheLoad) {
    LegacyFileBuilder b(31);
    b.Begin(S::Materials, 1).MaterialHead("Mat", 2).BitmapMap(3, "a").BitmapMap(3, "b");
    EXPECT_EQ(Parse(b.File()), kLoadFailed);
}

TEST(LegacyMapKeys, KeysRepeatFreelyAcrossMaterials) {
    LegacyFileBuilder b(31);
    b.Begin(S::Materials, 2).MaterialHead("A", 1).BitmapMap(3, "a").MaterialHead("B", 1).BitmapMap(3, "b");
    EXPECT_EQ(Parse(b.File()), kLoadOk);
}

// The duplicate test goes through one key set per material, so 50,000 maps
// cost 50,000 lookups rather than a scan of the slots for each.
TEST(LegacyMapKeys, AMaterialWithManyMapsIsReadInLinearTime) {
    constexpr int kMaps = 50000;
    for (const bool repeatLast : {false, true}) {
        LegacyFileBuilder b(30);
        b.Begin(S::Materials, 1).MaterialHead("Many", kMaps);
        for (int key = 0; key < kMaps; ++key) {
            b.MapHead(repeatLast && key == kMaps - 1 ? 0 : key, 99, 0);
        }
        TVXScene scene;
        ASSERT_EQ(Parse(b.File(), scene), repeatLast ? kLoadFailed : kLoadOk);
        if (!repeatLast) {
            EXPECT_EQ(MapAt(scene, kMaps - 1).key, kMaps - 1);
        }
    }
}

}  // namespace
}  // namespace tvx::test
