// Replays the bundled samples, the fuzz corpus and every kept fuzz finding
// through the parser: each must end in a status, never a crash (the sanitizer
// build watches every read).
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"

namespace tvx {
namespace {

std::vector<std::filesystem::path> FilesUnder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(folder)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

const std::filesystem::path kSource = TVX_SOURCE_DIR;

// Each bundled file that is compressed is inflated, cut at every byte, and
// compressed again behind a header that tells the cut's true length, so
// every cut reaches the layout reader. Each must end in failure, except the
// cuts that keep every section (a trailer the readers pass over may go).
TEST(CorpusReplay, EveryCutOfABundledFileFailsUntilItsSectionsAreWhole) {
    for (const char* folder : {"samples", "fuzz/corpus"}) {
        for (const auto& path : FilesUnder(kSource / folder)) {
            const test::Bytes file = test::ReadFile(path);
            if (file.size() < 128 || (LoadU32LE(file.data() + 8) & kFlagCompressed) == 0) {
                continue;
            }
            const std::int32_t outerVersion = static_cast<std::int32_t>(LoadU32LE(file.data() + 4));
            const std::uint32_t offset = LoadU32LE(file.data() + (outerVersion == kChunkedVersion ? 16 : 20));
            const test::Bytes inner =
                test::ZlibUncompress(test::Bytes(file.begin() + offset, file.end()), LoadU32LE(file.data() + 12));
            std::size_t firstLoading = 0;
            for (std::size_t size = 16; size < inner.size(); ++size) {
                test::Bytes cut(inner.begin(), inner.begin() + static_cast<std::ptrdiff_t>(size));
                test::PatchWord(cut, 12, static_cast<std::uint32_t>(size));
                TVXScene scene;
                TVXFileReader reader(ByteBuffer::CopyOf(test::CompressedFile(outerVersion, cut)));
                const int status = ParseScene(reader, scene);
                if (status == kLoadOk && firstLoading == 0) {
                    firstLoading = size;
                }
                ASSERT_EQ(status, firstLoading == 0 ? kLoadFailed : kLoadOk) << path << " cut at " << size;
            }
        }
    }
}

TEST(CorpusReplay, EveryFileEndsInAStatus) {
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"samples", "fuzz/corpus", "fuzz/regressions"}) {
        const auto found = FilesUnder(kSource / folder);
        files.insert(files.end(), found.begin(), found.end());
    }
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        TVXScene scene;
        TVXFileReader reader(ByteBuffer::CopyOf(test::ReadFile(file)));
        const int status = ParseScene(reader, scene);
        EXPECT_TRUE(status == kLoadOk || status == kLoadFailed || status == kLoadBadMagic ||
                    status == kLoadBadVersion || status == kLoadBadLength)
            << file << " gave " << status;
    }
}

// The bundled sample is a compressed version-31 file as the exporter writes
// it; its inner file reaches the sequential reader whole.
TEST(CorpusReplay, TheSampleIsAnExportedVersion31File) {
    static std::uint32_t innerLength = 0;
    static int innerVersion = 0;
    const LayoutReaders watch{nullptr, [](TVXFileReader& reader, TVXScene& scene, MemoryBudget&) {
                                  innerLength = reader.length();
                                  innerVersion = scene.version;
                                  return 1;
                              }};
    TVXScene scene;
    NoProgress progress;
    ASSERT_EQ(LoadScene(scene, kSource / "samples/triangle.tvx", progress, {}, watch), kLoadOk);
    EXPECT_EQ(innerVersion, 31);
    EXPECT_EQ(innerLength, 1532u);
}

}  // namespace
}  // namespace tvx
