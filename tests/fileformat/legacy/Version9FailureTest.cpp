// Writes that fail: every one ends the writer with 0, and no file that a
// failed write leaves behind reads back as a scene.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/Version9TestSupport.h"

namespace tvx::test {
namespace {

constexpr std::uint64_t kHeaderBytes = 96;

void ExpectFailureAt(TVXExporterData& data, std::uint64_t k) {
    const Written9 w = Write9(data, k);
    EXPECT_EQ(w.result, 0) << k;
    TVXScene back;
    EXPECT_NE(Read9(w.bytes, back), kLoadOk) << k;
}

TEST(Version9Failure, WriteFailingAfterAnyByteCountReturns0) {
    TVXExporterData data;
    FillRichScene(data.scene);
    const std::uint64_t size = Write9(data).bytes.size();
    // The header goes out twice, so the file takes size + 96 bytes of writes.
    for (std::uint64_t k = 0; k < size + kHeaderBytes; ++k) {
        ExpectFailureAt(data, k);
    }
    EXPECT_EQ(Write9(data, size + kHeaderBytes).result, 1);
}

// Enough materials that the writer hands bytes to the file while it is still
// inside the material section, so failures land there and in later sections.
void FillLargeScene(TVXScene& scene) {
    FillRichScene(scene);
    ASSERT_EQ(AllocMaterials(scene, 30000), 1);
}

TEST(Version9Failure, FailureInsideALargeFileLeavesNoReadableScene) {
    TVXExporterData data;
    FillLargeScene(data.scene);
    const std::uint64_t size = Write9(data).bytes.size();
    ASSERT_GT(size, 2u << 20);
    for (const std::uint64_t k : {std::uint64_t{1} << 20, (std::uint64_t{1} << 20) + 1, size - 1, size}) {
        ExpectFailureAt(data, k);
    }
}

}  // namespace
}  // namespace tvx::test
