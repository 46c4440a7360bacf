// A file may not ask for document memory, or inflate to bytes, out of all
// proportion to its size, however honestly its bytes back the counts.
#include "fileformat/container/MemoryBudget.h"

#include <gtest/gtest.h>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/HostileFiles.h"

namespace tvx {
namespace {

struct Outcome {
    int status = -1;
    LoadLimit limit = LoadLimit::None;
};

Outcome Load(const test::Bytes& file, std::uint64_t maxInflatedBytes = kDefaultMaxInflatedBytes) {
    Outcome outcome;
    LoadOptions options;
    options.maxInflatedBytes = maxInflatedBytes;
    options.limitHit = &outcome.limit;
    TVXScene scene;
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    outcome.status = ParseScene(reader, scene, options);
    return outcome;
}

TEST(MemoryBudget, FloodsOfTinyRecordsAreRefused) {
    // 450 KB of groups would need about 140 MB.
    const Outcome groups = Load(test::FloodOfEmptyGroups(150000));
    EXPECT_EQ(groups.status, kLoadFailed);
    EXPECT_EQ(groups.limit, LoadLimit::DocumentMemory);
    // Six empty face names: 72 bytes in the file, almost 6 KB in memory.
    EXPECT_EQ(Load(test::FloodOfCubeMaps(30000)).limit, LoadLimit::DocumentMemory);
    EXPECT_EQ(Load(test::FloodOfLayeredEntries(400000)).limit, LoadLimit::DocumentMemory);
}

TEST(MemoryBudget, ManyRecordsOfAnOrdinaryFileStillLoad) {
    for (const test::Bytes& file :
         {test::FloodOfEmptyGroups(20000), test::FloodOfCubeMaps(200), test::FloodOfLayeredEntries(2000)}) {
        const Outcome outcome = Load(file);
        EXPECT_EQ(outcome.status, kLoadOk);
        EXPECT_EQ(outcome.limit, LoadLimit::None);
    }
}

TEST(MemoryBudget, TheBudgetGrowsWithTheFile) {
    TVXFileCounts counts;
    counts.vertexCount = 10'000'000;  // about 0.9 GB of vertices
    const std::uint64_t bytes = DocumentArrayBytes(counts, 0);
    EXPECT_EQ(bytes, 10'000'000 * sizeof(TVXVertex));
    EXPECT_FALSE(MemoryBudget(10'000'000).Take(bytes));
    EXPECT_TRUE(MemoryBudget(120'000'000).Take(bytes));  // 12 bytes per vertex in the file
    // Inline UV coordinates of versions 6..29 count twice, once per UV set.
    EXPECT_EQ(DocumentArrayBytes(TVXFileCounts{}, 5), 2 * 5 * sizeof(TVXUVCoord));
}

TEST(MemoryBudget, OnceExceededEveryLaterRequestFails) {
    MemoryBudget budget(0);
    ASSERT_TRUE(budget.TakeArray(1, MemoryBudget::kAlwaysAllowed - MemoryBudget::kBlockOverhead));
    EXPECT_FALSE(budget.TakeArray(1, 1));
    EXPECT_FALSE(budget.Take(0));
    EXPECT_TRUE(budget.exceeded());
    EXPECT_EQ(budget.taken(), MemoryBudget::kAlwaysAllowed);
}

TEST(InflateBudget, NestedCompressionCannotMultiplyPastTheOuterLevel) {
    const test::Bytes nested = test::NestedCompressionBomb(16u << 20);
    ASSERT_LT(nested.size(), 2000u);
    const Outcome bomb = Load(nested);
    EXPECT_EQ(bomb.status, kLoadFailed);
    EXPECT_EQ(bomb.limit, LoadLimit::InflatedSize);

    // The same content compressed once, or twice over a small scene, loads.
    EXPECT_EQ(Load(test::CompressedFile(34, test::PaddedScene(16u << 20))).status, kLoadOk);
    EXPECT_EQ(Load(test::CompressedFile(34, test::CompressedFile(34, test::PaddedScene(100)))).status, kLoadOk);
}

TEST(InflateBudget, TheCeilingRefusesALargerBodyUntilRaised) {
    const test::Bytes file = test::CompressedFile(34, test::PaddedScene(3u << 20));
    EXPECT_EQ(Load(file, 1u << 20).limit, LoadLimit::InflatedSize);
    EXPECT_EQ(Load(file, 4u << 20).status, kLoadOk);
}

}  // namespace
}  // namespace tvx
