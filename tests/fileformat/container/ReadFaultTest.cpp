// What a failed load says about the body: the kind of fault, its byte offset
// and the records it lay in, for each kind a reader notes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fileformat/container/ReadFault.h"
#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx::test {
namespace {

using S = LegacySection;
using ::testing::MatchesRegex;

// The fault a failed parse of `file` noted.
ReadFault FaultIn(const Bytes& file) {
    TVXScene scene;
    ReadFault fault;
    LoadOptions options = LoadOptions::AsStored();
    options.faultSeen = &fault;
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    EXPECT_NE(ParseScene(reader, scene, options), kLoadOk);
    EXPECT_LE(fault.offset, reader.length());
    return fault;
}

struct FaultCase {
    const char* name;
    std::function<Bytes()> file;
    const char* expected;  // a regular expression over the whole description
};

Bytes PolygonPastTheEnd(bool compressed) {
    LegacyFileBuilder b(31);
    b.Begin(S::Groups, 3).Group("A").Group("B").Group("C");
    b.Begin(S::Vertices, 3).Vertex(0, 0, 0).Vertex(1, 0, 0).Vertex(0, 1, 0);
    b.Begin(S::FaceLists, 3).FaceList(0, {}).FaceList(1, {{{0, 1, 2}}});
    b.Int(1).Int(100000).Int(0).Int(2).Int(0).Int(0);  // face list 2: one polygon of 100,000 corners
    return compressed ? b.Compressed() : b.File();
}

const FaultCase kCases[] = {
    {"polygon past the end", [] { return PolygonPastTheEnd(false); },
     "truncated polygon record at byte [0-9,]+ in face list 2"},
    {"offsets of a compressed file count inflated bytes", [] { return PolygonPastTheEnd(true); },
     "truncated polygon record at byte [0-9,]+ of the inflated body in face list 2"},
    {"negative string length", [] { return LegacyFileBuilder(31).Begin(S::Lights, 2).Light("Sun").Int(-1).File(); },
     "bad string in light record at byte [0-9,]+ \\(light 1\\)"},
    {"weights past the budget",
     [] { return LegacyFileBuilder(31).Begin(S::Vertices, 1).Floats({0, 0, 0}).Int(1 << 30).File(); },
     "over-budget vertex record at byte [0-9,]+ \\(vertex 0\\)"},
    {"a second map of one key",
     [] {
         LegacyFileBuilder b(31);
         b.Begin(S::Materials, 2).MaterialHead("Plain", 0).MaterialHead("Twice", 2);
         return b.BitmapMap(4, "a.png").BitmapMap(4, "b.png").File();
     },
     "duplicate key in map record at byte [0-9,]+ in material 1"},
    {"version 34: a light section claiming a light it lacks",
     [] {
         ChunkWriter lights;
         lights.Str("Sun").I32(0).I32(1).Sequence(kTransformFloats, 0.0f).Sequence(11, 0.0f);
         ChunkWriter sections;
         sections.Chunk(v34id::kLights, Records(2, lights));
         return Version34File(sections);
     },
     "truncated light record at byte [0-9,]+ \\(light 1\\) in light section"},
    {"version 34: a polygon list claiming a polygon it lacks",
     [] {
         ChunkWriter polygons;
         polygons.I32(2);
         Polygon(polygons, 3, 0);
         ChunkWriter secondList;
         secondList.Chunk(v34id::kPolygons, polygons);
         ChunkWriter lists;
         lists.Raw(FaceList(ChunkWriter{})).Raw(FaceList(secondList));
         ChunkWriter sections;
         sections.Chunk(v34id::kMesh, MeshSection(2, lists));
         return Version34File(sections);
     },
     "truncated polygon record at byte [0-9,]+ in face list 1 in mesh section"},
};

TEST(ReadFault, EachFaultSaysWhatAndWhere) {
    for (const FaultCase& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_THAT(DescribeFault(FaultIn(c.file())), MatchesRegex(c.expected));
    }
}

// The negative length of the second light's name is the only such word in
// the file; the fault lies where it starts.
TEST(ReadFault, TheOffsetIsWhereTheRecordStopped) {
    const Bytes file = LegacyFileBuilder(31).Begin(S::Lights, 2).Light("Sun").Int(-2).File();
    const Bytes word = {0xFE, 0xFF, 0xFF, 0xFF};
    const auto at = std::search(file.begin(), file.end(), word.begin(), word.end());
    ASSERT_NE(at, file.end());
    const ReadFault fault = FaultIn(file);
    ASSERT_TRUE(fault.noted);
    EXPECT_EQ(fault.kind, FaultKind::BadString);
    EXPECT_EQ(fault.offset, static_cast<std::uint32_t>(at - file.begin()));
}

TEST(ReadFault, NothingIsNotedForAFileThatReads) {
    ReadFault fault;
    EXPECT_EQ(DescribeFault(fault), "");
    LoadOptions options = LoadOptions::AsStored();
    options.faultSeen = &fault;
    TVXScene scene;
    TVXFileReader reader(ByteBuffer::CopyOf(RichScene(31).File()));
    ASSERT_EQ(ParseScene(reader, scene, options), kLoadOk);
    EXPECT_FALSE(fault.noted);
}

}  // namespace
}  // namespace tvx::test
