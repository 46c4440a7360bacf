// The bytes the version-9 writer puts in a file: the header table, the
// records the options shape, and the map forms that only show in bytes.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/Version9TestSupport.h"

namespace tvx::test {
namespace {

// Header words that hold a section's count; its offset follows.
enum : std::size_t { kLights = 4, kMaterials = 8, kGroups = 10, kVertices = 12, kFaceLists = 14, kBones = 16,
                     kAnimations = 18, kTrailer = 20 };

// Reads a written file from the start of one section.
struct SectionReader {
    SectionReader(const Written9& w, std::size_t countWord) : reader(ByteBuffer::CopyOf(w.bytes)) {
        EXPECT_TRUE(reader.SetPosition(w.header[countWord + 1]));
    }
    std::int32_t Int() {
        std::int32_t v = 0;
        EXPECT_TRUE(reader.ReadInt(v));
        return v;
    }
    float Float() {
        float v = 0;
        EXPECT_TRUE(reader.ReadFloat(v));
        return v;
    }
    // The 16-bit length and the text, checked for the zero that ends it.
    std::string String() {
        std::int16_t length = 0;
        EXPECT_TRUE(reader.ReadInt16(length));
        std::vector<std::uint8_t> text(static_cast<std::size_t>(length));
        EXPECT_TRUE(reader.ReadBytes(text));
        EXPECT_EQ(text.back(), 0);
        return {text.begin(), text.end() - 1};
    }
    TVXFileReader reader;
};

TEST(Version9Header, TableHoldsCountsAndTheOffsetOfEachCountWord) {
    TVXExporterData data;
    FillRichScene(data.scene);
    const Written9 w = Write9(data);
    ASSERT_EQ(w.result, 1);
    EXPECT_EQ(w.header[0], kTvxMagic);
    EXPECT_EQ(w.header[1], 9u);
    EXPECT_EQ(w.header[2], 0x02u);
    EXPECT_EQ(w.header[3], w.bytes.size());
    EXPECT_EQ(w.header[5], 96u);
    const std::uint32_t counts[] = {0, 0, 2, 2, 3, 2, 2, 1, 3};
    std::uint32_t previous = 0;
    for (std::size_t s = 0; s < 9; ++s) {
        const std::size_t word = kLights + 2 * s;
        EXPECT_EQ(w.header[word], counts[s]) << word;
        EXPECT_GT(w.header[word + 1], previous) << word;
        previous = w.header[word + 1];
        EXPECT_EQ(SectionReader(w, word).Int(), static_cast<std::int32_t>(counts[s])) << word;
    }
    EXPECT_EQ(w.header[22], 0u);
    EXPECT_EQ(w.header[23], 0u);
    // The header at offset 0 is the final one.
    TVXFileReader reader(ByteBuffer::CopyOf(w.bytes));
    for (const std::uint32_t expected : w.header) {
        std::uint32_t word = 0;
        ASSERT_TRUE(reader.ReadUInt(word));
        EXPECT_EQ(word, expected);
    }
}

TEST(Version9Header, EmptySceneIsACompleteFile) {
    TVXExporterData data;
    const Written9 w = Write9(data);
    ASSERT_EQ(w.result, 1);
    // 96 header bytes, eight zero counts, the trailer count and three texts.
    EXPECT_EQ(w.bytes.size(), 96u + 8 * 4 + 4 + (2 + 32) + (2 + 5) + (2 + 25));
    SectionReader trailer(w, kTrailer);
    EXPECT_EQ(trailer.Int(), 3);
    EXPECT_EQ(trailer.String(), data.creatorName);
    EXPECT_EQ(trailer.String(), "v3.0");
    EXPECT_EQ(trailer.String(), data.creatorNote);
    EXPECT_EQ(trailer.reader.remaining(), 0u);
}

TEST(Version9Header, CreatorTextsAreCutToTheirField) {
    TVXExporterData data;
    data.creatorName.assign(300, 'n');
    const Written9 w = Write9(data);
    SectionReader trailer(w, kTrailer);
    trailer.Int();
    EXPECT_EQ(trailer.String().size(), kCreatorTextCapacity - 1);
}

// With bones off, weights and animations go too; colours only with their
// option.
struct OptionCase {
    int bones;
    int animation;
    int colour;
    std::uint32_t boneCount;
    std::uint32_t animationCount;
    std::uint32_t vertexSectionBytes;  // three vertices with six weights in all
};

TEST(Version9Options, DecideBonesAnimationsColoursAndWeights) {
    const OptionCase cases[] = {
        {1, 1, 1, 2, 1, 3 * (12 + 16 + 4) + 6 * 8},
        {0, 1, 1, 0, 0, 3 * (12 + 16 + 4)},
        {1, 0, 0, 2, 0, 3 * (12 + 4) + 6 * 8},
        {0, 0, 0, 0, 0, 3 * (12 + 4)},
        {2, 1, 2, 0, 0, 3 * (12 + 4)},  // only 1 counts as on
    };
    for (const OptionCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bones << c.animation << c.colour);
        TVXExporterData data;
        FillRichScene(data.scene);
        data.options.exportBones = c.bones;
        data.options.exportAnimation = c.animation;
        data.options.exportColorChannel = c.colour;
        const Written9 w = Write9(data);
        ASSERT_EQ(w.result, 1);
        EXPECT_EQ(w.header[2], c.colour == 1 ? 0x02u : 0u);
        EXPECT_EQ(w.header[kBones], c.boneCount);
        EXPECT_EQ(w.header[kAnimations], c.animationCount);
        EXPECT_EQ(w.header[kFaceLists + 1] - w.header[kVertices + 1] - 4, c.vertexSectionBytes);
        TVXScene back;
        ASSERT_EQ(Read9(w.bytes, back), kLoadOk);
        EXPECT_EQ(back.vertices[2].weights.size(), c.bones == 1 ? 3u : 0u);
        EXPECT_EQ(back.vertices[2].color, c.colour == 1 ? data.scene.vertices[2].color : RGBA{});
    }
}

TEST(Version9UVs, IndexThatNamesNoCoordinateWritesAZeroTriplet) {
    TVXExporterData data;
    FillRichScene(data.scene);
    std::span<int> channel0 = data.scene.faceLists[1].polygons[1].uvIndices(0);
    channel0[0] = -1;
    channel0[1] = 7;  // past its set
    const Written9 w = Write9(data);
    SectionReader r(w, kFaceLists);
    // Count, two list heads, the first polygon, the second polygon's head.
    ASSERT_TRUE(r.reader.Skip(4 + 8 + 8 + (4 + 3) * 4 + 2 * 3 * 12 + (4 + 4) * 4));
    const float expected[] = {0, 0, 0, 0, 0, 0, data.scene.uvSets[0].coords[1].u, data.scene.uvSets[0].coords[1].v, 0};
    for (const float value : expected) {
        EXPECT_EQ(r.Float(), value);
    }
}

TEST(Version9UVs, MappingOptionOffWritesZeros) {
    TVXExporterData data;
    FillRichScene(data.scene);
    data.options.exportMappingChannel = 0;
    TVXScene back;
    ASSERT_EQ(Read9(Write9(data).bytes, back), kLoadOk);
    ASSERT_EQ(back.uvSets.size(), 2u);
    for (const TVXUVSet& set : back.uvSets) {
        ASSERT_EQ(set.coords.size(), 7u);
        for (const TVXUVCoord& coord : set.coords) {
            EXPECT_EQ(coord.u, 0.0f);
            EXPECT_EQ(coord.v, 0.0f);
        }
    }
}

// A material whose one map is given; the section's bytes after the material
// block and map count.
SectionReader MapBytes(const TVXMap& map, Written9& w) {
    TVXExporterData data;
    EXPECT_EQ(AllocMaterials(data.scene, 1), 1);
    data.scene.materials[0].mapSlots.push_back(map);
    w = Write9(data);
    SectionReader r(w, kMaterials);
    EXPECT_EQ(r.Int(), 1);
    EXPECT_EQ(r.String(), "Unassigned");
    EXPECT_TRUE(r.reader.Skip(92));
    EXPECT_EQ(r.Int(), 1);
    return r;
}

TEST(Version9Maps, LayeredMapOfOneEntryFillsThreeLayers) {
    TVXMap map;
    map.kind = kMapKindLayered;
    map.entries = {{TVXString::FromNarrow("a.bmp"), 1, 2, 0.5f}};
    Written9 w;
    SectionReader r = MapBytes(map, w);
    const std::int32_t head[] = {0, 4, 0x2100, 0x2901, kMapFlagsAtCreation, 1};
    for (const std::int32_t expected : head) {
        EXPECT_EQ(r.Int(), expected);
    }
    const std::uint32_t nameAt = r.reader.position();
    EXPECT_EQ(r.String(), "a.bmp");
    EXPECT_EQ(r.String(), "");
    EXPECT_EQ(r.String(), "");
    EXPECT_EQ(r.reader.position() - nameAt, 8u + 3 + 3);
    const std::int32_t ints[] = {1, 0, 0, 2, 0, 0, 0, 0, 0};
    for (const std::int32_t expected : ints) {
        EXPECT_EQ(r.Int(), expected);
    }
    EXPECT_EQ(r.Float(), 0.5f);
    EXPECT_EQ(r.Float(), 1.0f);
    EXPECT_EQ(r.Float(), 1.0f);
}

TEST(Version9Maps, StoredPathIsWrittenAsItsBareName) {
    TVXMap map;
    map.fileName = TVXString::FromNarrow("C:\\textures\\wood/oak.bmp");
    Written9 w;
    SectionReader r = MapBytes(map, w);
    EXPECT_TRUE(r.reader.Skip(6 * 4));
    std::int16_t length = 0;
    ASSERT_TRUE(r.reader.ReadInt16(length));
    EXPECT_EQ(length, 8);
}

TEST(Version9Maps, CubeMaskCountsTheFacesThatKeepANameWhenBare) {
    TVXMap map;
    map.kind = kMapKindCube;
    map.faceNames.resize(kCubeFaceCount);
    map.faceNames[1] = TVXString::FromNarrow("up.png");
    map.faceNames[2] = TVXString::FromNarrow("C:\\only\\folder\\");
    Written9 w;
    SectionReader r = MapBytes(map, w);
    EXPECT_TRUE(r.reader.Skip(5 * 4));
    EXPECT_EQ(r.Int(), 0x2);
}

}  // namespace
}  // namespace tvx::test
