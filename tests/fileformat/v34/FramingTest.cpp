// Chunk framing, the directory, the two passes and the counts between them.
#include <gtest/gtest.h>

#include "fileformat/container/LayoutReaders.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx {
namespace {

using namespace test;

TEST(Version34Framing, UnknownIdsAreSkippedAtEveryLevel) {
    ChunkWriter uvSet;
    uvSet.Str("ignored").Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(5));
    uvSet.Chunk(v34id::kUVCoords, ChunkWriter{}.I32(1).I32(3).Floats({0.25f, 0.75f}));
    uvSet.Chunk(v34id::kUVTriangles, ChunkWriter{}.I32(1).Sequence(10, 1));
    ChunkWriter uvSets;
    uvSets.I32(1).Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(3)).Chunk(v34id::kUVSet, uvSet);
    ChunkWriter parts;
    parts.Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(7)).Chunk(v34id::kVertices, PlainVertices(2));
    parts.Chunk(v34id::kUVSets, uvSets);
    ChunkWriter meshChunks;
    meshChunks.Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(9)).Raw(FaceList(parts));
    ChunkWriter sections;
    sections.Chunk(v34id::kUnused, ChunkWriter{}.I32(5)).Chunk(v34id::kUnknown).Raw(OneGroup());
    sections.Chunk(v34id::kMesh, MeshSection(1, meshChunks));

    const Loaded loaded = Parse(Version34File(sections, 0, {{v34id::kUnused, 1}, {0x12345678u, 2}, {v34id::kMesh, 3}}));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.groups[0].name.narrowView(), "G");
    EXPECT_EQ(loaded.scene.vertices.size(), 2u);
    ASSERT_EQ(loaded.scene.uvSets.size(), 1u);
    EXPECT_EQ(loaded.scene.uvSets[0].name.narrowView(), "UVSet1");  // the stored name is not kept
    ASSERT_EQ(loaded.scene.uvSets[0].coords.size(), 1u);
    EXPECT_EQ(loaded.scene.uvSets[0].coords[0].tag, 3);
    EXPECT_EQ(loaded.scene.uvSets[0].coords[0].v, 0.75f);
    EXPECT_EQ(loaded.scene.uvSets[0].triangles.at(0).value, 10.0f);
}

TEST(Version34Framing, ABodyLongerThanItsRecordsIsSkippedAndOneShorterIsNotReread) {
    ChunkWriter group;
    Group(group, "G");
    ChunkWriter sections;
    sections.Chunk(v34id::kGroups, Records(1, group).Zeros(20));
    // The stored size ends inside the bone record: the reader finishes the
    // record and carries on from there.
    sections.Chunk(v34id::kBones, BonesSection(1), -30).Chunk(v34id::kLights, Records(0, {}));
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.groups.size(), 1u);
    ASSERT_EQ(loaded.scene.bones.size(), 1u);
    EXPECT_EQ(loaded.scene.bones[0].color.a, 0.4f);
}

ChunkWriter NameListAndTriangles() {
    ChunkWriter triangles;
    triangles.I32(1).Zeros(40);
    ChunkWriter parts;
    parts.Chunk(v34id::kTriangles, triangles);
    ChunkWriter sections;
    sections.Chunk(v34id::kNameList, ChunkWriter{}.I32(1).Str("n"))
        .Chunk(v34id::kMesh, MeshSection(0, FaceList(parts)));
    return sections;
}

ChunkWriter TwoBonesClaimedOneWritten() {
    ChunkWriter bone;
    Bone(bone, "B", -1);
    return ChunkWriter{}.Chunk(v34id::kBones, Records(2, bone));
}

Bytes WithTail(ChunkWriter sections, const ChunkWriter& tail) { return Version34File(sections.Raw(tail)); }

struct FailingFile {
    const char* name;
    Bytes file;
};

class Version34Rejects : public testing::TestWithParam<FailingFile> {};

TEST_P(Version34Rejects, WithStatusZero) { EXPECT_EQ(Parse(GetParam().file).status, kLoadFailed); }

INSTANTIATE_TEST_SUITE_P(
    Files, Version34Rejects,
    testing::Values(
        FailingFile{"SectionBeforeDirectory", ChunkedFile(OneGroup().Raw(ChunkWriter{}.Zeros(80)).bytes())},
        FailingFile{"OnlyNamesAndTriangles", Version34File(NameListAndTriangles())},
        FailingFile{"NegativeCountsOnly", Version34File(ChunkWriter{}.Chunk(v34id::kLights, Records(-1, {})))},
        FailingFile{"ChunkPastTheBuffer", WithTail(OneGroup(), ChunkWriter{}.U32(v34id::kUnknown).U32(100))},
        FailingFile{"PartialChunkHead", WithTail(OneGroup(), ChunkWriter{}.U32(v34id::kUnknown))},
        FailingFile{"ShortRecord", Version34File(TwoBonesClaimedOneWritten())}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(Version34Framing, ADirectoryOfPartialEntriesDoesNotShiftTheSections) {
    ChunkWriter body;
    body.Chunk(v34id::kDirectory, ChunkWriter{}.U32(v34id::kGroups).U32(0).U32(v34id::kMesh)).Raw(OneGroup());
    body.Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(40));
    EXPECT_EQ(Parse(ChunkedFile(body.bytes())).status, kLoadOk);
}

TEST(Version34Framing, MissingGroupsAndUVSetsGetTheirDefaults) {
    ChunkWriter sections;
    sections.Chunk(v34id::kMesh, MeshSection(1, FaceList(ChunkWriter{}.Chunk(v34id::kVertices, PlainVertices(1)))));
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    ASSERT_EQ(loaded.scene.groups.size(), 1u);
    EXPECT_EQ(loaded.scene.groups[0].name.narrowView(), "Unassigned");
    ASSERT_EQ(loaded.scene.uvSets.size(), 2u);
    EXPECT_EQ(loaded.scene.uvSets[1].name.narrowView(), "UVSet2");
    EXPECT_EQ(loaded.scene.fileCounts.groupCount, 1);
    EXPECT_EQ(loaded.scene.fileCounts.uvSetCount, 2);
}

TEST(Version34Framing, DeclaredFaceListAndUVSetCountsAreBoundedByTheirChunks) {
    ChunkWriter uvSets;
    uvSets.I32(0x7FFFFFFF).Chunk(v34id::kUVSet, ChunkWriter{}.Str("u"));
    ChunkWriter sections;
    sections.Chunk(v34id::kMesh, MeshSection(0x7FFFFFFF, FaceList(ChunkWriter{}.Chunk(v34id::kUVSets, uvSets))));
    ChunkWriter groups;
    Group(Group(Group(groups, "a"), "b"), "c");
    sections.Chunk(v34id::kGroups, Records(3, groups));
    const Loaded loaded = Parse(Version34File(sections));
    ASSERT_EQ(loaded.status, kLoadOk);
    EXPECT_EQ(loaded.scene.faceLists.size(), 3u);  // one per group
    EXPECT_EQ(loaded.scene.uvSets.size(), 2u);
}

}  // namespace
}  // namespace tvx
