#include "fileformat/container/CompressAndCopy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>

#include "fileformat/container/LoadScene.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"

namespace tvx {
namespace {

using test::Bytes;

std::uint32_t WordAt(const Bytes& file, std::size_t index) {
    const std::size_t at = 4 * index;
    return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16) |
           static_cast<std::uint32_t>(file[at + 3]) << 24;
}

// A version-31 file as its writer leaves it, with the header array it
// filled: word 5 is where the first section starts.
struct WrittenFile {
    Bytes bytes;
    std::array<std::uint32_t, 32> header{};
};

WrittenFile Version31File(std::size_t bodyBytes) {
    WrittenFile written;
    Bytes body(bodyBytes);
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<std::uint8_t>(i * 7 % 13);
    }
    written.bytes = test::LegacyFile(31, body);
    test::PatchWord(written.bytes, 20, 128);
    for (std::size_t w = 0; w < 32; ++w) {
        written.header[w] = WordAt(written.bytes, w);
    }
    written.header[10] = 0xABCD;  // a count word the writer filled
    return written;
}

class CompressAndCopyTest : public testing::Test {
protected:
    std::filesystem::path temp() const { return dir / "tvx1234.tmp"; }
    std::filesystem::path target() const { return dir / "out.tvx"; }
    test::TempDir dir;
};

TEST_F(CompressAndCopyTest, WritesTheOuterHeaderAndTheStream) {
    WrittenFile written = Version31File(5000);
    test::WriteFile(temp(), written.bytes);
    ASSERT_EQ(CompressAndCopy(written.header, temp(), target()), 1);

    const Bytes out = test::ReadFile(target());
    const Bytes stream(out.begin() + 128, out.end());
    EXPECT_EQ(WordAt(out, 0), 0x48585654u);  // "TVXH"
    EXPECT_EQ(WordAt(out, 1), 8u);
    EXPECT_EQ(WordAt(out, 2), 0x12u);
    EXPECT_EQ(WordAt(out, 3), written.bytes.size());
    EXPECT_EQ(WordAt(out, 5), 128u);
    EXPECT_EQ(WordAt(out, 10), 0xABCDu);
    EXPECT_EQ(out.size(), 128 + test::ZlibCompress(written.bytes).size());
    EXPECT_EQ(test::ZlibUncompress(stream, written.bytes.size()), written.bytes);
    // The caller's header now holds the outer words.
    EXPECT_EQ(written.header[1], 8u);

    EXPECT_EQ(dir.List(), std::vector<std::string>{"out.tvx"});
}

TEST_F(CompressAndCopyTest, ShortHeaderOfTheVersion9Writer) {
    Bytes inner = test::LegacyFile(9, Bytes(40, 3));
    test::PatchWord(inner, 20, 96);
    std::array<std::uint32_t, 24> header{};
    header[5] = 96;
    test::WriteFile(temp(), inner);
    ASSERT_EQ(CompressAndCopy(header, temp(), target()), 1);
    const Bytes out = test::ReadFile(target());
    EXPECT_EQ(out.size(), 96 + test::ZlibCompress(inner).size());
    EXPECT_EQ(WordAt(out, 5), 96u);
}

// What the exporter writes, the loader reads back through the legacy path.
TEST_F(CompressAndCopyTest, TheTargetLoadsAsItsInnerFile) {
    WrittenFile written = Version31File(700);
    test::WriteFile(temp(), written.bytes);
    ASSERT_EQ(CompressAndCopy(written.header, temp(), target()), 1);

    static std::uint32_t seenLength = 0;
    const LayoutReaders readers{nullptr, [](TVXFileReader& reader, TVXScene&, MemoryBudget&) {
                                    seenLength = reader.length();
                                    return 1;
                                }};
    TVXScene scene;
    NoProgress progress;
    EXPECT_EQ(LoadScene(scene, target(), progress, {}, readers), 1);
    EXPECT_EQ(scene.version, 31);
    EXPECT_EQ(seenLength, written.bytes.size());
}

TEST_F(CompressAndCopyTest, FailureLeavesAnExistingTargetUntouched) {
    const Bytes previous{'o', 'l', 'd'};
    test::WriteFile(target(), previous);
    WrittenFile written = Version31File(100);

    // No temporary file to read.
    EXPECT_EQ(CompressAndCopy(written.header, temp(), target()), 0);
    EXPECT_EQ(test::ReadFile(target()), previous);

    // The target's folder does not exist.
    test::WriteFile(temp(), written.bytes);
    EXPECT_EQ(CompressAndCopy(written.header, temp(), dir / "no-such-folder" / "out.tvx"), 0);
    EXPECT_FALSE(std::filesystem::exists(temp()));

    // The target is a folder: the rename over it fails.
    std::filesystem::create_directory(dir / "taken.tvx");
    test::WriteFile(temp(), written.bytes);
    EXPECT_EQ(CompressAndCopy(written.header, temp(), dir / "taken.tvx"), 0);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.tvx"));

    EXPECT_EQ(dir.List(), (std::vector<std::string>{"out.tvx", "taken.tvx"}));
}

TEST_F(CompressAndCopyTest, ReplacingKeepsThePermissionsOfTheOldTarget) {
    test::WriteFile(target(), {1});
    ASSERT_EQ(::chmod(target().c_str(), 0640), 0);
    WrittenFile written = Version31File(10);
    test::WriteFile(temp(), written.bytes);
    ASSERT_EQ(CompressAndCopy(written.header, temp(), target()), 1);
    struct stat info {};
    ASSERT_EQ(::stat(target().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(CompressAndCopyTest, MissingPathsFailFast) {
    WrittenFile written = Version31File(10);
    test::WriteFile(temp(), written.bytes);
    EXPECT_EQ(CompressAndCopy(written.header, "", target()), 0);
    EXPECT_EQ(CompressAndCopy(written.header, temp(), ""), 0);
    // Nothing was touched, the temporary file included.
    EXPECT_TRUE(std::filesystem::exists(temp()));
    EXPECT_FALSE(std::filesystem::exists(target()));
}

}  // namespace
}  // namespace tvx
