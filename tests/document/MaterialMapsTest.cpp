#include "document/MaterialMaps.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TVXMaterial MaterialWithSlots(int slots) {
    TVXMaterial material;
    EXPECT_EQ(AllocMapSlots(material, slots), 1);
    return material;
}

TEST(AllocMaterials, OnlyTheNameIsSet) {
    TVXScene scene;
    ASSERT_EQ(AllocMaterials(scene, 2), 1);
    const TVXMaterial& material = scene.materials[1];
    EXPECT_EQ(material.name.narrowView(), "Unassigned");
    EXPECT_TRUE(material.secondName.empty());
    EXPECT_EQ(material.flags, 0);
    EXPECT_EQ(material.shininess, 0.0f);
    EXPECT_EQ(material.opacity, 0.0f);
    EXPECT_EQ(material.colors[kColorSpecular], RGBA{});
    EXPECT_TRUE(material.mapSlots.empty());
}

TEST(MakeExportMaterial, StartsOpaqueAndFullyShiny) {
    const TVXMaterial material = MakeExportMaterial();
    EXPECT_EQ(material.flags, 1);
    EXPECT_EQ(material.shininess, 128.0f);
    EXPECT_EQ(material.opacity, 1.0f);
}

TEST(CreateMap, SetsTheCommonHeader) {
    TVXMaterial material = MaterialWithSlots(1);
    TVXMap* map = CreateMap(material, 0, kMapKeyBump, 3);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->key, kMapKeyBump);
    EXPECT_EQ(map->kind, 3);
    EXPECT_EQ(map->flags, 0x310000);
    EXPECT_EQ(map->offset, (Vector3{0, 0, 0}));
    EXPECT_EQ(map->tiling, (Vector3{1, 1, 1}));
    EXPECT_EQ(map->angle, (Vector3{0, 0, 0}));
}

struct KindDefaults {
    int kind;
    int int1, int2, int3;
    float float1, float2, float3, float4;
};

class CreateMapPayload : public testing::TestWithParam<KindDefaults> {};

TEST_P(CreateMapPayload, GivesTheKindsDefaults) {
    const KindDefaults expected = GetParam();
    TVXMaterial material = MaterialWithSlots(1);
    const TVXMap* map = CreateMap(material, 0, 0, expected.kind);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->kind, expected.kind);
    EXPECT_TRUE(map->fileName.empty());
    EXPECT_EQ(map->int1, expected.int1);
    EXPECT_EQ(map->int2, expected.int2);
    EXPECT_EQ(map->int3, expected.int3);
    EXPECT_EQ(map->float1, expected.float1);
    EXPECT_EQ(map->float2, expected.float2);
    EXPECT_EQ(map->float3, expected.float3);
    EXPECT_EQ(map->float4, expected.float4);
    EXPECT_TRUE(map->entries.empty());
    EXPECT_TRUE(map->faceNames.empty());
}

INSTANTIATE_TEST_SUITE_P(SingleFileKinds, CreateMapPayload,
                         testing::Values(KindDefaults{1, 0, 0, 0, 2.0f, 1.0f, 0, 0},
                                         KindDefaults{2, 0, 12895428, 0, 2.0f, 1.0f, 8.0f, 8.0f},
                                         KindDefaults{3, 0, 2, 0, 2.0f, 1.0f, 0, 0},
                                         KindDefaults{6, 256, 0, 0, 0, 0, 0, 0},
                                         KindDefaults{7, 0, 0, 0, 0, 0, 0, 0},
                                         // Unknown kinds take the kind-1 shape and keep their number.
                                         KindDefaults{9, 0, 0, 0, 2.0f, 1.0f, 0, 0},
                                         KindDefaults{0, 0, 0, 0, 2.0f, 1.0f, 0, 0},
                                         KindDefaults{-4, 0, 0, 0, 2.0f, 1.0f, 0, 0}));

TEST(CreateMap, LayeredAndCubeShapes) {
    TVXMaterial material = MaterialWithSlots(2);
    const TVXMap* layered = CreateMap(material, 0, 0, kMapKindLayered);
    ASSERT_NE(layered, nullptr);
    EXPECT_TRUE(layered->entries.empty());
    const TVXMap* cube = CreateMap(material, 1, 1, kMapKindCube);
    ASSERT_NE(cube, nullptr);
    ASSERT_EQ(cube->faceNames.size(), 6u);
    EXPECT_TRUE(cube->faceNames[5].empty());

    EXPECT_EQ(ShapeOfKind(4), TVXMapShape::Layered);
    EXPECT_EQ(ShapeOfKind(5), TVXMapShape::Cube);
    EXPECT_EQ(ShapeOfKind(2), TVXMapShape::SingleFile);
    EXPECT_EQ(ShapeOfKind(12), TVXMapShape::SingleFile);
    // In a file, though, an unknown kind stores nothing after its header.
    EXPECT_EQ(StoredPayloadOfKind(12), TVXMapPayload::None);
    EXPECT_EQ(StoredPayloadOfKind(0), TVXMapPayload::None);
    EXPECT_EQ(StoredPayloadOfKind(7), TVXMapPayload::SingleFile);
    EXPECT_EQ(StoredPayloadOfKind(4), TVXMapPayload::Layered);
}

TEST(CreateMap, RefusesADuplicateKeyAndBadSlots) {
    TVXMaterial material = MaterialWithSlots(3);
    ASSERT_NE(CreateMap(material, 0, kMapKeySpecular, 1), nullptr);
    EXPECT_EQ(CreateMap(material, 2, kMapKeySpecular, 2), nullptr);
    EXPECT_FALSE(material.mapSlots[2].has_value());
    EXPECT_EQ(CreateMap(material, 3, kMapKeyDiffuse, 1), nullptr);
    EXPECT_EQ(CreateMap(material, -1, kMapKeyDiffuse, 1), nullptr);

    TVXMaterial withoutSlots;
    EXPECT_EQ(CreateMap(withoutSlots, 0, kMapKeyDiffuse, 1), nullptr);
}

TEST(CreateMap, WithAKeySetRefusesRepeatsWithoutScanning) {
    TVXMaterial material = MaterialWithSlots(3);
    std::unordered_set<int> usedKeys;
    ASSERT_NE(CreateMap(material, 0, kMapKeyBump, 1, usedKeys), nullptr);
    ASSERT_NE(CreateMap(material, 1, kMapKeyDiffuse, 4, usedKeys), nullptr);
    EXPECT_EQ(CreateMap(material, 2, kMapKeyBump, 2, usedKeys), nullptr);
    EXPECT_FALSE(material.mapSlots[2].has_value());
    EXPECT_EQ(CreateMap(material, 3, kMapKeySpecular, 1, usedKeys), nullptr);
    EXPECT_EQ(usedKeys, (std::unordered_set<int>{kMapKeyBump, kMapKeyDiffuse}));
}

TEST(FindMap, ScansSlotsInOrderAndSkipsEmptyOnes) {
    TVXMaterial material = MaterialWithSlots(4);
    ASSERT_NE(CreateMap(material, 1, kMapKeyOpacity, 1), nullptr);
    ASSERT_NE(CreateMap(material, 3, kMapKeyDiffuse, kMapKindLayered), nullptr);

    const TVXMap* opacity = FindMap(material, kMapKeyOpacity);
    ASSERT_NE(opacity, nullptr);
    EXPECT_EQ(opacity, &*material.mapSlots[1]);
    EXPECT_EQ(FindMap(material, kMapKeyBump), nullptr);
    EXPECT_EQ(FindBitmap(material, kMapKeyOpacity), opacity);

    // Key 0 holds a layered map: no bitmap, but the layered lookup finds it.
    EXPECT_EQ(FindBitmap(material, kMapKeyDiffuse), nullptr);
    EXPECT_EQ(FindLayered(material), &*material.mapSlots[3]);
}

TEST(FindLayered, NeedsKindFourOnTheDiffuseKey) {
    TVXMaterial material = MaterialWithSlots(2);
    ASSERT_NE(CreateMap(material, 0, kMapKeyDiffuse, 1), nullptr);
    ASSERT_NE(CreateMap(material, 1, kMapKeyBump, kMapKindLayered), nullptr);
    EXPECT_EQ(FindLayered(material), nullptr);
    EXPECT_NE(FindBitmap(material, kMapKeyDiffuse), nullptr);
}

TEST(AllocMapEntries, CreatesWeightOneEntries) {
    TVXMaterial material = MaterialWithSlots(1);
    TVXMap* map = CreateMap(material, 0, 0, kMapKindLayered);
    ASSERT_NE(map, nullptr);
    ASSERT_EQ(AllocMapEntries(*map, 3), 1);
    ASSERT_EQ(map->entries.size(), 3u);
    EXPECT_EQ(map->entries[2].weight, 1.0f);
    EXPECT_EQ(map->entries[2].int1, 0);
    EXPECT_TRUE(map->entries[2].fileName.empty());
    EXPECT_EQ(AllocMapEntries(*map, 0), 0);
    EXPECT_EQ(map->entries.size(), 3u);
}

TEST(ReleaseMaps, DropsMapsAndSlots) {
    TVXMaterial material = MaterialWithSlots(2);
    ASSERT_NE(CreateMap(material, 0, 0, 1), nullptr);
    ReleaseMaps(material);
    EXPECT_TRUE(material.mapSlots.empty());
    EXPECT_EQ(FindMap(material, 0), nullptr);
    // A fresh slot table takes the same key again.
    ASSERT_EQ(AllocMapSlots(material, 1), 1);
    EXPECT_NE(CreateMap(material, 0, 0, 1), nullptr);
}

}  // namespace
}  // namespace tvx
