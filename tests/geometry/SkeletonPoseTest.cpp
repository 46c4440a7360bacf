#include "geometry/SkeletonPose.h"

#include <gtest/gtest.h>

#include "GeometryTestHelpers.h"
#include "SceneBuilders.h"
#include "geometry/KeySampling.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

using testing::AddBone;
using testing::AddVertex;
using testing::AxisAngle;
using testing::MatricesNear;
using testing::QuaternionsNear;
using testing::Translation;
using testing::VectorsNear;

PoseTables Posed(const TVXScene& scene, float t = 0.0f) {
    PoseTables tables;
    (void)BuildBonePoses(scene, tables);
    (void)BuildPosedVertices(scene, tables);
    ComputeBindPose(tables, 1);
    ComputePose(scene, tables, t);
    return tables;
}

// Two bones, a root turned and moved and a child further out, and vertices
// weighted in every way a file can weight them.
TVXScene SkinnedScene() {
    TVXScene scene;
    AddBone(scene, -1, {1.0f, 2.0f, 3.0f}, AxisAngle({0.0f, 1.0f, 0.0f}, 0.7f));
    AddBone(scene, 0, {0.0f, 4.0f, 0.0f}, AxisAngle({1.0f, 0.0f, 0.0f}, -0.4f), {2.0f, 2.0f, 2.0f});
    AddVertex(scene, {1.0f, 1.0f, 1.0f}, {{0, 1.0f}});
    AddVertex(scene, {2.0f, -1.0f, 0.5f}, {{0, 0.5f}, {1, 0.5f}});
    AddVertex(scene, {3.0f, 3.0f, 3.0f});
    AddVertex(scene, {4.0f, 4.0f, 4.0f}, {{-1, 1.0f}, {2, 0.5f}, {1 << 30, 0.5f}});
    return scene;
}

TEST(SkeletonPose, BonesWithoutKeysPoseAtTheirBindPoseSoVerticesStayPut) {
    const TVXScene scene = SkinnedScene();
    const PoseTables tables = Posed(scene);
    ASSERT_EQ(tables.posedVertices.size(), scene.vertices.size());
    for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
        EXPECT_TRUE(VectorsNear(scene.vertices[i].position, tables.posedVertices[i].position, 1e-5f)) << "vertex " << i;
    }
    for (const BonePose& pose : tables.bonePoses) {
        EXPECT_TRUE(MatricesNear(pose.bindWorld, pose.poseWorld, 1e-6f));
    }
}

TEST(SkeletonPose, BindPoseComposesAlongTheChainAndMeasuresBones) {
    const TVXScene scene = SkinnedScene();
    const PoseTables tables = Posed(scene);
    const BonePose& root = tables.bonePoses[0];
    const BonePose& child = tables.bonePoses[1];
    EXPECT_EQ(root.worldPosition, (Vector3{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(root.length, 0.0f);
    EXPECT_TRUE(MatricesNear(MultiplyAffine(root.bindWorld, child.bindLocal), child.bindWorld, 1e-6f));
    EXPECT_TRUE(MatricesNear(Matrix4::Identity(), Multiply(child.bindWorld, child.inverseBindWorld), 1e-5f));
    EXPECT_NEAR(child.length, 4.0f, 1e-5f);  // the child's offset, turned by its parent
    EXPECT_EQ(child.parentIndex, 0);
    EXPECT_EQ(child.scale, (Vector3{2.0f, 2.0f, 2.0f}));
}

TEST(SkeletonPose, AChildBeforeItsParentComposesWithTheParentsIdentity) {
    TVXScene scene;
    AddBone(scene, 1, {0.0f, 1.0f, 0.0f});
    AddBone(scene, -1, {5.0f, 0.0f, 0.0f});
    AddBone(scene, 7, {0.0f, 0.0f, 2.0f});  // names no bone: a root
    const PoseTables tables = Posed(scene);
    EXPECT_EQ(tables.bonePoses[0].bindWorld, Translation(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(tables.bonePoses[0].length, Distance(Vector3{5.0f, 0.0f, 0.0f}, Vector3{0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(tables.bonePoses[2].bindWorld, Translation(0.0f, 0.0f, 2.0f));
    EXPECT_EQ(tables.bonePoses[2].length, 0.0f);
}

TEST(SkeletonPose, KeysAtTimeZeroMoveTheSkinOnTopOfTheBindPose) {
    TVXScene scene;
    AddBone(scene, -1, {0.0f, 0.0f, 0.0f}, AxisAngle({0.0f, 0.0f, 1.0f}, 1.5707964f));
    AddVertex(scene, {1.0f, 0.0f, 0.0f}, {{0, 1.0f}});
    TVXBoneTrack& track = scene.animations.emplace_back().tracks.emplace_back();
    track.positionKeys = {{0.0f, {2.0f, 0.0f, 0.0f}}, {1.0f, {9.0f, 9.0f, 9.0f}}};
    const PoseTables tables = Posed(scene);
    // The key's offset is along the bone's own x, which the bind turn points along world y.
    EXPECT_TRUE(VectorsNear({1.0f, 2.0f, 0.0f}, tables.posedVertices[0].position, 1e-5f));
}

// A skin that stretches x twice over: a normal must stay square to the
// stretched surface, and a mirroring one keeps it on the side its face's
// winding shows.
TEST(SkeletonPose, StoredNormalsTurnWithTheSkinAsTheirFacesDo) {
    const auto posedNormal = [](Vector3 scaleKey, bool stored) {
        TVXScene scene;
        AddBone(scene, -1, {0.0f, 0.0f, 0.0f});
        AddVertex(scene, {1.0f, 0.0f, 0.0f}, {{0, 1.0f}}).normal = {1.0f, 1.0f, 0.0f};
        scene.animations.emplace_back().tracks.emplace_back().scaleKeys = {{0.0f, scaleKey}};
        scene.vertexNormalsStored = stored;
        return Posed(scene).posedVertices[0].normal;
    };
    const Vector3 stretched = posedNormal({2.0f, 1.0f, 1.0f}, true);
    EXPECT_TRUE(VectorsNear(Normalize(stretched), Normalize({1.0f, 2.0f, 0.0f}), 1e-5f));
    EXPECT_NEAR(Dot(stretched, {2.0f, -1.0f, 0.0f}), 0.0f, 1e-5f) << "square to the stretched tangent";
    EXPECT_TRUE(VectorsNear(Normalize(posedNormal({-1.0f, 1.0f, 1.0f}, true)), Normalize({1.0f, -1.0f, 0.0f}), 1e-5f));
    EXPECT_EQ(posedNormal({2.0f, 1.0f, 1.0f}, false), (Vector3{1.0f, 1.0f, 0.0f})) << "a zero the file never stored";
}

TEST(SkeletonPose, EmptyScenesLeaveEmptyTables) {
    PoseTables tables = Posed(SkinnedScene());
    const TVXScene empty;
    EXPECT_EQ(BuildBonePoses(empty, tables), 0);
    EXPECT_EQ(BuildPosedVertices(empty, tables), 0);
    EXPECT_TRUE(tables.bonePoses.empty());
    EXPECT_TRUE(tables.posedVertices.empty());
    ComputeBindPose(tables, 1);
    ComputePose(empty, tables, 0.0f);
}

TEST(KeySampling, InterpolatesBetweenKeysAndHoldsOutsideThem) {
    TVXScene scene;
    TVXBoneTrack& track = scene.animations.emplace_back().tracks.emplace_back();
    track.positionKeys = {{1.0f, {0.0f, 0.0f, 0.0f}}, {3.0f, {4.0f, 8.0f, 0.0f}}};
    const Quaternion turned = AxisAngle({0.0f, 0.0f, 1.0f}, 2.0f);
    track.rotationKeys = {{0.0f, {}}, {2.0f, turned}};
    track.scaleKeys = {{5.0f, {2.0f, 2.0f, 2.0f}}, {5.0f, {4.0f, 4.0f, 4.0f}}};

    const SampledKeys mid = SampleTrack(scene, 0, 1.5f);
    EXPECT_EQ(mid.position, (Vector3{1.0f, 2.0f, 0.0f}));
    EXPECT_TRUE(QuaternionsNear(AxisAngle({0.0f, 0.0f, 1.0f}, 1.5f), mid.rotation, 1e-5f));
    EXPECT_EQ(mid.scale, (Vector3{2.0f, 2.0f, 2.0f}));

    EXPECT_EQ(SampleTrack(scene, 0, 0.0f).position, Vector3{}) << "the first key holds before it";
    EXPECT_EQ(SampleTrack(scene, 0, 10.0f).position, (Vector3{4.0f, 8.0f, 0.0f}));
    // Two keys at one time: the span counts as 1 and u clamps to 1.
    EXPECT_EQ(SampleTrack(scene, 0, 6.0f).scale, (Vector3{4.0f, 4.0f, 4.0f}));
}

TEST(KeySampling, MissingAnimationsTracksAndKeysGiveTheRestPose) {
    TVXScene scene;
    const SampledKeys none = SampleTrack(scene, 0, 0.0f);
    EXPECT_EQ(none.position, Vector3{});
    EXPECT_EQ(none.rotation, Quaternion{});
    EXPECT_EQ(none.scale, (Vector3{1.0f, 1.0f, 1.0f}));
    scene.animations.emplace_back().tracks.emplace_back();
    EXPECT_EQ(SampleTrack(scene, 0, 0.0f).scale, (Vector3{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(SampleTrack(scene, 1, 0.0f).scale, (Vector3{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(SampleTrack(scene, -1, 0.0f).scale, (Vector3{1.0f, 1.0f, 1.0f}));
}

// Key times are compared as unsigned bit patterns: a negative time sorts
// after every positive one.
TEST(KeySampling, KeyTimesCompareAsUnsignedBitPatterns) {
    TVXScene scene;
    TVXBoneTrack& track = scene.animations.emplace_back().tracks.emplace_back();
    track.positionKeys = {{-1.0f, {1.0f, 0.0f, 0.0f}}, {2.0f, {3.0f, 0.0f, 0.0f}}};
    EXPECT_EQ(SampleTrack(scene, 0, 1.0f).position, (Vector3{1.0f, 0.0f, 0.0f})) << "-1 is not below 1";
    track.positionKeys = {{0.0f, {1.0f, 0.0f, 0.0f}}, {2.0f, {3.0f, 0.0f, 0.0f}}};
    EXPECT_EQ(SampleTrack(scene, 0, -1.0f).position, (Vector3{3.0f, 0.0f, 0.0f})) << "every key is below -1";
}

}  // namespace
}  // namespace tvx
