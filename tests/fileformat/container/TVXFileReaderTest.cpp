#include "fileformat/container/TVXFileReader.h"

#include <gtest/gtest.h>

#include "tests/support/ByteWriter.h"

namespace tvx {
namespace {

TVXFileReader ReaderOver(const test::ByteWriter& w) { return TVXFileReader(ByteBuffer::CopyOf(w.bytes())); }

TEST(TVXFileReader, PrimitivesAreLittleEndian) {
    test::ByteWriter w;
    w.U32(0xDDCCBBAAu).I32(-2).F32(1.5f).U16(0xFFFE);
    TVXFileReader reader = ReaderOver(w);
    std::uint32_t u = 0;
    std::int32_t i = 0;
    float f = 0;
    std::int16_t s = 0;
    ASSERT_TRUE(reader.ReadUInt(u) && reader.ReadInt(i) && reader.ReadFloat(f) && reader.ReadInt16(s));
    EXPECT_EQ(u, 0xDDCCBBAAu);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(reader.remaining(), 0u);
}

// Every read that does not fit fails, zeroes its output and stays put.
TEST(TVXFileReader, ShortReadsFailWithoutMoving) {
    test::ByteWriter w;
    w.U8(1).U8(2).U8(3);
    TVXFileReader reader = ReaderOver(w);
    ASSERT_TRUE(reader.Skip(1));

    std::int32_t i = 7;
    EXPECT_FALSE(reader.ReadInt(i));
    EXPECT_EQ(i, 0);
    Vector3 v{1, 1, 1};
    EXPECT_FALSE(reader.ReadVector3(v));
    EXPECT_EQ(v, Vector3{});
    TVXTransform t;
    EXPECT_FALSE(reader.ReadTransform(t));
    std::array<std::uint8_t, 3> block{9, 9, 9};
    EXPECT_FALSE(reader.ReadBytes(block));
    EXPECT_EQ(block, (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_FALSE(reader.Skip(3));
    EXPECT_EQ(reader.position(), 1u);

    std::int16_t s = 0;
    EXPECT_TRUE(reader.ReadInt16(s));
    EXPECT_EQ(s, 0x0302);
    EXPECT_FALSE(reader.SetPosition(4));
    EXPECT_TRUE(reader.SetPosition(3));
}

TEST(TVXFileReader, TransformIsReadFieldByFieldInStoredOrder) {
    test::ByteWriter w;
    for (int k = 0; k < 38; ++k) {
        w.F32(static_cast<float>(k));
    }
    TVXFileReader reader = ReaderOver(w);
    TVXTransform t;
    ASSERT_TRUE(reader.ReadTransform(t));
    EXPECT_EQ(reader.position(), 152u);
    EXPECT_EQ(t.xAxis, (Vector3{0, 1, 2}));
    EXPECT_EQ(t.zAxis, (Vector3{6, 7, 8}));
    EXPECT_EQ(t.scale, (Vector3{12, 13, 14}));
    EXPECT_EQ(t.matrix(0, 0), 15.0f);
    EXPECT_EQ(t.matrix(0, 3), 18.0f);  // row-major
    EXPECT_EQ(t.matrix(3, 3), 30.0f);
    EXPECT_EQ(t.rotation, (Quaternion{31, 32, 33, 34}));
    EXPECT_EQ(t.finalVector, (Vector3{35, 36, 37}));
}

TEST(TVXFileReader, NarrowAndUtf16Strings) {
    test::ByteWriter w;
    w.U16(5).Bytes(std::string_view("Bon\xE9\0", 5));
    w.U16(6).U16(u'h').U16(0x4E2D).U16(0);
    w.U16(3).U16(u'a').U8('b');  // odd count: the last unit keeps a zero high byte
    w.U16(0);
    TVXFileReader reader = ReaderOver(w);
    TVXString s;
    ASSERT_TRUE(reader.ReadString(s, StringEncoding::Narrow));
    EXPECT_EQ(s.wideView(), u"Bon\u00E9");
    ASSERT_TRUE(reader.ReadString(s, StringEncoding::Utf16));
    EXPECT_EQ(s.wideView(), u"h\u4E2D");
    EXPECT_EQ(s.narrowView(), "h?");
    ASSERT_TRUE(reader.ReadString(s, StringEncoding::Utf16));
    EXPECT_EQ(s.wideView(), u"ab");
    ASSERT_TRUE(reader.ReadString(s, StringEncoding::Narrow));
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(TVXFileReader, OverlongStringsAreCutButFullyConsumed) {
    test::ByteWriter w;
    w.U16(1000).Bytes(std::string(1000, 'x')).U32(77);
    TVXFileReader reader = ReaderOver(w);
    TVXString s;
    ASSERT_TRUE(reader.ReadString(s, StringEncoding::Utf16));
    EXPECT_EQ(s.wideView().size(), 259u);
    std::uint32_t after = 0;
    ASSERT_TRUE(reader.ReadUInt(after));
    EXPECT_EQ(after, 77u);
}

TEST(TVXFileReader, BadStringLengthsFailWithoutMoving) {
    test::ByteWriter negative;
    negative.U16(0x8000).Zeros(8);
    test::ByteWriter truncated;
    truncated.U16(9).Bytes("abc");
    for (const auto* w : {&negative, &truncated}) {
        TVXFileReader reader = ReaderOver(*w);
        TVXString s = TVXString::FromNarrow("old");
        EXPECT_FALSE(reader.ReadString(s, StringEncoding::Narrow));
        EXPECT_TRUE(s.empty());
        EXPECT_EQ(reader.position(), 0u);
    }
}

}  // namespace
}  // namespace tvx
