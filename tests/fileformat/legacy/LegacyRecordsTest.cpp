// Lights, cameras, groups, vertices, bones and animations in both record
// families, and what a whole legacy body requires.
#include <gtest/gtest.h>

#include <string>

#include "tests/fileformat/legacy/LegacyTestSupport.h"

namespace tvx::test {
namespace {

using S = LegacySection;

struct StringCase {
    int version;
    const char16_t* expected;
};

class LegacyStrings : public testing::TestWithParam<StringCase> {};

// The same bytes "A\0B\0\0\0": UTF-16 "AB", or narrow "A" ending at the zero.
TEST_P(LegacyStrings, EncodingFollowsTheVersion) {
    LegacyFileBuilder b(GetParam().version);
    b.Begin(S::Groups, 1).RawString({'A', 0, 'B', 0, 0, 0});
    if (b.fullRecords()) {
        b.Int(0).Int(0).Transform(0);
    }
    b.Begin(S::Bones, 1).Bone("Next", -1);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    EXPECT_EQ(scene.groups[0].name.wideView(), GetParam().expected);
    EXPECT_EQ(scene.bones[0].name.narrowView(), "Next");
}

INSTANTIATE_TEST_SUITE_P(Versions, LegacyStrings,
                         testing::Values(StringCase{6, u"A"}, StringCase{9, u"A"}, StringCase{10, u"AB"},
                                         StringCase{11, u"A"}, StringCase{31, u"A"}, StringCase{32, u"AB"},
                                         StringCase{33, u"AB"}),
                         [](const auto& test) { return "v" + std::to_string(test.param.version); });

struct BoneCase {
    int version;
    Vector3 scale;
};

class LegacyBoneScale : public testing::TestWithParam<BoneCase> {};

TEST_P(LegacyBoneScale, StoredFromVersion9) {
    LegacyFileBuilder b(GetParam().version);
    b.Begin(S::Bones, 2).Bone("Root", -1).Bone("Child", 0);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    const TVXBone& child = scene.bones[1];
    EXPECT_EQ(child.parentIndex, 0);
    EXPECT_EQ(child.transform.position, (Vector3{1, 2, 3}));
    EXPECT_EQ(child.transform.rotation, (Quaternion{0, 0, 0.6f, 0.8f}));
    EXPECT_EQ(child.transform.scale, GetParam().scale);
    EXPECT_EQ(child.color, (RGBA{0.5f, 0.6f, 0.7f, 0.8f}));
}

INSTANTIATE_TEST_SUITE_P(Versions, LegacyBoneScale,
                         testing::Values(BoneCase{6, {1, 1, 1}}, BoneCase{8, {1, 1, 1}}, BoneCase{9, {2, 2, 2}},
                                         BoneCase{29, {2, 2, 2}}),
                         [](const auto& test) { return "v" + std::to_string(test.param.version); });

TEST(LegacyShortRecords, KeepAllocationDefaultsForWhatTheyLack) {
    LegacyFileBuilder b(9);
    b.Begin(S::Lights, 1).Light("Sun", 2).Begin(S::Cameras, 1).Camera("Cam").Begin(S::Groups, 1).Group("Body");
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);

    const TVXLight& light = scene.lights[0];
    EXPECT_EQ(light.lightCode, 1600);
    EXPECT_EQ(light.transform.position, (Vector3{1, 2, 3}));
    EXPECT_EQ(light.transform.xAxis, (Vector3{1, 0, 0}));
    EXPECT_EQ(light.transform.matrix, Matrix4::Identity());
    EXPECT_EQ(light.color, (RGBA{0.1f, 0.2f, 0.3f, 0.4f}));

    const TVXCamera& camera = scene.cameras[0];
    EXPECT_EQ(camera.cameraInt1, 0);
    EXPECT_EQ(camera.cameraInt2, 5);
    EXPECT_EQ(camera.transform.position, (Vector3{10, 11, 12}));
    EXPECT_EQ(camera.transform.matrix, Matrix4::Identity());

    const TVXGroup& group = scene.groups[0];
    EXPECT_EQ(group.groupInt2, -1);
    EXPECT_EQ(group.transform.yAxis, (Vector3{0, 1, 0}));
    EXPECT_EQ(group.transform.matrix, Matrix4::Identity());
    EXPECT_EQ(group.transform.scale, (Vector3{0, 0, 0}));
}

TEST(LegacyFullRecords, ReadWholeTransformsAndValues) {
    LegacyFileBuilder b(30);
    b.Begin(S::Lights, 1).Light("Sun", 2).Begin(S::Cameras, 1).Camera("Cam").Begin(S::Groups, 1).Group("Body");
    b.Begin(S::Bones, 1).Bone("Root", -1);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);

    const TVXLight& light = scene.lights[0];
    EXPECT_EQ(light.lightCode, 1601);
    EXPECT_EQ(light.transform.xAxis, (Vector3{100, 101, 102}));
    EXPECT_EQ(light.transform.matrix.m[15], 130.0f);
    EXPECT_EQ(light.attenuationEnd, 17.0f);

    EXPECT_EQ(scene.cameras[0].transform.rotation, (Quaternion{231, 232, 233, 234}));
    EXPECT_EQ(scene.groups[0].groupInt2, 9);
    EXPECT_EQ(scene.groups[0].transform.scale, (Vector3{312, 313, 314}));
    EXPECT_EQ(scene.bones[0].transform.position, (Vector3{409, 410, 411}));
}

TEST(LegacyVertices, HeaderFlagsAddANormalAndAColour) {
    LegacyFileBuilder b(31, 0x03);
    b.Begin(S::Vertices, 2).Vertex(1, 2, 3, {{0, 0.25f}, {1, 0.75f}}).Vertex(4, 5, 6);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    EXPECT_TRUE(scene.vertexNormalsStored && scene.vertexColorsStored);
    EXPECT_EQ(scene.vertices[0].normal, (Vector3{9, 9, 9}));
    EXPECT_EQ(scene.vertices[0].color, (RGBA{0.5f, 0.5f, 0.5f, 1}));
    ASSERT_EQ(scene.vertices[0].weights.size(), 2u);
    EXPECT_EQ(scene.vertices[0].weights[1].boneIndex, 1);
    EXPECT_EQ(scene.vertices[0].weights[1].weight, 0.75f);
}

TEST(LegacyAnimations, KeepAtMostOneTrackPerBoneAndNoMoreThanStored) {
    LegacyFileBuilder b(9);
    b.Begin(S::Bones, 2).Bone("A", -1).Bone("B", 0);
    b.Begin(S::Animations, 3).Animation("Surplus", 3, 2).Animation("Short", 1, 1).Animation("None", 0, 0);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    ASSERT_EQ(scene.animations.size(), 3u);
    const TVXAnimation& surplus = scene.animations[0];
    ASSERT_EQ(surplus.tracks.size(), 2u);
    ASSERT_EQ(surplus.tracks[1].positionKeys.size(), 2u);
    EXPECT_FLOAT_EQ(surplus.tracks[1].positionKeys[1].time, 1.1f);
    EXPECT_EQ(surplus.tracks[1].positionKeys[1].position, (Vector3{1, 1, 1}));
    EXPECT_EQ(surplus.tracks[1].rotationKeys[0].rotation, (Quaternion{0, 0, 0, 1}));
    // The surplus track was read, so the next animation starts in step.
    EXPECT_EQ(scene.animations[1].name.narrowView(), "Short");
    EXPECT_EQ(scene.animations[1].tracks.size(), 1u);
    EXPECT_TRUE(scene.animations[2].tracks.empty());
}

TEST(LegacyAnimations, WithoutBonesTracksAreReadAndDropped) {
    LegacyFileBuilder b(31);
    b.Begin(S::Animations, 2).Animation("First", 2, 3).Animation("Second", 0, 0);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    EXPECT_TRUE(scene.animations[0].tracks.empty());
    EXPECT_EQ(scene.animations[1].name.narrowView(), "Second");
}

TEST(LegacyBody, LearnsTheFileCountsAndGivesAGroupWhenThereIsNone) {
    LegacyFileBuilder b(31);
    b.Begin(S::Lights, 2).Light("A").Light("B").Begin(S::Triangles, 1).Triangle(1);
    b.Begin(S::Bones, -5).Begin(S::Animations, 1).Animation("Anim", 0, 0);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    TVXFileCounts expected;
    expected.lightCount = 2;
    expected.triangleCount = 1;
    expected.animationCount = 1;
    EXPECT_EQ(scene.fileCounts, expected);
    ASSERT_EQ(scene.groups.size(), 1u);
    EXPECT_EQ(scene.groups[0].name.narrowView(), "Unassigned");
    EXPECT_EQ(scene.triangles[0].ints[8], 9);
    EXPECT_EQ(scene.triangles[0].value, 1.5f);
}

TEST(LegacyBody, TrianglesAndUVSetsAloneAreNoScene) {
    LegacyFileBuilder b(31);
    b.Begin(S::Triangles, 1).Triangle(1).Begin(S::UVSets, 1).String("Set").Int(0).Int(0);
    EXPECT_EQ(Parse(b.File()), kLoadFailed);
    EXPECT_EQ(Parse(LegacyFileBuilder(9).File()), kLoadFailed);
}

TEST(LegacyBody, DerivedCountsIgnoreIndicesOutOfRange) {
    LegacyFileBuilder b(9);
    b.Begin(S::Materials, 2).MaterialHead("M0", 0).MaterialHead("M1", 0);
    b.Begin(S::Vertices, 1).Vertex(0, 0, 0, {{0, 1}, {1, 1}, {-1, 1}, {2, 1}, {1, 1}});
    b.Begin(S::FaceLists, 1)
        .FaceList(0, {{{0, 0, 0}, 1}, {{0, 0, 0}, -1}, {{0, 0, 0}, 2}, {{0, 0, 0}, 1}, {{0, 0, 0}, 0}});
    b.Begin(S::Bones, 2).Bone("A", -1).Bone("B", 0);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    EXPECT_EQ(scene.bones[0].weightedVertexCount, 1);
    EXPECT_EQ(scene.bones[1].weightedVertexCount, 2);
    EXPECT_EQ(scene.materials[0].polygonCount, 1);
    EXPECT_EQ(scene.materials[1].polygonCount, 2);
}

}  // namespace
}  // namespace tvx::test
