// Running out of memory in the post-load processing: each step leaves its
// part as it was, or its table empty, at whichever allocation it fails.
#include <gtest/gtest.h>

#include "SceneBuilders.h"
#include "geometry/ProcessLoadedScene.h"
#include "geometry/SkeletonPose.h"
#include "geometry/TriangulatePolygons.h"
#include "tests/support/AllocationLimit.h"

namespace tvx {
namespace {

TVXScene QuadScene() {
    TVXScene scene;
    for (int i = 0; i < 4; ++i) {
        testing::AddVertex(scene, {static_cast<float>(i), 0.0f, 0.0f}, {{0, 1.0f}});
    }
    testing::AddBone(scene, -1, {0.0f, 1.0f, 0.0f});
    TVXFaceList& list = scene.faceLists.emplace_back();
    for (int i = 0; i < 3; ++i) {
        testing::AddPolygon(list, {0, 1, 2, 3});
    }
    return scene;
}

TEST(ProcessingAllocation, TriangulationIsAllOrNothing) {
    bool succeeded = false;
    for (long failAt = 0; !succeeded; ++failAt) {
        TVXScene scene = QuadScene();
        const int* before = scene.faceLists[0].polygons[2].vertexIndices().data();
        int result = 0;
        {
            test::AllocationLimit limit(std::numeric_limits<std::size_t>::max(), failAt);
            result = TriangulatePolygons(scene);
        }
        succeeded = result == 1;
        if (succeeded) {
            EXPECT_EQ(scene.faceLists[0].polygons.size(), 6u);
        } else {
            ASSERT_EQ(scene.faceLists[0].polygons.size(), 3u) << "failing at " << failAt;
            EXPECT_EQ(scene.faceLists[0].polygons[2].vertexIndices().data(), before);
            EXPECT_EQ(scene.faceLists[0].polygons[2].cornerCount(), 4);
        }
    }
}

TEST(ProcessingAllocation, PoseTablesEndEmptyAndTheSequenceStillRuns) {
    const TVXScene source = QuadScene();
    // Bones first, then vertices: the first run has memory for neither.
    for (long failAt = 0; failAt < 2; ++failAt) {
        TVXScene scene = source;
        PoseTables tables;
        int built = 0;
        {
            test::AllocationLimit limit(std::numeric_limits<std::size_t>::max(), failAt);
            built = BuildBonePoses(scene, tables) + BuildPosedVertices(scene, tables);
            ComputeBindPose(tables, 1);
            ComputePose(scene, tables, 0.0f);
        }
        EXPECT_EQ(built, failAt);
        EXPECT_EQ(tables.bonePoses.size(), static_cast<std::size_t>(failAt));
        EXPECT_TRUE(tables.posedVertices.empty());
    }
    TVXScene scene = source;
    PoseTables tables;
    {
        test::AllocationLimit failEverything(0);
        ProcessLoadedScene(scene, tables);
    }
    EXPECT_TRUE(tables.bonePoses.empty());
    EXPECT_TRUE(tables.posedVertices.empty());
}

}  // namespace
}  // namespace tvx
