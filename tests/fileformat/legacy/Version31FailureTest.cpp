// A version-31 write reports success only for a complete file, and the
// whole save through the container loads back.
#include <gtest/gtest.h>

#include <filesystem>

#include "fileformat/container/SaveSceneFile.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/legacy/Version31TestSupport.h"

namespace tvx::test {
namespace {

// Every byte the writer sends can be the one the file refuses, the header
// rewrite at the end included.
TEST(Version31Failure, AnyRefusedWriteFailsTheWhole) {
    TVXExporterData data;
    FillRichScene(data);
    const std::size_t size = Write31(data).bytes.size();
    const std::size_t total = size + 128;
    for (std::size_t k = 0; k < total; ++k) {
        ASSERT_EQ(Write31(data, k).result, 0) << "after " << k << " bytes";
    }
    EXPECT_EQ(Write31(data, total).result, 1);
}

// A body larger than the writer's buffer reaches the file in several
// writes; refusing any of them still fails.
TEST(Version31Failure, RefusalInTheMiddleOfALargeBody) {
    TVXExporterData data;
    ASSERT_EQ(AllocVertices(data.scene, 100000), 1);
    for (TVXVertex& vertex : data.scene.vertices) {
        ASSERT_EQ(AllocWeights(vertex, 1), 1);
    }
    const std::size_t size = Write31(data).bytes.size();
    ASSERT_GT(size, 3u << 20);
    for (std::size_t part = 1; part < 16; ++part) {
        EXPECT_EQ(Write31(data, size * part / 16).result, 0) << part << "/16";
    }
}

// Accepts every write; reports positions from `base`.
class CountingFile final : public OutputFile {
public:
    explicit CountingFile(std::uint64_t base, bool seekWorks = true) : base_(base), seekWorks_(seekWorks) {}
    bool Write(std::span<const std::uint8_t> bytes) override {
        written_ += bytes.size();
        return true;
    }
    bool SeekToStart() override {
        base_ = written_ = 0;
        return seekWorks_;
    }
    std::uint64_t Position() const override { return base_ + written_; }

private:
    std::uint64_t base_;
    std::uint64_t written_ = 0;
    bool seekWorks_;
};

TEST(Version31Failure, AFailedReturnToTheHeaderFails) {
    TVXExporterData data;
    std::array<std::uint32_t, kVersion31HeaderWords> header{};
    CountingFile file(0, false);
    EXPECT_EQ(WriteVersion31(data, file, header), 0);
}

// The length word and the offsets are 32 bits; a file beyond them would
// carry a header that lies.
TEST(Version31Failure, AFileTooLongForItsHeaderFails) {
    TVXExporterData data;
    FillRichScene(data);
    std::array<std::uint32_t, kVersion31HeaderWords> header{};
    CountingFile far(0xFFFFFF00u);
    EXPECT_EQ(WriteVersion31(data, far, header), 0);
    CountingFile near(0);
    EXPECT_EQ(WriteVersion31(data, near, header), 1);
}

class Version31Save : public testing::Test {
protected:
    void TearDown() override { std::filesystem::current_path(startDir); }

    std::filesystem::path startDir = std::filesystem::current_path();
    TempDir dir;
};

// The exporter's whole save: the outer header of the container in front of
// the compressed version-31 file, which the loader reads back.
TEST_F(Version31Save, TheTargetLoadsWithTexturesInItsFolder) {
    TVXExporterData data;
    FillRichScene(data);
    const std::filesystem::path target = dir / "scene.tvx";
    ASSERT_EQ(SaveSceneFile(data, target), 1);

    const Bytes file = ReadFile(target);
    ASSERT_GT(file.size(), 128u);
    const Bytes inner = ZlibUncompress(Bytes(file.begin() + 128, file.end()), WordAt(file, 12));
    EXPECT_EQ(WordAt(file, 0), 0x48585654u);
    EXPECT_EQ(WordAt(file, 4), 8u);
    EXPECT_EQ(WordAt(file, 8), 0x12u);
    EXPECT_EQ(WordAt(file, 12), inner.size());
    EXPECT_EQ(WordAt(file, 20), 128u);
    EXPECT_EQ(WordAt(inner, 4), 31u);
    EXPECT_EQ(WordAt(inner, 12), inner.size());

    TVXScene read;
    NoProgress progress;
    ASSERT_EQ(LoadScene(read, target, progress, LoadOptions::AsStored()), kLoadOk);
    EXPECT_EQ(read.version, 31);
    EXPECT_EQ(read.lights.size(), 2u);
    EXPECT_EQ(read.bones.size(), 2u);
    const auto& slots = read.materials.at(1).mapSlots;
    ASSERT_EQ(slots.size(), 8u);
    EXPECT_EQ(std::filesystem::path(slots[0]->fileName.ToUtf8()), dir / "kind1.bmp");
    EXPECT_EQ(std::filesystem::path(slots[3]->entries.at(0).fileName.ToUtf8()), dir / "l0.tga");
    EXPECT_EQ(std::filesystem::path(slots[4]->faceNames.at(2).ToUtf8()), dir / "face2.png");
}

}  // namespace
}  // namespace tvx::test
