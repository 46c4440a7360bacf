#include "fileformat/container/FileWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/MemoryOutputFile.h"

namespace tvx {
namespace {

TEST(FileWriter, EncodesLittleEndianAndNarrowStrings) {
    test::MemoryOutputFile out;
    {
        FileWriter w(out);
        ASSERT_TRUE(w.Int(-2) && w.Float(1.0f) && w.NarrowString("ab"));
        EXPECT_EQ(w.position(), 13u);
        ASSERT_TRUE(w.Flush());
    }
    const std::vector<std::uint8_t> expected{0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x80, 0x3F, 3, 0, 'a', 'b', 0};
    EXPECT_EQ(out.bytes(), expected);
}

TEST(FileWriter, CutsOverlongStringsAtTheSceneStringCapacity) {
    test::MemoryOutputFile out;
    FileWriter w(out);
    ASSERT_TRUE(w.NarrowString(std::string(400, 'x')) && w.Flush());
    ASSERT_EQ(out.bytes().size(), 2u + 259u + 1u);
    EXPECT_EQ(out.bytes()[0] | out.bytes()[1] << 8, 260);
}

TEST(FileWriter, RewritesTheHeaderAfterSeeking) {
    test::MemoryOutputFile out;
    FileWriter w(out);
    const std::uint32_t placeholder[2] = {0, 0};
    const std::uint32_t final[2] = {7, 9};
    ASSERT_TRUE(WriteHeaderWords(w, placeholder) && w.Int(5));
    ASSERT_TRUE(w.SeekToStart() && WriteHeaderWords(w, final) && w.Flush());
    EXPECT_EQ(out.bytes(), (std::vector<std::uint8_t>{7, 0, 0, 0, 9, 0, 0, 0, 5, 0, 0, 0}));
}

TEST(FileWriter, AFailureSticks) {
    test::MemoryOutputFile out(3);
    FileWriter w(out);
    EXPECT_TRUE(w.Int(1));  // buffered
    EXPECT_FALSE(w.Flush());
    EXPECT_FALSE(w.ok());
    EXPECT_FALSE(w.Int(2));
    EXPECT_FALSE(w.Flush());
    EXPECT_TRUE(out.bytes().empty());
}

}  // namespace
}  // namespace tvx
