// Documents written by the version-9 writer and read back by the legacy
// reader: what survives, and what the short records lose or fix.
#include <gtest/gtest.h>

#include "fileformat/container/SaveSceneFile.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/legacy/Version9TestSupport.h"

namespace tvx::test {
namespace {

class Version9RoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        FillRichScene(data.scene);
        written = Write9(data);
        ASSERT_EQ(written.result, 1);
        ASSERT_EQ(Read9(written.bytes, back), kLoadOk);
    }

    const TVXScene& sent() const { return data.scene; }

    TVXExporterData data;
    Written9 written;
    TVXScene back;
};

TEST_F(Version9RoundTrip, LightsAndCamerasAreNotWritten) {
    EXPECT_TRUE(back.lights.empty());
    EXPECT_TRUE(back.cameras.empty());
    EXPECT_EQ(back.version, 9);
}

TEST_F(Version9RoundTrip, MaterialKeepsItsBlockAndSkipsTheEmptySlot) {
    ASSERT_EQ(back.materials.size(), 2u);
    const TVXMaterial& in = sent().materials[1];
    const TVXMaterial& out = back.materials[1];
    EXPECT_EQ(out.name, in.name);
    EXPECT_EQ(out.flags, in.flags);
    EXPECT_EQ(out.colors, in.colors);
    EXPECT_EQ(out.shininess, in.shininess);
    EXPECT_EQ(out.opacity, in.opacity);
    ASSERT_EQ(out.mapSlots.size(), 8u);
    EXPECT_TRUE(back.materials[0].mapSlots.empty());
}

// Slot in the read-back material, kind, flags after reading, fields kept.
struct MapCase {
    int slot;
    int kind;
    int flags;
    int int2;
    int int3;
    float float4;
};

TEST_F(Version9RoundTrip, EachMapKindKeepsItsPayloadAndTakesItsLeadingValueAsFlags) {
    const MapCase cases[] = {
        {0, 1, 1, 0, 0, 0},
        {1, 2, 0x41 | kMapFlagsAtCreation, 21, 31, Val(4)},
        {2, 3, 1, 22, 0, 0},
        {3, 4, 0x3, 0, 0, 0},
        {4, 5, 0x9, 0, 0, 0},
        {5, 6, 1, 0, 0, 0},
        {6, 7, 1, 0, 0, 0},
        {7, kUnknownKind, 0x47 | kMapFlagsAtCreation, 0, 0, 0},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.kind);
        const TVXMap& out = *back.materials[1].mapSlots.at(At(c.slot));
        EXPECT_EQ(out.key, c.slot);
        EXPECT_EQ(out.kind, c.kind);
        EXPECT_EQ(out.flags, c.flags);
        EXPECT_EQ(out.int2, c.int2);
        EXPECT_EQ(out.int3, c.int3);
        EXPECT_EQ(out.float4, c.float4);
        const bool singleFile = ShapeOfKind(c.kind) == TVXMapShape::SingleFile && c.kind != kUnknownKind;
        EXPECT_EQ(out.fileName.narrowView(), singleFile ? "tex" + std::to_string(c.slot) + ".bmp" : "");
        EXPECT_EQ(out.int1, singleFile ? 10 + c.slot : 0);
    }
}

TEST_F(Version9RoundTrip, LayeredAndCubeNamesComeBackBare) {
    const TVXMap& layered = *back.materials[1].mapSlots[3];
    ASSERT_EQ(layered.entries.size(), 3u);
    EXPECT_EQ(layered.entries[1].fileName.narrowView(), "top.tga");
    EXPECT_EQ(layered.entries[1].int1, 5);
    EXPECT_EQ(layered.entries[1].int2, 6);
    EXPECT_EQ(layered.entries[1].weight, 0.25f);
    EXPECT_EQ(layered.entries[2].fileName.narrowView(), "");
    EXPECT_EQ(layered.entries[2].weight, 1.0f);
    const TVXMap& cube = *back.materials[1].mapSlots[4];
    EXPECT_EQ(cube.faceNames[0].narrowView(), "east.png");
    EXPECT_EQ(cube.faceNames[3].narrowView(), "north.png");
    EXPECT_EQ(cube.faceNames[5].narrowView(), "");
}

TEST_F(Version9RoundTrip, GroupsKeepNamesAndTakeTheShortPlacement) {
    ASSERT_EQ(back.groups.size(), 2u);
    EXPECT_EQ(back.groups[0].name.narrowView(), "Body");
    EXPECT_EQ(back.groups[1].groupInt1, 0);
    EXPECT_EQ(back.groups[1].groupInt2, -1);
    EXPECT_EQ(back.groups[1].transform.matrix, Matrix4::Identity());
}

TEST_F(Version9RoundTrip, VerticesKeepPositionColourAndWeights) {
    ASSERT_EQ(back.vertices.size(), sent().vertices.size());
    for (std::size_t i = 0; i < back.vertices.size(); ++i) {
        const TVXVertex& in = sent().vertices[i];
        const TVXVertex& out = back.vertices[i];
        EXPECT_EQ(out.position, in.position);
        EXPECT_EQ(out.color, in.color);
        ASSERT_EQ(out.weights.size(), in.weights.size());
        for (std::size_t w = 0; w < in.weights.size(); ++w) {
            EXPECT_EQ(out.weights[w].boneIndex, in.weights[w].boneIndex);
            EXPECT_EQ(out.weights[w].weight, in.weights[w].weight);
        }
    }
}

TEST(Version9Normals, AreWrittenOnlyForASceneThatReadThem) {
    TVXExporterData data;
    FillRichScene(data.scene);
    TVXScene back;
    ASSERT_EQ(Read9(Write9(data).bytes, back), kLoadOk);
    EXPECT_FALSE(back.vertexNormalsStored);

    data.scene.vertexNormalsStored = true;
    data.scene.vertices[0].normal = {0.0f, 0.0f, 1.0f};
    ASSERT_EQ(Read9(Write9(data).bytes, back), kLoadOk);
    EXPECT_TRUE(back.vertexNormalsStored);
    EXPECT_EQ(back.vertices[0].normal, (Vector3{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(back.vertices[0].position, data.scene.vertices[0].position);
}

TEST_F(Version9RoundTrip, PolygonsKeepTheirCornersAndTheirCoordinatesThroughRebuiltUVSets) {
    ASSERT_EQ(back.faceLists.size(), 2u);
    EXPECT_TRUE(back.faceLists[0].polygons.empty());
    ASSERT_EQ(back.faceLists[1].polygons.size(), 2u);
    for (std::size_t p = 0; p < 2; ++p) {
        const TVXPolygon& in = sent().faceLists[1].polygons[p];
        const TVXPolygon& out = back.faceLists[1].polygons[p];
        ASSERT_EQ(out.cornerCount(), in.cornerCount());
        ASSERT_EQ(out.uvChannelCount(), 2);
        EXPECT_EQ(out.groupIndex, 1);
        EXPECT_EQ(out.materialIndex, in.materialIndex < 0 ? -1 : in.materialIndex);
        EXPECT_EQ(out.smoothing, in.smoothing);
        for (int k = 0; k < 2; ++k) {
            for (int l = 0; l < in.cornerCount(); ++l) {
                EXPECT_EQ(out.vertexIndices()[At(l)], in.vertexIndices()[At(l)]);
                const TVXUVCoord& a = sent().uvSets[At(k)].coords[At(in.uvIndices(k)[At(l)])];
                const TVXUVCoord& b = back.uvSets[At(k)].coords[At(out.uvIndices(k)[At(l)])];
                EXPECT_EQ(b.u, a.u);
                EXPECT_EQ(b.v, a.v);
            }
        }
    }
}

TEST_F(Version9RoundTrip, BonesAndAnimationsKeepEveryStoredField) {
    ASSERT_EQ(back.bones.size(), 2u);
    const TVXBone& tip = back.bones[1];
    EXPECT_EQ(tip.name.narrowView(), "Tip");
    EXPECT_EQ(tip.parentIndex, 0);
    EXPECT_EQ(tip.transform.position, sent().bones[1].transform.position);
    EXPECT_EQ(tip.transform.rotation, sent().bones[1].transform.rotation);
    EXPECT_EQ(tip.transform.scale, sent().bones[1].transform.scale);
    EXPECT_EQ(tip.color, sent().bones[1].color);
    ASSERT_EQ(back.animations.size(), 1u);
    const TVXAnimation& walk = back.animations[0];
    EXPECT_EQ(walk.name.narrowView(), "Walk");
    EXPECT_EQ(walk.reserved, 4);
    EXPECT_EQ(walk.end, 30.0f);
    EXPECT_EQ(walk.frameRate, 25.0f);
    ASSERT_EQ(walk.tracks.size(), 2u);
    const TVXBoneTrack& track = walk.tracks[1];
    ASSERT_EQ(track.positionKeys.size(), 2u);
    EXPECT_EQ(track.positionKeys[1].position, (Vector3{1, 2, 3}));
    EXPECT_EQ(track.rotationKeys.at(0).rotation, (Quaternion{0, 0, 1, 0}));
    EXPECT_EQ(track.scaleKeys.at(0).time, 0.75f);
}

TEST(Version9Save, LegacyLayoutOptionGivesACompressedTargetThatLoads) {
    TempDir dir;
    TVXExporterData data;
    FillRichScene(data.scene);
    data.options.exportLegacyLayout = 1;
    ASSERT_EQ(SaveSceneFile(data, dir / "out.tvx"), 1);
    const std::vector<std::uint8_t> target = ReadFile(dir / "out.tvx");
    TVXFileReader reader(ByteBuffer::CopyOf(target));
    std::uint32_t words[6] = {};
    for (std::uint32_t& word : words) {
        ASSERT_TRUE(reader.ReadUInt(word));
    }
    EXPECT_EQ(words[0], kTvxMagic);
    EXPECT_EQ(words[1], kExportOuterVersion);
    EXPECT_EQ(words[2], kExportOuterFlags);
    EXPECT_EQ(words[3], Write9(data).bytes.size());
    EXPECT_EQ(words[5], 96u);
    TVXScene back;
    NoProgress progress;
    ASSERT_EQ(LoadScene(back, dir / "out.tvx", progress, LoadOptions::AsStored()), kLoadOk);
    EXPECT_EQ(back.version, 9);
    EXPECT_EQ(back.materials[1].mapSlots[0]->fileName.ToUtf8(), (dir / "tex0.bmp").string());
}

}  // namespace
}  // namespace tvx::test
