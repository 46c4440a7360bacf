// Replays the bundled samples, the fuzz corpus and every kept fuzz finding
// through the parser: each must end in a status, never a crash (the sanitizer
// build watches every read).
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "fileformat/FileConstants.h"
#include "fileformat/LoadScene.h"
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
    const LayoutReaders watch{nullptr, [](TVXFileReader& reader, TVXScene& scene) {
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
