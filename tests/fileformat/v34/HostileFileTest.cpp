// Whole files under attack: every truncation, every failed allocation, and
// counts that claim far more than the file holds. Linked with the
// allocation limiter.
#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "tests/support/AllocationLimit.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx {
namespace {

using namespace test;

TEST(Version34WholeFile, TheRichFileLoadsAndItsCompressedFormLoadsTheSame) {
    const Loaded plain = Parse(RichFile());
    ASSERT_EQ(plain.status, kLoadOk);
    EXPECT_EQ(plain.scene.fileCounts, (TVXFileCounts{1, 1, 1, 1, 2, 1, 1, 1, 2, 1, 1}));
    EXPECT_EQ(plain.scene.faceLists[0].polygons[1].uvChannelCount(), 1);
    EXPECT_EQ(plain.scene.animations[0].tracks[1].positionKeys[0].time, 1.0f);

    const Loaded packed = Parse(CompressedFile(34, RichFile()));
    ASSERT_EQ(packed.status, kLoadOk);
    EXPECT_EQ(packed.scene.fileCounts, plain.scene.fileCounts);
    EXPECT_EQ(packed.scene.vertices[1].color, plain.scene.vertices[1].color);
    EXPECT_EQ(packed.scene.materials[0].mapSlots[2]->faceNames[5], plain.scene.materials[0].mapSlots[2]->faceNames[5]);
}

// A cut at a chunk boundary leaves a shorter file that is still whole; a cut
// anywhere else must fail. The length word is patched so the container lets
// every cut through to the reader.
TEST(Version34WholeFile, EveryTruncationFailsUnlessItEndsAtAChunk) {
    std::set<std::size_t> chunkStarts;
    const Bytes file = RichFile(&chunkStarts);
    for (std::size_t size = 128; size < file.size(); ++size) {
        Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        PatchWord(cut, 12, static_cast<std::uint32_t>(size));
        const int status = Parse(cut).status;
        if (chunkStarts.contains(size)) {
            EXPECT_TRUE(status == kLoadOk || status == kLoadFailed) << "cut at " << size;
        } else {
            EXPECT_EQ(status, kLoadFailed) << "cut at " << size;
        }
    }
}

// Under the sanitizers this proves that no single corrupt byte reaches
// outside the buffer or an array.
TEST(Version34WholeFile, EveryPatchedByteEndsInAStatus) {
    const Bytes file = RichFile();
    for (std::size_t at = 48; at < file.size(); ++at) {
        for (int value : {0x00, 0x7F, 0x80, 0xFF}) {
            Bytes patched = file;
            patched[at] = static_cast<std::uint8_t>(value);
            const int status = Parse(patched).status;
            EXPECT_TRUE(status == kLoadOk || status == kLoadFailed) << "byte " << at;
        }
    }
}

TEST(Version34WholeFile, EveryFailedAllocationFailsTheLoad) {
    const Bytes file = RichFile();
    for (long failAfter = 0;; ++failAfter) {
        int status = -1;
        bool failed = false;
        {
            AllocationLimit limit(std::numeric_limits<std::size_t>::max(), failAfter);
            status = Parse(file).status;
            failed = limit.anyFailed();
        }
        if (!failed) {
            EXPECT_EQ(status, kLoadOk);
            break;
        }
        ASSERT_EQ(status, kLoadFailed) << "allocation " << failAfter;
    }
}

struct Claim {
    const char* name;
    Bytes file;
};

Bytes MeshClaim(const ChunkWriter& parts) {
    ChunkWriter sections = OneGroup();
    sections.Chunk(v34id::kMesh, MeshSection(1, FaceList(parts)));
    return Version34File(sections, kAllParts);
}

Bytes MaterialClaim(const ChunkWriter& maps) {
    ChunkWriter records;
    MaterialHead(records, "M").Raw(maps);
    return Version34File(ChunkWriter{}.Chunk(v34id::kMaterials, Records(1, records)));
}

Bytes AnimationClaim(const ChunkWriter& tracks) {
    ChunkWriter animations;
    AnimationHead(animations.I32(1), "A", 1).Raw(tracks);
    return Version34File(ChunkWriter{}.Chunk(v34id::kBones, BonesSection(1)).Chunk(v34id::kAnimations, animations));
}

constexpr int kHuge = 0x7FFFFFFF;

ChunkWriter UVSetWithCoords(int count) {
    ChunkWriter uvSet;
    uvSet.Str("u").Chunk(v34id::kUVCoords, ChunkWriter{}.I32(count));
    return ChunkWriter{}.Chunk(v34id::kUVSets, ChunkWriter{}.I32(1).Chunk(v34id::kUVSet, uvSet));
}

class Version34HugeClaim : public testing::TestWithParam<Claim> {};

TEST_P(Version34HugeClaim, AllocatesOnlyWhatTheBytesBack) {
    int status = -1;
    std::size_t largest = 0;
    {
        AllocationLimit limit(1 << 20);
        status = Parse(GetParam().file).status;
        largest = limit.largestRequest();
    }
    EXPECT_EQ(status, kLoadFailed);
    EXPECT_LT(largest, 64u * 1024);
}

INSTANTIATE_TEST_SUITE_P(
    Files, Version34HugeClaim,
    testing::Values(
        Claim{"Polygons", MeshClaim(ChunkWriter{}.Chunk(v34id::kPolygons, ChunkWriter{}.I32(kHuge)))},
        Claim{"Corners", MeshClaim(ChunkWriter{}.Chunk(v34id::kPolygons,
                                                       ChunkWriter{}.I32(1).I32(1 << 28).I32(1 << 28).Zeros(12)))},
        Claim{"Weights", MeshClaim(ChunkWriter{}.Chunk(v34id::kVertices, ChunkWriter{}.I32(1).Zeros(64).I32(kHuge)))},
        Claim{"UVCoords", MeshClaim(UVSetWithCoords(kHuge))},
        Claim{"Keys", AnimationClaim(ChunkWriter{}.I32(kHuge))},
        Claim{"MapSlots", MaterialClaim(ChunkWriter{}.I32(kHuge))},
        Claim{"MapEntries", MaterialClaim(ChunkWriter{}.I32(1).I32(0).I32(4).Zeros(40).I32(kHuge))}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tvx
