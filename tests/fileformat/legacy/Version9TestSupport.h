// Shared by the version-9 writer tests: a document with something of every
// kind, the writer run into memory, and the legacy reader run over its bytes.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/MemoryOutputFile.h"

namespace tvx::test {

using Header9 = std::array<std::uint32_t, kVersion9HeaderWords>;

inline constexpr int kUnknownKind = 9;

struct Written9 {
    int result = 0;
    Header9 header{};
    std::vector<std::uint8_t> bytes;
};

inline Written9 Write9(TVXExporterData& data, std::uint64_t failAfter = UINT64_MAX) {
    Written9 out;
    MemoryOutputFile file(failAfter);
    out.result = WriteVersion9File(data, file, std::span(out.header));
    out.bytes = file.bytes();
    return out;
}

inline int Read9(const std::vector<std::uint8_t>& bytes, TVXScene& scene) {
    TVXFileReader reader(ByteBuffer::CopyOf(bytes));
    return ParseScene(reader, scene);
}

inline std::size_t At(int i) { return static_cast<std::size_t>(i); }

// A float per field, so a value read into the wrong field shows.
inline float Val(int n) { return 0.5f + static_cast<float>(n); }

inline void AddMaps(TVXMaterial& material) {
    ASSERT_EQ(AllocMapSlots(material, 9), 1);
    const int kinds[] = {1, 2, 3, 4, 5, 6, 7, kUnknownKind};
    for (int slot = 0; slot < 8; ++slot) {
        // Slot 4 stays empty: the writer skips it.
        TVXMap* map = CreateMap(material, slot < 4 ? slot : slot + 1, slot, kinds[slot]);
        ASSERT_NE(map, nullptr);
        map->flags = 0x40 + slot;
        map->fileName = TVXString::FromNarrow("C:\\art\\maps/tex" + std::to_string(slot) + ".bmp");
        map->int1 = 10 + slot;
        map->int2 = 20 + slot;
        map->int3 = 30 + slot;
        map->float1 = Val(1);
        map->float2 = Val(2);
        map->float3 = Val(3);
        map->float4 = Val(4);
    }
    TVXMap& layered = *material.mapSlots[3];
    ASSERT_EQ(AllocMapEntries(layered, 2), 1);
    layered.entries[1] = {TVXString::FromNarrow("D:/layers/top.tga"), 5, 6, 0.25f};
    TVXMap& cube = *material.mapSlots[5];
    cube.faceNames[0] = TVXString::FromNarrow("X:\\sky\\east.png");
    cube.faceNames[3] = TVXString::FromNarrow("north.png");
}

inline void AddMesh(TVXScene& scene) {
    ASSERT_EQ(AllocGroups(scene, 2), 1);
    scene.groups[0].name = TVXString::FromNarrow("Body");
    scene.groups[1].groupInt1 = 7;
    ASSERT_EQ(AllocVertices(scene, 3), 1);
    for (int i = 0; i < 3; ++i) {
        TVXVertex& vertex = scene.vertices[At(i)];
        vertex.position = {Val(i), Val(i + 1), Val(i + 2)};
        vertex.color = {0.1f, 0.2f, 0.3f, Val(i)};
        ASSERT_EQ(AllocWeights(vertex, i + 1), 1);
        for (int w = 0; w <= i; ++w) {
            vertex.weights[At(w)] = {w % 2, Val(w) / 4.0f};
        }
    }
    ASSERT_EQ(AllocUVSets(scene, 2), 1);
    for (TVXUVSet& set : scene.uvSets) {
        ASSERT_EQ(AllocUVCoords(set, 4), 1);
        for (int c = 0; c < 4; ++c) {
            set.coords[At(c)] = {0, Val(c) + static_cast<float>(&set - scene.uvSets.data()), -Val(c)};
        }
    }
    ASSERT_EQ(AllocFaceLists(scene, 2), 1);
    ASSERT_EQ(AllocPolygons(scene.faceLists[1], 2), 1);
    for (int p = 0; p < 2; ++p) {
        TVXPolygon& polygon = scene.faceLists[1].polygons[At(p)];
        ASSERT_EQ(polygon.AllocArrays(3 + p, 2, 0), 1);
        polygon.materialIndex = p == 0 ? 1 : -5;
        polygon.smoothing = 3 + p;
        for (int l = 0; l < 3 + p; ++l) {
            polygon.vertexIndices()[At(l)] = l % 3;
            polygon.uvIndices(0)[At(l)] = 3 - l;
            polygon.uvIndices(1)[At(l)] = l;
        }
    }
}

inline void AddSkeleton(TVXScene& scene) {
    ASSERT_EQ(AllocBones(scene, 2), 1);
    scene.bones[1].name = TVXString::FromNarrow("Tip");
    scene.bones[1].parentIndex = 0;
    scene.bones[1].transform.position = {1, 2, 3};
    scene.bones[1].transform.rotation = {0.5f, 0.5f, 0.5f, 0.5f};
    scene.bones[1].transform.scale = {2, 3, 4};
    scene.bones[1].color = {0.25f, 0.5f, 0.75f, 1};
    ASSERT_EQ(AllocAnimations(scene, 1), 1);
    TVXAnimation& walk = scene.animations[0];
    walk = {TVXString::FromNarrow("Walk"), 4, 1.0f, 30.0f, 25.0f, {}};
    ASSERT_EQ(AllocTracks(walk, 2), 1);
    TVXBoneTrack& track = walk.tracks[1];
    ASSERT_EQ(AllocPositionKeys(track, 2), 1);
    ASSERT_EQ(AllocRotationKeys(track, 1), 1);
    ASSERT_EQ(AllocScaleKeys(track, 1), 1);
    track.positionKeys[1] = {0.5f, {1, 2, 3}};
    track.rotationKeys[0] = {0.25f, {0, 0, 1, 0}};
    track.scaleKeys[0] = {0.75f, {1, 1, 2}};
}

// Every record kind, maps of every kind and an unknown one, an empty slot.
inline void FillRichScene(TVXScene& scene) {
    ASSERT_EQ(AllocLights(scene, 1), 1);
    ASSERT_EQ(AllocCameras(scene, 1), 1);
    ASSERT_EQ(AllocMaterials(scene, 2), 1);
    TVXMaterial& material = scene.materials[1];
    material.name = TVXString::FromNarrow("Painted");
    material.flags = kMaterialFlagTwoSided;
    for (int c = 0; c < 5; ++c) {
        material.colors[At(c)] = {Val(c), Val(c + 1), Val(c + 2), Val(c + 3)};
    }
    material.shininess = 64.0f;
    material.opacity = 0.5f;
    AddMaps(material);
    AddMesh(scene);
    AddSkeleton(scene);
}

}  // namespace tvx::test
