// A scene written in version 31 and read back by the legacy reader: what
// survives, and what the writer replaces on purpose.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/Version31TestSupport.h"

namespace tvx::test {
namespace {

TVXTransform NeutralTransform() {
    TVXTransform t;
    t.rotation = Quaternion::Zero();
    return t;
}

class Version31RoundTrip : public testing::Test {
protected:
    void SetUp() override {
        FillRichScene(data);
        written = Write31(data);
        ASSERT_EQ(written.result, 1);
        ASSERT_EQ(ReadBack(written.bytes, read), kLoadOk);
    }
    const TVXScene& in() const { return data.scene; }

    TVXExporterData data;
    Written written;
    TVXScene read;
};

TEST_F(Version31RoundTrip, EverySectionComesBackWithItsCount) {
    EXPECT_EQ(read.version, 31);
    EXPECT_EQ(read.lights.size(), 2u);
    EXPECT_EQ(read.cameras.size(), 1u);
    EXPECT_EQ(read.materials.size(), 2u);
    EXPECT_EQ(read.groups.size(), 2u);
    EXPECT_EQ(read.vertices.size(), 3u);
    EXPECT_EQ(read.uvSets.size(), 2u);
    EXPECT_EQ(read.faceLists.size(), 2u);
    EXPECT_EQ(read.bones.size(), 2u);
    EXPECT_EQ(read.animations.size(), 1u);
    // Triangles are not part of what this layout carries.
    EXPECT_TRUE(read.triangles.empty());
    EXPECT_TRUE(read.uvSets[0].triangles.empty());
}

TEST_F(Version31RoundTrip, LightsKeepAllButTheirCodeAndThirdAndFourthValues) {
    for (std::size_t i = 0; i < 2; ++i) {
        const TVXLight& a = in().lights[i];
        const TVXLight& b = read.lights[i];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.lightType, a.lightType);
        EXPECT_EQ(b.transform, a.transform);
        EXPECT_EQ(b.hotspot, a.hotspot);
        EXPECT_EQ(b.falloff, a.falloff);
        EXPECT_EQ(b.intensity, a.intensity);
        EXPECT_EQ(b.color, a.color);
        EXPECT_EQ(b.attenuationStart, a.attenuationStart);
        EXPECT_EQ(b.attenuationEnd, a.attenuationEnd);
        EXPECT_EQ(b.lightCode, 1600);
        EXPECT_EQ(b.value3, 0.0f);
        EXPECT_EQ(b.value4, 1.0f);
    }
}

TEST_F(Version31RoundTrip, CamerasKeepAllButTheirFirstInt) {
    const TVXCamera& a = in().cameras[0];
    const TVXCamera& b = read.cameras[0];
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.cameraInt1, 0);
    EXPECT_EQ(b.cameraInt2, 5);
    EXPECT_EQ(b.transform, a.transform);
    EXPECT_EQ(b.fieldOfView, a.fieldOfView);
    EXPECT_EQ(b.nearDistance, a.nearDistance);
    EXPECT_EQ(b.farDistance, a.farDistance);
}

TEST_F(Version31RoundTrip, GroupsGetTheFixedIntsAndPlacement) {
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(read.groups[i].name, in().groups[i].name);
        EXPECT_EQ(read.groups[i].groupInt1, 0);
        EXPECT_EQ(read.groups[i].groupInt2, -1);
        EXPECT_EQ(read.groups[i].transform, NeutralTransform());
    }
}

TEST_F(Version31RoundTrip, VerticesKeepPositionColourAndWeights) {
    for (std::size_t i = 0; i < 3; ++i) {
        const TVXVertex& a = in().vertices[i];
        const TVXVertex& b = read.vertices[i];
        EXPECT_EQ(b.position, a.position);
        EXPECT_EQ(b.color, a.color);
        ASSERT_EQ(b.weights.size(), 2u);
        EXPECT_EQ(b.weights[1].boneIndex, 1);
        EXPECT_EQ(b.weights[1].weight, 0.25f);
    }
}

// The exporter's own scenes have no normals; a scene read from a file that
// stored them (a conversion) writes them back.
TEST(Version31Normals, AreWrittenOnlyForASceneThatReadThem) {
    TVXExporterData data;
    FillRichScene(data);
    TVXScene read;
    ASSERT_EQ(ReadBack(Write31(data).bytes, read), kLoadOk);
    EXPECT_FALSE(read.vertexNormalsStored);

    data.scene.vertexNormalsStored = true;
    data.scene.vertices[1].normal = {0.0f, -1.0f, 0.0f};
    ASSERT_EQ(ReadBack(Write31(data).bytes, read), kLoadOk);
    EXPECT_TRUE(read.vertexNormalsStored);
    EXPECT_EQ(read.vertices[1].normal, (Vector3{0.0f, -1.0f, 0.0f}));
    EXPECT_EQ(read.vertices[1].color, data.scene.vertices[1].color) << "the colour still follows the normal";
}

TEST_F(Version31RoundTrip, UVSetsAreNamedByPositionAndLoseTheirTags) {
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(read.uvSets[k].name.ToUtf8(), "UVSet" + std::to_string(k));
        ASSERT_EQ(read.uvSets[k].coords.size(), 3u);
        for (std::size_t c = 0; c < 3; ++c) {
            EXPECT_EQ(read.uvSets[k].coords[c].tag, 0);
            EXPECT_EQ(read.uvSets[k].coords[c].u, in().uvSets[k].coords[c].u);
            EXPECT_EQ(read.uvSets[k].coords[c].v, in().uvSets[k].coords[c].v);
        }
    }
}

TEST_F(Version31RoundTrip, PolygonsBelongToTheirFaceListAndLoseSecondIndices) {
    for (int f = 0; f < 2; ++f) {
        const TVXPolygon& a = in().faceLists[static_cast<std::size_t>(f)].polygons[0];
        const TVXPolygon& b = read.faceLists[static_cast<std::size_t>(f)].polygons.at(0);
        EXPECT_EQ(b.groupIndex, f);
        EXPECT_EQ(b.materialIndex, f == 0 ? 1 : -1);
        EXPECT_EQ(b.smoothing, a.smoothing);
        ASSERT_EQ(b.cornerCount(), 3);
        ASSERT_EQ(b.uvChannelCount(), 2);
        for (std::size_t l = 0; l < 3; ++l) {
            EXPECT_EQ(b.vertexIndices()[l], a.vertexIndices()[l]);
            EXPECT_EQ(b.secondIndices()[l], -1);
            for (int k = 0; k < 2; ++k) {
                EXPECT_EQ(b.uvIndices(k)[l], a.uvIndices(k)[l]);
                EXPECT_EQ(b.uvSecondIndices(k)[l], -1);
            }
        }
    }
}

TEST_F(Version31RoundTrip, MaterialsKeepTheirBlock) {
    for (std::size_t m = 0; m < 2; ++m) {
        const TVXMaterial& a = in().materials[m];
        const TVXMaterial& b = read.materials[m];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.flags, a.flags);
        EXPECT_EQ(b.colors, a.colors);
        EXPECT_EQ(b.shininess, a.shininess);
        EXPECT_EQ(b.opacity, a.opacity);
    }
    EXPECT_TRUE(read.materials[0].mapSlots.empty());
}

// Slot 2 of the written material is empty: the eight maps come back in
// slots 0..7, in their order.
TEST_F(Version31RoundTrip, MapsOfEveryKindKeepTheirFieldsWithBareNames) {
    const auto& slots = read.materials[1].mapSlots;
    ASSERT_EQ(slots.size(), 8u);
    const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 9};
    for (std::size_t j = 0; j < 8; ++j) {
        ASSERT_TRUE(slots[j].has_value());
        const TVXMap& b = *slots[j];
        const TVXMap& a = *in().materials[1].mapSlots[j < 2 ? j : j + 1];
        EXPECT_EQ(b.key, a.key);
        EXPECT_EQ(b.kind, kinds[j]);
        EXPECT_EQ(b.flags, a.flags);
        EXPECT_EQ(b.offset, a.offset);
        EXPECT_EQ(b.tiling, a.tiling);
        EXPECT_EQ(b.angle, a.angle);
    }
    const TVXMap& kind2 = *slots[1];
    EXPECT_EQ(kind2.fileName.ToUtf8(), "kind2.bmp");
    EXPECT_EQ(std::vector<float>({kind2.float1, kind2.float2, kind2.float3, kind2.float4}),
              std::vector<float>({1.5f, 2.5f, 3.5f, 4.5f}));
    EXPECT_EQ(std::vector<int>({kind2.int1, kind2.int2, kind2.int3}), std::vector<int>({11, 21, 31}));
    EXPECT_EQ(slots[0]->int1, 10);
    EXPECT_EQ(slots[0]->float2, 2.5f);
    EXPECT_EQ(slots[2]->int2, 22);
    EXPECT_EQ(slots[5]->fileName.ToUtf8(), "kind6.bmp");
    EXPECT_EQ(slots[6]->int1, 16);

    const TVXMap& layered = *slots[3];
    ASSERT_EQ(layered.entries.size(), 2u);
    EXPECT_EQ(layered.entries[0].fileName.ToUtf8(), "l0.tga");
    EXPECT_EQ(layered.entries[1].int2, 4);
    EXPECT_EQ(layered.entries[1].weight, 0.25f);
    ASSERT_EQ(slots[4]->faceNames.size(), 6u);
    EXPECT_EQ(slots[4]->faceNames[5].ToUtf8(), "face5.png");
    // An unknown kind has no payload in the file: the reader's defaults.
    EXPECT_TRUE(slots[7]->fileName.empty());
    EXPECT_EQ(slots[7]->float1, 2.0f);
}

TEST_F(Version31RoundTrip, BonesKeepPositionScaleRotationOverNeutralAxes) {
    for (std::size_t i = 0; i < 2; ++i) {
        const TVXBone& a = in().bones[i];
        const TVXBone& b = read.bones[i];
        TVXTransform expected;
        expected.position = a.transform.position;
        expected.scale = a.transform.scale;
        expected.rotation = a.transform.rotation;
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.parentIndex, a.parentIndex);
        EXPECT_EQ(b.transform, expected);
        EXPECT_EQ(b.color, a.color);
    }
}

TEST_F(Version31RoundTrip, AnimationsKeepTheirTracksAndKeys) {
    const TVXAnimation& a = in().animations[0];
    const TVXAnimation& b = read.animations[0];
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.reserved, 6);
    EXPECT_EQ(b.start, a.start);
    EXPECT_EQ(b.end, a.end);
    EXPECT_EQ(b.frameRate, a.frameRate);
    ASSERT_EQ(b.tracks.size(), 2u);
    ASSERT_EQ(b.tracks[0].positionKeys.size(), 2u);
    EXPECT_EQ(b.tracks[0].positionKeys[1].time, 0.5f);
    EXPECT_EQ(b.tracks[0].positionKeys[1].position, (Vector3{4.0f, 5.0f, 6.0f}));
    ASSERT_EQ(b.tracks[0].rotationKeys.size(), 1u);
    EXPECT_EQ(b.tracks[0].rotationKeys[0].rotation, a.tracks[0].rotationKeys[0].rotation);
    EXPECT_TRUE(b.tracks[0].scaleKeys.empty());
    ASSERT_EQ(b.tracks[1].scaleKeys.size(), 1u);
    EXPECT_EQ(b.tracks[1].scaleKeys[0].scale, (Vector3{2.0f, 2.0f, 2.0f}));
}

}  // namespace
}  // namespace tvx::test
