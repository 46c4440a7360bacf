#include "fileformat/container/LoadScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/SceneAllocation.h"
#include "fileformat/container/FileConstants.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/TempDir.h"

namespace tvx {
namespace {

using test::Bytes;

// What the layout reader that a load dispatched to saw.
struct Dispatch {
    std::string layout;  // "", "v34" or "legacy"
    int version = 0;
    std::uint32_t position = 0;
    std::uint32_t length = 0;
};
Dispatch g_dispatch;
int g_readerResult = 1;

int Record(const char* layout, TVXFileReader& reader, TVXScene& scene) {
    g_dispatch = {layout, scene.version, reader.position(), reader.length()};
    if (!AllocLights(scene, 1)) {
        return 0;
    }
    return g_readerResult;
}
int FakeVersion34(TVXFileReader& reader, TVXScene& scene, const LoadOptions&, MemoryBudget&) {
    return Record("v34", reader, scene);
}
int FakeLegacy(TVXFileReader& reader, TVXScene& scene, MemoryBudget&) { return Record("legacy", reader, scene); }
const LayoutReaders kFakes{FakeVersion34, FakeLegacy};

class RecordingProgress : public LoadProgress {
public:
    void Start(std::string_view title) override { events.push_back("start " + std::string(title)); }
    void Update(int percent) override { events.push_back(std::to_string(percent)); }
    void End() override { events.push_back("end"); }
    std::vector<std::string> events;
};

class LoadSceneTest : public testing::Test {
protected:
    void SetUp() override {
        g_dispatch = {};
        g_readerResult = 1;
    }

    int Load(const Bytes& file) {
        const auto path = dir / "scene.tvx";
        test::WriteFile(path, file);
        return LoadScene(scene, path, progress, {}, kFakes);
    }

    test::TempDir dir;
    TVXScene scene;
    RecordingProgress progress;
};

struct StatusCase {
    const char* name;
    Bytes file;
    int status;
    const char* layout;
};

Bytes WithExtraByte(Bytes file) {
    file.push_back(0);
    return file;
}

Bytes WithWord(Bytes file, std::size_t at, std::uint32_t value) {
    test::PatchWord(file, at, value);
    return file;
}

// Bytes that do not compress, so that a compressed file stays long enough
// for the first header read (any file needs 128 bytes there).
Bytes Noise(std::size_t n) {
    Bytes bytes(n);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

Bytes Compressed8(const Bytes& inner, std::int64_t lengthField = -1) { return test::CompressedFile(8, inner, lengthField); }

std::vector<StatusCase> StatusCases() {
    const Bytes body{1, 2, 3, 4};
    const Bytes v31 = test::LegacyFile(31, body);
    return {
        {"valid v31", v31, 1, "legacy"},
        {"valid v9", test::LegacyFile(9, body), 1, "legacy"},
        {"valid v34", test::ChunkedFile(Bytes(100, 0)), 1, "v34"},
        {"bad magic", WithWord(v31, 0, 0x48585655u), 5, ""},
        {"version 5", test::LegacyFile(5, body), 6, ""},
        {"negative version", test::LegacyFile(-3, body), 6, ""},
        {"version 35", test::ChunkedFile(Bytes(100, 0), 0, 35), 6, ""},
        {"v34 shorter than 128 bytes", test::ChunkedFile(Bytes(40, 0)), 0, ""},
        {"v31 shorter than its header", Bytes(v31.begin(), v31.begin() + 100), 0, ""},
        {"extra trailing byte", WithExtraByte(v31), 7, ""},
        {"length claims more", WithWord(v31, 12, static_cast<std::uint32_t>(v31.size() + 1)), 7, ""},
        {"v34 extra trailing byte", WithExtraByte(test::ChunkedFile(Bytes(100, 0))), 7, ""},
        {"compressed v31", Compressed8(v31), 1, "legacy"},
        {"compressed v34 inner read as legacy", Compressed8(test::ChunkedFile(Bytes(100, 0))), 1, "legacy"},
        {"outer length too small", Compressed8(v31, static_cast<std::int64_t>(v31.size()) - 1), 0, ""},
        {"outer length larger", Compressed8(v31, static_cast<std::int64_t>(v31.size()) + 500), 1, "legacy"},
        {"outer larger, inner length wrong",
         Compressed8(WithWord(v31, 12, static_cast<std::uint32_t>(v31.size() + 2)),
                     static_cast<std::int64_t>(v31.size()) + 500),
         7, ""},
        {"inner version 4", Compressed8(WithWord(test::LegacyFile(9, body), 4, 4)), 6, ""},
        {"inner bad magic", Compressed8(WithWord(v31, 0, 0)), 5, ""},
        {"inner shorter than a header", Compressed8(Bytes(50, 7)), 0, ""},
        {"outer length zero", Compressed8(v31, 0), 0, ""},
        {"data offset beyond the file", WithWord(Compressed8(v31), 20, 0x7FFFFFFF), 0, ""},
        {"negative data offset", WithWord(Compressed8(v31), 20, 0xFFFFFFF0u), 0, ""},
        {"garbage stream", WithWord(test::LegacyFile(8, Bytes(64, 0xAB), 0x10), 20, 96), 0, ""},
        {"compressed v34", test::CompressedFile(34, test::ChunkedFile(Noise(200))), 1, "v34"},
        {"compressed v34 holding v33", test::CompressedFile(34, test::LegacyFile(33, Noise(200))), 6, ""},
        {"compressed v34 under 128 bytes", test::CompressedFile(34, test::ChunkedFile(Bytes(100, 0))), 0, ""},
    };
}

TEST_F(LoadSceneTest, StatusCodes) {
    for (const StatusCase& c : StatusCases()) {
        SetUp();
        EXPECT_EQ(Load(c.file), c.status) << c.name;
        EXPECT_EQ(g_dispatch.layout, c.layout) << c.name;
        EXPECT_EQ(scene.lights.empty(), c.status != 1) << c.name;
    }
}

TEST_F(LoadSceneTest, LegacyBodyStartsAfterItsHeader) {
    ASSERT_EQ(Load(test::LegacyFile(9, Bytes(8, 0))), 1);
    EXPECT_EQ(g_dispatch.version, 9);
    EXPECT_EQ(g_dispatch.position, 96u);
    EXPECT_EQ(scene.version, 9);

    ASSERT_EQ(Load(test::LegacyFile(30, Bytes(8, 0))), 1);
    EXPECT_EQ(g_dispatch.position, 128u);
}

TEST_F(LoadSceneTest, CompressedContentReplacesTheBuffer) {
    const Bytes inner = test::LegacyFile(31, Bytes(300, 5));
    ASSERT_EQ(Load(Compressed8(inner, static_cast<std::int64_t>(inner.size()) + 1000)), 1);
    EXPECT_EQ(g_dispatch.version, 31);
    EXPECT_EQ(g_dispatch.position, 128u);
    EXPECT_EQ(g_dispatch.length, inner.size());
    EXPECT_EQ(scene.version, 31);
}

TEST_F(LoadSceneTest, ChunkedBodyStartsAfterItsFortyEightBytes) {
    ASSERT_EQ(Load(test::CompressedFile(34, test::ChunkedFile(Noise(200)))), 1);
    EXPECT_EQ(g_dispatch.position, 48u);
    EXPECT_EQ(g_dispatch.length, 248u);
    EXPECT_EQ(scene.version, 34);
}

TEST_F(LoadSceneTest, NestedCompressionHasALimit) {
    Bytes file = test::ChunkedFile(Noise(300));
    for (int level = 0; level < 4; ++level) {
        file = test::CompressedFile(34, file);
    }
    EXPECT_EQ(Load(file), 1);
    EXPECT_EQ(Load(test::CompressedFile(34, file)), 0);
}

TEST_F(LoadSceneTest, ReaderFailureClearsTheScene) {
    g_readerResult = 0;
    EXPECT_EQ(Load(test::LegacyFile(31, Bytes(8, 0))), 0);
    EXPECT_EQ(g_dispatch.layout, "legacy");
    EXPECT_TRUE(scene.lights.empty());
    EXPECT_EQ(scene.version, 0);
}

TEST_F(LoadSceneTest, ProgressOnSuccessAndFailure) {
    ASSERT_EQ(Load(test::LegacyFile(31, Bytes(8, 0))), 1);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start Reading...(please wait)", "0", "25", "50"}));

    progress.events.clear();
    ASSERT_EQ(Load(test::LegacyFile(5)), 6);
    EXPECT_EQ(progress.events, (std::vector<std::string>{"start Reading...(please wait)", "0", "100", "end"}));
}

TEST_F(LoadSceneTest, FilesThatCannotBeOpened) {
    EXPECT_EQ(LoadScene(scene, dir / "missing.tvx", progress, {}, kFakes), 8);
    EXPECT_EQ(LoadScene(scene, dir.path(), progress, {}, kFakes), 8);
    EXPECT_TRUE(progress.events.empty());
    EXPECT_EQ(g_dispatch.layout, "");
}

TEST_F(LoadSceneTest, TheSceneKeepsItsAbsolutePath) {
    ASSERT_EQ(Load(test::LegacyFile(31, Bytes(8, 0))), 1);
    EXPECT_EQ(scene.scenePath, dir / "scene.tvx");
    EXPECT_TRUE(scene.scenePath.is_absolute());

    // An importer's scene keeps the path through a failed load's clearing.
    ASSERT_EQ(Load(test::LegacyFile(5)), 6);
    EXPECT_EQ(scene.scenePath, dir / "scene.tvx");
}

}  // namespace
}  // namespace tvx
