#include "fileformat/container/SceneFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "fileformat/container/EmbeddedFile.h"
#include "tests/support/TempDir.h"

namespace tvx {
namespace {

TVXString Narrow(const char* text) { return TVXString::FromNarrow(text); }

TEST(BareFileName, DropsDriveAndFoldersOfEitherSeparator) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Textures\\stone.png", "stone.png"},
        {"textures/wood.tga", "wood.tga"},
        {"D:relative.bmp", "relative.bmp"},
        {"\\\\server\\share\\a.jpg", "a.jpg"},
        {"mixed\\dir/b.png", "b.png"},
        {"plain.dds", "plain.dds"},
        {"folder\\", ""},
        {"", ""},
    };
    for (const auto& [stored, bare] : cases) {
        EXPECT_EQ(BareFileName(Narrow(stored)).narrowView(), bare) << stored;
    }
}

TEST(RelinkToFolder, PutsTheBareNameInTheFolder) {
    EXPECT_EQ(RelinkToFolder("/scenes/tree", Narrow("C:\\old\\bark.png")).ToUtf8(), "/scenes/tree/bark.png");
    EXPECT_EQ(RelinkToFolder("/scenes/tree/", Narrow("bark.png")).ToUtf8(), "/scenes/tree/bark.png");
    EXPECT_EQ(RelinkToFolder("/scenes", Narrow("")).ToUtf8(), "/scenes/");
    // Non-Latin-1 folders survive through the wide form.
    EXPECT_EQ(RelinkToFolder("/sc\xC3\xA8nes/\xE6\xA8\xB9", Narrow("a.png")).ToUtf8(),
              "/sc\xC3\xA8nes/\xE6\xA8\xB9/a.png");
}

TEST(SceneFolder, ExistenceAndCurrentDirectory) {
    test::TempDir dir;
    test::WriteFile(dir / "here.png", {1});
    TVXScene scene;
    scene.scenePath = dir / "scene.tvx";
    EXPECT_EQ(SceneFolder(scene), dir.path());
    EXPECT_TRUE(StoredFileExists(TVXString::FromUtf8((dir / "here.png").string())));
    EXPECT_FALSE(StoredFileExists(TVXString::FromUtf8((dir / "gone.png").string())));
    EXPECT_FALSE(StoredFileExists(Narrow("")));

    const auto before = std::filesystem::current_path();
    ChangeToSceneFolder(scene);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.path()));
    std::filesystem::current_path(before);
}

TEST(EmbeddedFile, WritesOnlyABareNameIntoTheFolder) {
    test::TempDir dir;
    const std::vector<std::uint8_t> bytes{'p', 'n', 'g'};
    EXPECT_EQ(WriteEmbeddedFile(dir.path(), Narrow("C:\\elsewhere\\..\\tex.png"), bytes), EmbeddedFileResult::Written);
    EXPECT_EQ(test::ReadFile(dir / "tex.png"), bytes);
    for (const char* unusable : {"", ".", "..", "C:\\maps\\..", "dir/"}) {
        EXPECT_EQ(WriteEmbeddedFile(dir.path(), Narrow(unusable), bytes), EmbeddedFileResult::Skipped) << unusable;
    }
    EXPECT_EQ(dir.List(), std::vector<std::string>{"tex.png"});
}

TEST(EmbeddedFile, NeverOverwritesOrFollowsLinks) {
    test::TempDir dir;
    test::TempDir outside;
    test::WriteFile(dir / "keep.png", {7});
    EXPECT_EQ(WriteEmbeddedFile(dir.path(), Narrow("keep.png"), std::vector<std::uint8_t>{1, 2}),
              EmbeddedFileResult::Exists);
    EXPECT_EQ(test::ReadFile(dir / "keep.png"), std::vector<std::uint8_t>{7});

    // A dangling link pointing outside must not be created through.
    std::filesystem::create_symlink(outside / "target.png", dir / "link.png");
    EXPECT_EQ(WriteEmbeddedFile(dir.path(), Narrow("link.png"), std::vector<std::uint8_t>{1}),
              EmbeddedFileResult::Exists);
    EXPECT_TRUE(outside.List().empty());

    EXPECT_EQ(WriteEmbeddedFile(dir / "missing-folder", Narrow("a.png"), std::vector<std::uint8_t>{1}),
              EmbeddedFileResult::Failed);
}

}  // namespace
}  // namespace tvx
