// A file's counts may not ask for document memory out of all proportion to
// its size, however honestly its bytes back them.
#include "fileformat/MemoryBudget.h"

#include <gtest/gtest.h>

#include "fileformat/FileConstants.h"
#include "tests/legacy/LegacyTestSupport.h"

namespace tvx {
namespace {

// Version 9 groups are nothing but a name: three bytes for an empty one.
test::Bytes FileOfEmptyGroups(int groups) {
    test::LegacyFileBuilder b(9);
    b.Begin(test::LegacySection::Groups, groups);
    for (int i = 0; i < groups; ++i) {
        b.String("");
    }
    b.Begin(test::LegacySection::Animations, 0);
    return b.File();
}

TEST(MemoryBudget, AFloodOfTinyRecordsIsRefused) {
    // 450 KB of file would need about 140 MB of groups.
    EXPECT_EQ(test::Parse(FileOfEmptyGroups(150000)), kLoadFailed);
}

TEST(MemoryBudget, ManyRecordsOfAnOrdinaryFileStillLoad) {
    TVXScene scene;
    ASSERT_EQ(test::Parse(FileOfEmptyGroups(20000), scene), kLoadOk);
    EXPECT_EQ(scene.groups.size(), 20000u);
}

TEST(MemoryBudget, TheBudgetGrowsWithTheFile) {
    TVXFileCounts counts;
    counts.vertexCount = 10'000'000;  // about 0.9 GB of vertices
    EXPECT_FALSE(CountsFitFile(counts, 0, 10'000'000));
    EXPECT_TRUE(CountsFitFile(counts, 0, 120'000'000));  // 12 bytes per vertex in the file
    EXPECT_EQ(DocumentArrayBytes(counts, 0), 10'000'000 * sizeof(TVXVertex));
    // Inline UV coordinates of versions 6..29 count twice, once per UV set.
    EXPECT_EQ(DocumentArrayBytes(TVXFileCounts{}, 5), 2 * 5 * sizeof(TVXUVCoord));
}

}  // namespace
}  // namespace tvx
