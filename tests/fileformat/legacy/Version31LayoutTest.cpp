// The bytes of a version-31 file: its header table, what the options let
// in, and the values the writer normalises.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/fileformat/legacy/Version31TestSupport.h"

namespace tvx::test {
namespace {

std::size_t Offset(const Written& w, std::size_t section) { return w.header[5 + 2 * section]; }

// A scene with no lights: its light section is a bare count at 128, and the
// camera section follows at once.
TEST(Version31Layout, HeaderTableOfASceneWithoutLights) {
    TVXExporterData data;
    ASSERT_EQ(AllocCameras(data.scene, 1), 1);
    data.scene.cameras[0].name = TVXString::FromNarrow("Cam");
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);

    // Camera: name (2 + 4), two ints, transform, three floats.
    const std::uint32_t cameras = 132;
    const std::uint32_t materials = cameras + 4 + 6 + 8 + 152 + 12;
    // UV sets: two of name (2 + 7), coordinate count, UV-triangle count.
    const std::uint32_t uvSets = materials + 4 * 4;
    const std::uint32_t faceLists = uvSets + 4 + 2 * 17;
    const std::uint32_t trailer = faceLists + 3 * 4;
    const std::uint32_t expected[26] = {
        0x48585654, 31,        0x02,          static_cast<std::uint32_t>(w.bytes.size()),
        0,          128,       1,             cameras,
        0,          materials, 0,             materials + 4,
        0,          materials + 8, 0,         materials + 12,
        2,          uvSets,    0,             faceLists,
        0,          faceLists + 4, 0,         faceLists + 8,
        3,          trailer};
    for (std::size_t i = 0; i < 32; ++i) {
        const std::uint32_t want = i < 26 ? expected[i] : 0;
        EXPECT_EQ(w.header[i], want) << "word " << i;
        EXPECT_EQ(WordAt(w.bytes, 4 * i), want) << "word " << i;
    }
}

TEST(Version31Layout, EverySectionStartsWithTheCountOfTheHeader) {
    TVXExporterData data;
    FillRichScene(data);
    Written w;
    // The caller's header is meant to be zeroed; leftovers must not reach
    // the file.
    w.header.fill(0xEEEEEEEE);
    MemoryOutputFile file;
    ASSERT_EQ(WriteVersion31(data, file, w.header), 1);
    w.bytes = file.bytes();
    EXPECT_EQ(w.header[3], w.bytes.size());
    for (std::size_t s = 0; s < 11; ++s) {
        EXPECT_EQ(WordAt(w.bytes, Offset(w, s)), w.header[4 + 2 * s]) << "section " << s;
    }
    for (std::size_t i = 0; i < 32; ++i) {
        EXPECT_EQ(WordAt(w.bytes, 4 * i), w.header[i]) << "word " << i;
    }
    EXPECT_EQ(w.header[14], 0u) << "triangles are never written";
    EXPECT_TRUE(std::all_of(w.header.begin() + 26, w.header.end(), [](std::uint32_t word) { return word == 0; }));
}

struct OptionCase {
    std::int32_t bones;
    std::int32_t animation;
    std::int32_t colour;
    std::uint32_t boneCount;
    std::uint32_t animationCount;
    std::size_t weights;
    std::uint32_t flags;
};

class Version31Options : public testing::TestWithParam<OptionCase> {};

TEST_P(Version31Options, DecideWhatIsWritten) {
    const OptionCase c = GetParam();
    TVXExporterData data;
    FillRichScene(data);
    data.options.exportBones = c.bones;
    data.options.exportAnimation = c.animation;
    data.options.exportColorChannel = c.colour;
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    EXPECT_EQ(w.header[2], c.flags);
    EXPECT_EQ(w.header[20], c.boneCount);
    EXPECT_EQ(w.header[22], c.animationCount);

    TVXScene read;
    ASSERT_EQ(ReadBack(w.bytes, read), kLoadOk);
    EXPECT_EQ(read.bones.size(), c.boneCount);
    EXPECT_EQ(read.animations.size(), c.animationCount);
    EXPECT_EQ(read.vertices[2].weights.size(), c.weights);
    EXPECT_EQ(read.vertices[2].position, data.scene.vertices[2].position);
    EXPECT_EQ(read.vertices[2].color, c.flags != 0 ? data.scene.vertices[2].color : RGBA{});
}

// An option counts only when it is exactly 1.
INSTANTIATE_TEST_SUITE_P(Table, Version31Options,
                         testing::Values(OptionCase{1, 1, 1, 2, 1, 2, 0x02}, OptionCase{0, 1, 1, 0, 0, 0, 0x02},
                                         OptionCase{2, 1, 1, 0, 0, 0, 0x02}, OptionCase{1, 0, 1, 2, 0, 2, 0x02},
                                         OptionCase{1, 2, 1, 2, 0, 2, 0x02}, OptionCase{1, 1, 0, 2, 1, 2, 0},
                                         OptionCase{1, 1, -1, 2, 1, 2, 0}));

class Version31UVSetCount : public testing::TestWithParam<int> {};

// The file always holds two UV sets, filled from as many as the scene has.
TEST_P(Version31UVSetCount, AlwaysWritesTwoSets) {
    const int sceneSets = GetParam();
    TVXExporterData data;
    ASSERT_EQ(AllocCameras(data.scene, 1), 1);
    if (sceneSets > 0) {
        ASSERT_EQ(AllocUVSets(data.scene, sceneSets), 1);
        for (TVXUVSet& set : data.scene.uvSets) {
            ASSERT_EQ(AllocUVCoords(set, 4), 1);
            set.coords[3] = {0, 0.25f, 0.75f};
        }
    }
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    EXPECT_EQ(w.header[16], 2u);
    TVXScene read;
    ASSERT_EQ(ReadBack(w.bytes, read), kLoadOk);
    ASSERT_EQ(read.uvSets.size(), 2u);
    for (int k = 0; k < 2; ++k) {
        const TVXUVSet& set = read.uvSets[static_cast<std::size_t>(k)];
        EXPECT_EQ(set.name.ToUtf8(), "UVSet" + std::to_string(k));
        EXPECT_EQ(set.coords.size(), k < sceneSets ? 4u : 0u);
        if (k < sceneSets) {
            EXPECT_EQ(set.coords[3].v, 0.75f);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SceneSets, Version31UVSetCount, testing::Values(0, 1, 2, 3));

class Version31MaterialIndex : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(Version31MaterialIndex, AnyNegativeIndexIsWrittenAsNoMaterial) {
    TVXExporterData data;
    ASSERT_EQ(AllocFaceLists(data.scene, 1), 1);
    ASSERT_EQ(AllocThreeCornerPolygons(data.scene.faceLists[0], 1), 1);
    data.scene.faceLists[0].polygons[0].materialIndex = GetParam().first;
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    // Face-list count, polygon count, corner count, channel count, face-list
    // index, then the material index.
    Cursor at(w.bytes, Offset(w, 7) + 5 * 4);
    EXPECT_EQ(at.Int(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Indices, Version31MaterialIndex,
                         testing::Values(std::pair{-7, -1}, std::pair{-1, -1},
                                         std::pair{std::numeric_limits<int>::min(), -1}, std::pair{0, 0},
                                         std::pair{5, 5}));

struct NameCase {
    std::string stored;
    std::string bare;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << '"' << c.stored << '"'; }

class Version31TextureName : public testing::TestWithParam<NameCase> {};

// The reader relinks every name of a version-31 file, so only the bytes show
// what the writer stored.
TEST_P(Version31TextureName, IsStoredAsNameAndExtension) {
    TVXExporterData data;
    ASSERT_EQ(AllocMaterials(data.scene, 1), 1);
    ASSERT_EQ(AllocMapSlots(data.scene.materials[0], 1), 1);
    CreateMap(data.scene.materials[0], 0, 0, 1)->fileName = TVXString::FromNarrow(GetParam().stored);
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    Cursor at(w.bytes, Offset(w, 2) + 4);
    EXPECT_EQ(at.String(), "Unassigned");
    // Flags, five colours, two values, map count, key, kind, flags, three
    // vectors.
    at.Skip(4 + 80 + 8 + 4 + 12 + 36);
    EXPECT_EQ(at.String(), GetParam().bare);
    EXPECT_TRUE(at.terminated());
}

INSTANTIATE_TEST_SUITE_P(Paths, Version31TextureName,
                         testing::Values(NameCase{"C:\\art\\wood\\oak.bmp", "oak.bmp"},
                                         NameCase{"/home/me/tex/oak.bmp", "oak.bmp"}, NameCase{"D:oak.bmp", "oak.bmp"},
                                         NameCase{"mixed/dirs\\oak.bmp", "oak.bmp"}, NameCase{"oak.bmp", "oak.bmp"},
                                         NameCase{"", ""}));

// A document should never hold two maps with one key, but a file that did
// would be refused whole by the reader.
TEST(Version31Layout, OnlyTheFirstMapOfAKeyIsWritten) {
    TVXExporterData data;
    ASSERT_EQ(AllocMaterials(data.scene, 1), 1);
    TVXMaterial& material = data.scene.materials[0];
    ASSERT_EQ(AllocMapSlots(material, 3), 1);
    CreateMap(material, 0, 3, 1)->int1 = 1;
    TVXMap second = *material.mapSlots[0];
    second.int1 = 2;
    material.mapSlots[1] = second;
    CreateMap(material, 2, 0, 6)->int1 = 3;
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    TVXScene read;
    ASSERT_EQ(ReadBack(w.bytes, read), kLoadOk);
    const auto& slots = read.materials[0].mapSlots;
    ASSERT_EQ(slots.size(), 2u);
    EXPECT_EQ(slots[0]->int1, 1);
    EXPECT_EQ(slots[1]->int1, 3);
}

TEST(Version31Layout, EmptySceneIsACompleteFileWithItsTrailer) {
    TVXExporterData data;
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    EXPECT_EQ(w.header[3], w.bytes.size());
    EXPECT_EQ(w.header[16], 2u);
    EXPECT_EQ(w.header[24], 3u);
    Cursor at(w.bytes, Offset(w, 10));
    EXPECT_EQ(at.Int(), 3);
    EXPECT_EQ(at.String(), "Tarvex Pro 3dsmax 2011 Exporter");
    EXPECT_EQ(at.String(), "v3.0");
    const std::string note = at.String();
    EXPECT_FALSE(note.empty());
    EXPECT_EQ(note.find('\n'), std::string::npos);
    EXPECT_EQ(note, data.creatorNote);
    EXPECT_TRUE(at.terminated());
    EXPECT_EQ(at.at(), w.bytes.size());
}

// The creator texts are 128-character fields: a text ends at its first zero
// and is cut at 127 characters.
TEST(Version31Layout, CreatorTextsFitTheirField) {
    TVXExporterData data;
    data.creatorName = std::string(300, 'n');
    data.creatorVersion = std::string("v3\0hidden", 9);
    const Written w = Write31(data);
    ASSERT_EQ(w.result, 1);
    Cursor at(w.bytes, Offset(w, 10) + 4);
    EXPECT_EQ(at.String(), std::string(127, 'n'));
    EXPECT_EQ(at.String(), "v3");
}

}  // namespace
}  // namespace tvx::test
