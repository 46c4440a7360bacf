// Writes the fuzz harness's seed corpus: the test builders' richest files of
// every layout family, plain and compressed.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_fuzz_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (int version : tvx::test::kRichVersions) {
        const auto scene = tvx::test::RichScene(version);
        const std::string name = "legacy-v" + std::to_string(version);
        tvx::test::WriteFile(folder / (name + ".tvx"), scene.File());
        tvx::test::WriteFile(folder / (name + "-compressed.tvx"), scene.Compressed());
    }
    const auto chunked = tvx::test::RichFile();
    tvx::test::WriteFile(folder / "v34.tvx", chunked);
    tvx::test::WriteFile(folder / "v34-compressed.tvx", tvx::test::CompressedFile(34, chunked));
    return 0;
}
