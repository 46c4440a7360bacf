// The mesh section: vertex layouts, polygons, UV sets, repeated parts and
// the counts derived after the fill.
#include <gtest/gtest.h>

#include "tests/fileformat/v34/Version34Records.h"

namespace tvx {
namespace {

using namespace test;

std::vector<int> Ints(std::span<const int> view) { return {view.begin(), view.end()}; }

Bytes MeshFile(const ChunkWriter& faceListParts, std::uint32_t flags = 0, const ChunkWriter& more = {}) {
    ChunkWriter sections;
    sections.Chunk(v34id::kMesh, MeshSection(1, FaceList(faceListParts))).Raw(more);
    return Version34File(sections, flags);
}

class Version34VertexLayout : public testing::TestWithParam<std::uint32_t> {};

TEST_P(Version34VertexLayout, KeepsPositionNormalColourAndWeightsOnly) {
    const std::uint32_t flags = GetParam();
    ChunkWriter vertices;
    vertices.I32(2);
    const auto part = [&](std::uint32_t flag, const ChunkWriter& bytes) {
        if (flags & flag) {
            vertices.Raw(bytes);
        }
    };
    for (int i = 0; i < 2; ++i) {
        vertices.Sequence(3, static_cast<float>(10 * i));
        part(0x01, ChunkWriter{}.Floats({-1, -1, -1}));
        part(0x04, ChunkWriter{}.Sequence(6, -10));
        part(0x02, ChunkWriter{}.Floats({0.5f, 0.25f, 0.125f, 0.0f}));
        part(0x08, ChunkWriter{}.I32(2).I32(i).F32(0.75f).I32(9).F32(0.25f));
    }
    const Loaded loaded = Parse(MeshFile(ChunkWriter{}.Chunk(v34id::kVertices, vertices), flags));
    ASSERT_EQ(loaded.status, kLoadOk);
    const TVXVertex& second = loaded.scene.vertices.at(1);
    EXPECT_EQ(second.position, (Vector3{10, 11, 12}));
    EXPECT_EQ(second.normal, (flags & 0x01 ? Vector3{-1, -1, -1} : Vector3{}));
    EXPECT_EQ(loaded.scene.vertexNormalsStored, (flags & 0x01) != 0);
    EXPECT_EQ(second.color, (flags & 0x02 ? RGBA{0.5f, 0.25f, 0.125f, 0.0f} : RGBA{1, 1, 1, 1}));
    EXPECT_EQ(loaded.scene.vertexColorsStored, (flags & 0x02) != 0);
    ASSERT_EQ(second.weights.size(), flags & 0x08 ? 2u : 0u);
    if (flags & 0x08) {
        EXPECT_EQ(second.weights[0].boneIndex, 1);
        EXPECT_EQ(second.weights[1].weight, 0.25f);
    }
}

INSTANTIATE_TEST_SUITE_P(Flags, Version34VertexLayout,
                         testing::Values(0x00u, 0x01u, 0x02u, 0x04u, 0x05u, 0x08u, 0x0Fu));

TEST(Version34Mesh, PolygonCornersAreFollowedByEachChannelsUVCorners) {
    ChunkWriter polygons;
    polygons.I32(1).I32(4).I32(2).I32(0).I32(3).I32(5);
    for (int base : {10, 30, 50}) {
        for (int k = 0; k < 4; ++k) {
            polygons.I32(base + k).I32(base + 10 + k);
        }
    }
    const Loaded loaded = Parse(MeshFile(ChunkWriter{}.Chunk(v34id::kPolygons, polygons)));
    ASSERT_EQ(loaded.status, kLoadOk);
    const TVXPolygon& polygon = loaded.scene.faceLists.at(0).polygons.at(0);
    EXPECT_EQ(polygon.groupIndex, 0);
    EXPECT_EQ(polygon.materialIndex, 3);
    EXPECT_EQ(polygon.smoothing, 5);
    ASSERT_EQ(polygon.uvChannelCount(), 2);
    EXPECT_EQ(Ints(polygon.vertexIndices()), (std::vector<int>{10, 11, 12, 13}));
    EXPECT_EQ(Ints(polygon.secondIndices()), (std::vector<int>{20, 21, 22, 23}));
    EXPECT_EQ(Ints(polygon.uvIndices(0)), (std::vector<int>{30, 31, 32, 33}));
    EXPECT_EQ(Ints(polygon.uvSecondIndices(1)), (std::vector<int>{60, 61, 62, 63}));
}

// A later, smaller occurrence sizes the array; the earlier one's surplus is
// dropped, not written past the end.
TEST(Version34Mesh, RepeatedSceneWidePartsTakeTheLastCount) {
    ChunkWriter first, second;
    first.Chunk(v34id::kVertices, PlainVertices(3)).Chunk(v34id::kTriangles, ChunkWriter{}.I32(3).Zeros(120));
    second.Chunk(v34id::kVertices, PlainVertices(2)).Chunk(v34id::kTriangles, ChunkWriter{}.I32(1).Zeros(40));
    ChunkWriter sections;
    sections.Chunk(v34id::kMesh, MeshSection(2, FaceList(first).Raw(FaceList(second))));
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.vertices.size(), 2u);
    EXPECT_EQ(loaded.scene.vertices[1].position, (Vector3{1, 1, 1}));
    EXPECT_EQ(loaded.scene.triangles.size(), 1u);
}

ChunkWriter UVSetsChunk(int declared, int present) {
    ChunkWriter uvSets;
    uvSets.I32(declared);
    for (int i = 0; i < present; ++i) {
        uvSets.Chunk(v34id::kUVSet, ChunkWriter{}.Str("u"));
    }
    return ChunkWriter{}.Chunk(v34id::kUVSets, uvSets);
}

struct BadMesh {
    const char* name;
    Bytes file;
};

class Version34BadMesh : public testing::TestWithParam<BadMesh> {};

TEST_P(Version34BadMesh, FailsTheLoad) { EXPECT_EQ(Parse(GetParam().file).status, kLoadFailed); }

INSTANTIATE_TEST_SUITE_P(
    Files, Version34BadMesh,
    testing::Values(
        BadMesh{"FaceListBeyondCount",
                Version34File(ChunkWriter{}.Chunk(v34id::kMesh, MeshSection(1, FaceList({}).Raw(FaceList({})))))},
        BadMesh{"UVSetBeyondCount", MeshFile(UVSetsChunk(1, 2))},
        BadMesh{"UVSetBeyondAnEarlierCount", MeshFile(UVSetsChunk(3, 3).Raw(UVSetsChunk(1, 1)))},
        BadMesh{"NegativeCorners",
                MeshFile(ChunkWriter{}.Chunk(v34id::kPolygons, ChunkWriter{}.I32(1).I32(-1).Zeros(16)))},
        BadMesh{"CornersPastTheBuffer",
                MeshFile(ChunkWriter{}.Chunk(v34id::kPolygons, ChunkWriter{}.I32(1).I32(1000).Zeros(16)))},
        BadMesh{"WeightsPastTheBuffer",
                MeshFile(ChunkWriter{}.Chunk(v34id::kVertices, ChunkWriter{}.I32(1).Zeros(12).I32(99)), 0x08)}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Version34Mesh, DerivedCountsIgnoreIndicesOutOfRange) {
    ChunkWriter vertices;
    vertices.I32(1).Zeros(12).I32(5);
    for (int bone : {0, 1, 1, 7, -1}) {
        vertices.I32(bone).F32(0.2f);
    }
    ChunkWriter polygons;
    polygons.I32(5);
    for (int material : {0, 1, 1, 5, -1}) {
        Polygon(polygons, 3, material);
    }
    ChunkWriter more;
    more.Chunk(v34id::kBones, BonesSection(2)).Chunk(v34id::kMaterials, MaterialsWithoutMaps(2));
    const Loaded loaded =
        Parse(MeshFile(ChunkWriter{}.Chunk(v34id::kVertices, vertices).Chunk(v34id::kPolygons, polygons), 0x08, more));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.bones[0].weightedVertexCount, 1);
    EXPECT_EQ(loaded.scene.bones[1].weightedVertexCount, 2);
    EXPECT_EQ(loaded.scene.materials[0].polygonCount, 1);
    EXPECT_EQ(loaded.scene.materials[1].polygonCount, 2);
}

}  // namespace
}  // namespace tvx
