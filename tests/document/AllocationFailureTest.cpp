// Out-of-memory behaviour: every allocation reports 0 and leaves its array
// absent, never an exception.
#include <gtest/gtest.h>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "tests/support/AllocationLimit.h"

namespace tvx {
namespace {

TEST(AllocationFailure, ArraysEndAbsentWithCountZero) {
    TVXScene scene;
    ASSERT_EQ(AllocLights(scene, 2), 1);
    ASSERT_EQ(AllocVertices(scene, 2), 1);
    ASSERT_EQ(AllocMaterials(scene, 1), 1);
    {
        test::AllocationLimit limit(1024);
        EXPECT_EQ(AllocLights(scene, 100000), 0);
        EXPECT_EQ(AllocVertices(scene, 100000), 0);
        EXPECT_EQ(AllocMaterials(scene, 100000), 0);
    }
    EXPECT_TRUE(scene.lights.empty());
    EXPECT_TRUE(scene.vertices.empty());
    EXPECT_TRUE(scene.materials.empty());
}

TEST(AllocationFailure, PolygonsAndMapsReportNothing) {
    TVXFaceList faceList;
    ASSERT_EQ(AllocPolygons(faceList, 1), 1);
    TVXMaterial material;
    ASSERT_EQ(AllocMapSlots(material, 1), 1);
    {
        test::AllocationLimit failEverything(0);
        EXPECT_EQ(InitPolygon(faceList, 0, 3), nullptr);
        EXPECT_EQ(CreateMap(material, 0, 0, kMapKindCube), nullptr);
    }
    EXPECT_FALSE(faceList.polygons[0].hasArrays());
    EXPECT_FALSE(material.mapSlots[0].has_value());
    EXPECT_NE(InitPolygon(faceList, 0, 3), nullptr);
}

// Fails each allocation of a three-corner polygon list in turn.
TEST(AllocationFailure, EveryStepOfAThreeCornerListFailsCleanly) {
    for (long failAt = 0; failAt < 6; ++failAt) {
        TVXFaceList faceList;
        int result = 0;
        bool failed = false;
        {
            test::AllocationLimit limit(std::numeric_limits<std::size_t>::max(), failAt);
            result = AllocThreeCornerPolygons(faceList, 4);
            failed = limit.anyFailed();
        }
        EXPECT_EQ(result, failed ? 0 : 1) << "failing allocation " << failAt;
    }
}

}  // namespace
}  // namespace tvx
