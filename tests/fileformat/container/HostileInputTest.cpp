// Hostile files must fail cleanly without asking for memory that their bytes
// cannot justify.
#include <gtest/gtest.h>

#include "fileformat/container/Decompress.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/CraftedFiles.h"

namespace tvx {
namespace {

using test::Bytes;

constexpr std::size_t kOneMiB = 1 << 20;

int Parse(const Bytes& file) {
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    TVXScene scene;
    const LayoutReaders accept{[](TVXFileReader&, TVXScene&, const LoadOptions&, MemoryBudget&) { return 1; },
                               [](TVXFileReader&, TVXScene&, MemoryBudget&) { return 1; }};
    return ParseScene(reader, scene, {}, accept);
}

TEST(HostileInput, HugeClaimedLengthAllocatesOnlyWhatTheStreamCanProduce) {
    // 100 bytes: a 96-byte header claiming 4 GiB of content, 4 bytes of stream.
    Bytes file = test::LegacyFile(8, Bytes{0x78, 0x9C, 0x03, 0x00}, kFlagCompressed);
    test::PatchWord(file, 12, 0xFFFFFFFFu);
    test::PatchWord(file, 20, 96);
    ASSERT_EQ(file.size(), 100u);

    test::AllocationLimit limit(kOneMiB);
    EXPECT_EQ(Parse(file), kLoadFailed);
    EXPECT_FALSE(limit.anyFailed());
    EXPECT_LT(limit.largestRequest(), 16u * 1024);
}

TEST(HostileInput, AHugeClaimStillLoadsARealStream) {
    const Bytes inner = test::LegacyFile(31, Bytes(20000, 0));
    const Bytes file = test::CompressedFile(8, inner, 0xFFFFFFFFu);
    test::AllocationLimit limit(kOneMiB);
    EXPECT_EQ(Parse(file), kLoadOk);
    EXPECT_LE(limit.largestRequest(), MaxInflatedSize(file.size() - 96) + 16);
}

TEST(HostileInput, InflatedSizeBoundCoversTheDensestStream) {
    const Bytes zeros(8 << 20, 0);
    const Bytes stream = test::ZlibCompress(zeros);
    EXPECT_GE(MaxInflatedSize(stream.size()), zeros.size());
}

TEST(HostileInput, OutOfMemoryWhileInflatingFails) {
    const Bytes inner = test::LegacyFile(31, Bytes(200000, 1));
    const Bytes file = test::CompressedFile(8, inner);
    test::AllocationLimit limit(100000);
    EXPECT_EQ(Parse(file), kLoadFailed);
    EXPECT_TRUE(limit.anyFailed());
}

// Every truncation of a valid compressed file fails with a status, never a
// crash (the sanitizer builds watch the reads).
TEST(HostileInput, EveryTruncationFailsCleanly) {
    const Bytes file = test::CompressedFile(8, test::LegacyFile(31, Bytes(500, 9)));
    for (std::size_t size = 0; size < file.size(); ++size) {
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size));
        const int status = Parse(cut);
        EXPECT_NE(status, kLoadOk) << "cut at " << size;
    }
}

}  // namespace
}  // namespace tvx
