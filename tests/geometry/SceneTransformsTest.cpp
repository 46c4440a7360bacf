#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "GeometryTestHelpers.h"
#include "SceneBuilders.h"
#include "geometry/BoneMatrices.h"
#include "geometry/Matrix.h"
#include "geometry/SceneBounds.h"
#include "geometry/SwapUpAxis.h"

namespace tvx {
namespace {

using testing::AddBone;
using testing::AddVertex;
using testing::AxisAngle;
using testing::MatricesNear;
using testing::QuaternionsNear;
using testing::VectorsNear;

constexpr float kQuarterTurn = 0.5f * std::numbers::pi_v<float>;

Matrix4 Rows(std::array<float, 16> m) { return Matrix4{m}; }

TEST(SwapUpAxis, PointsTurnBothWaysAndViewMatricesAreMappedFromTheLeft) {
    TVXScene scene;
    AddVertex(scene, {1.0f, 2.0f, 3.0f}).normal = {0.0f, 1.0f, 0.0f};
    scene.lights.emplace_back().transform.position = {1.0f, 2.0f, 3.0f};
    scene.cameras.emplace_back().transform.matrix = testing::Translation(4.0f, 5.0f, 6.0f);

    SwapUpAxis(scene, kZUpToYUp);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{1.0f, 3.0f, -2.0f}));
    EXPECT_EQ(scene.vertices[0].normal, (Vector3{0.0f, 0.0f, -1.0f})) << "normals turn as points do";
    EXPECT_EQ(scene.lights[0].transform.position, (Vector3{1.0f, 3.0f, -2.0f}));
    EXPECT_EQ(scene.lights[0].transform.matrix,
              Rows({1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1}));
    // The translation column moves with the rows.
    EXPECT_EQ(TransformPoint(scene.cameras[0].transform.matrix, {}), (Vector3{4.0f, 6.0f, -5.0f}));

    SwapUpAxis(scene, kYUpToZUp);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{1.0f, 2.0f, 3.0f}));
    EXPECT_EQ(scene.lights[0].transform.matrix, Matrix4::Identity());
    EXPECT_EQ(scene.cameras[0].transform.matrix, testing::Translation(4.0f, 5.0f, 6.0f));
}

TEST(SwapUpAxis, ARootBoneTurnsWhileItsChildKeepsItsLocalTransform) {
    TVXScene scene;
    AddBone(scene, -1, {0.0f, 5.0f, 0.0f});
    const Quaternion childTurn = AxisAngle({0.0f, 0.0f, 1.0f}, 0.3f);
    AddBone(scene, 0, {1.0f, 2.0f, 3.0f}, childTurn, {2.0f, 2.0f, 2.0f});

    SwapUpAxis(scene, kYUpToZUp);
    const TVXTransform& root = scene.bones[0].transform;
    EXPECT_TRUE(VectorsNear({0.0f, 0.0f, 5.0f}, root.position));
    EXPECT_TRUE(VectorsNear({1.0f, 1.0f, 1.0f}, root.scale));
    const Quaternion expected = AxisAngle({1.0f, 0.0f, 0.0f}, kQuarterTurn);
    EXPECT_TRUE(QuaternionsNear(expected, root.rotation, 1e-5f) ||
                QuaternionsNear({-expected.x, -expected.y, -expected.z, -expected.w}, root.rotation, 1e-5f));

    const TVXTransform& child = scene.bones[1].transform;
    EXPECT_TRUE(VectorsNear({1.0f, 2.0f, 3.0f}, child.position));
    EXPECT_TRUE(VectorsNear({2.0f, 2.0f, 2.0f}, child.scale));
    EXPECT_TRUE(MatricesNear(RotationMatrix(childTurn), RotationMatrix(child.rotation), 1e-5f));
}

// A parent scaled to nothing has no inverse to take its child's local
// transform out of the child's world with; the child keeps its own.
TEST(SwapUpAxis, TheChildOfABoneScaledToNothingKeepsItsLocalTransform) {
    TVXScene scene;
    AddBone(scene, -1, {0.0f, 5.0f, 0.0f}, {}, {1.0f, 0.0f, 1.0f});
    const Quaternion childTurn = AxisAngle({0.0f, 0.0f, 1.0f}, 0.3f);
    AddBone(scene, 0, {1.0f, 2.0f, 3.0f}, childTurn, {2.0f, 2.0f, 2.0f});

    SwapUpAxis(scene, kYUpToZUp);
    const TVXTransform& child = scene.bones[1].transform;
    EXPECT_TRUE(VectorsNear({1.0f, 2.0f, 3.0f}, child.position));
    EXPECT_TRUE(VectorsNear({2.0f, 2.0f, 2.0f}, child.scale));
    EXPECT_TRUE(MatricesNear(RotationMatrix(childTurn), RotationMatrix(child.rotation), 1e-5f));
}

TEST(SwapUpAxis, AMirroringBoneEndsWithNegativeScaleAndAProperRotation) {
    TVXScene scene;
    AddBone(scene, -1, {1.0f, 2.0f, 3.0f}, {}, {-2.0f, 3.0f, 4.0f});
    SwapUpAxis(scene, kYUpToZUp);

    const TVXTransform& t = scene.bones[0].transform;
    EXPECT_LT(t.scale.x, 0.0f);
    EXPECT_LT(t.scale.y, 0.0f);
    EXPECT_LT(t.scale.z, 0.0f);
    // A proper rotation: with the negated scale it rebuilds the swapped local matrix.
    const Matrix4 rebuilt = BoneLocalMatrix(t.position, t.rotation, t.scale, 1);
    EXPECT_TRUE(MatricesNear(scene.bones[0].localMatrix, rebuilt, 1e-5f));
    const Matrix4 r = RotationMatrix(t.rotation);
    const float det = r(0, 0) * (r(1, 1) * r(2, 2) - r(1, 2) * r(2, 1)) -
                      r(0, 1) * (r(1, 0) * r(2, 2) - r(1, 2) * r(2, 0)) +
                      r(0, 2) * (r(1, 0) * r(2, 1) - r(1, 1) * r(2, 0));
    EXPECT_NEAR(det, 1.0f, 1e-5f);
}

// Any hierarchy in array order, any placement: turning there and back gives
// the same positions and the same bone world matrices.
TEST(SwapUpAxis, TurningThereAndBackRestoresPositionsAndBoneWorlds) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<float> coordinate(-10.0f, 10.0f);
    std::uniform_real_distribution<float> factor(0.5f, 2.0f);
    for (int trial = 0; trial < 10; ++trial) {
        TVXScene scene;
        for (int i = 0; i < 12; ++i) {
            const int parent = i == 0 ? -1 : static_cast<int>(rng() % static_cast<unsigned>(i + 1)) - 1;
            const float s = factor(rng);  // uniform: a stretch the decomposition keeps exactly
            AddBone(scene, parent, {coordinate(rng), coordinate(rng), coordinate(rng)}, testing::RandomRotation(rng),
                    {s, s, s});
            AddVertex(scene, {coordinate(rng), coordinate(rng), coordinate(rng)});
        }
        ComputeBoneMatrices(scene, 1);
        TVXScene before = scene;

        SwapUpAxis(scene, kYUpToZUp);
        SwapUpAxis(scene, kZUpToYUp);
        ComputeBoneMatrices(scene, 1);
        for (std::size_t i = 0; i < scene.bones.size(); ++i) {
            EXPECT_TRUE(MatricesNear(before.bones[i].worldMatrix, scene.bones[i].worldMatrix, 2e-4f))
                << "trial " << trial << " bone " << i;
            EXPECT_TRUE(VectorsNear(before.vertices[i].position, scene.vertices[i].position));
        }
    }
}

TEST(SwapUpAxis, ParentIndicesNamingNoBoneMakeRootsAndASelfParentStaysAtTheOrigin) {
    TVXScene scene;
    AddBone(scene, 9, {0.0f, 5.0f, 0.0f});
    AddBone(scene, 1, {3.0f, 0.0f, 0.0f});
    AddBone(scene, -4, {0.0f, 0.0f, 7.0f});
    ComputeBoneMatrices(scene, 1);
    EXPECT_EQ(scene.bones[0].worldMatrix, testing::Translation(0.0f, 5.0f, 0.0f));
    EXPECT_EQ(scene.bones[1].worldMatrix, Matrix4::Identity());

    SwapUpAxis(scene, kYUpToZUp);
    EXPECT_TRUE(VectorsNear({0.0f, 0.0f, 5.0f}, scene.bones[0].transform.position));
    EXPECT_TRUE(VectorsNear({0.0f, 0.0f, 0.0f}, scene.bones[1].transform.position));
    EXPECT_TRUE(VectorsNear({0.0f, -7.0f, 0.0f}, scene.bones[2].transform.position));
}

TEST(SceneBounds, CentringMovesVerticesViewsAndRootBonesOnly) {
    TVXScene scene;
    AddVertex(scene, {-1.0f, 2.0f, 3.0f});
    AddVertex(scene, {3.0f, 6.0f, -1.0f});
    AddBone(scene, -1, {10.0f, 10.0f, 10.0f});
    AddBone(scene, 0, {10.0f, 10.0f, 10.0f});
    scene.lights.emplace_back().transform.position = {0.0f, 0.0f, 0.0f};
    scene.cameras.emplace_back().transform.position = {1.0f, 1.0f, 1.0f};

    const SceneBounds bounds = ComputeSceneBounds(scene);
    EXPECT_EQ(bounds.minimum, (Vector3{-1.0f, 2.0f, -1.0f}));
    EXPECT_EQ(bounds.maximum, (Vector3{3.0f, 6.0f, 3.0f}));
    EXPECT_EQ(bounds.centre, (Vector3{1.0f, 4.0f, 1.0f}));
    EXPECT_EQ(bounds.size, (Vector3{4.0f, 4.0f, 4.0f}));

    TVXScene floored = scene;
    CenterOnBounds(scene, 0, 1);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{-2.0f, -2.0f, 2.0f}));
    EXPECT_EQ(scene.lights[0].transform.position, (Vector3{-1.0f, -4.0f, -1.0f}));
    EXPECT_EQ(scene.cameras[0].transform.position, (Vector3{0.0f, -3.0f, 0.0f}));
    EXPECT_EQ(scene.bones[0].transform.position, (Vector3{9.0f, 6.0f, 9.0f}));
    EXPECT_EQ(scene.bones[1].transform.position, (Vector3{10.0f, 10.0f, 10.0f}));

    CenterOnBounds(floored, 1, 1);
    EXPECT_EQ(floored.lights[0].transform.position, (Vector3{-1.0f, -2.0f, -1.0f}));
    EXPECT_EQ(ComputeSceneBounds(floored).minimum.y, 0.0f);
}

TEST(SceneBounds, NothingMovesWithoutVerticesOrWithoutAMode) {
    TVXScene scene;
    scene.lights.emplace_back().transform.position = {1.0f, 2.0f, 3.0f};
    EXPECT_EQ(ComputeSceneBounds(scene).maximum, Vector3{});
    CenterOnBounds(scene, 1, 1);
    EXPECT_EQ(scene.lights[0].transform.position, (Vector3{1.0f, 2.0f, 3.0f}));

    AddVertex(scene, {5.0f, 5.0f, 5.0f});
    CenterOnBounds(scene, 0, 0);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{5.0f, 5.0f, 5.0f}));
}

}  // namespace
}  // namespace tvx
