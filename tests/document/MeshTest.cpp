#include <gtest/gtest.h>

#include <vector>

#include "document/DerivedTables.h"
#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"

namespace tvx {
namespace {

std::vector<int> Ints(std::span<const int> view) { return {view.begin(), view.end()}; }

TEST(MeshAllocation, UVSetsAreNamedFromOne) {
    TVXScene scene;
    ASSERT_EQ(AllocUVSets(scene, 2), 1);
    EXPECT_EQ(scene.uvSets[0].name.narrowView(), "UVSet1");
    EXPECT_EQ(scene.uvSets[1].name.narrowView(), "UVSet2");
}

TEST(MeshAllocation, RecordsStartZeroed) {
    TVXScene scene;
    ASSERT_EQ(AllocVertices(scene, 2), 1);
    EXPECT_EQ(scene.vertices[1].color, RGBA{});
    EXPECT_TRUE(scene.vertices[1].weights.empty());
    ASSERT_EQ(AllocWeights(scene.vertices[1], 3), 1);
    EXPECT_EQ(scene.vertices[1].weights[2].boneIndex, 0);
    EXPECT_EQ(scene.vertices[1].weights[2].weight, 0.0f);

    ASSERT_EQ(AllocTriangles(scene, 1), 1);
    EXPECT_EQ(scene.triangles[0], TVXTriangle{});

    ASSERT_EQ(AllocUVSets(scene, 1), 1);
    ASSERT_EQ(AllocUVCoords(scene.uvSets[0], 4), 1);
    ASSERT_EQ(AllocUVTriangles(scene.uvSets[0], 2), 1);
    EXPECT_EQ(scene.uvSets[0].coords[3].tag, 0);
    EXPECT_EQ(scene.uvSets[0].triangles.size(), 2u);
}

TEST(MeshAllocation, PolygonsStartWithoutArraysAndNoMaterial) {
    TVXFaceList faceList;
    ASSERT_EQ(AllocPolygons(faceList, 2), 1);
    const TVXPolygon& polygon = faceList.polygons[1];
    EXPECT_FALSE(polygon.hasArrays());
    EXPECT_EQ(polygon.cornerCount(), 0);
    EXPECT_EQ(polygon.uvChannelCount(), 0);
    EXPECT_EQ(polygon.groupIndex, -1);
    EXPECT_EQ(polygon.materialIndex, -1);
    EXPECT_EQ(polygon.smoothing, 0);
}

TEST(InitPolygon, RaisesToThreeCornersWithTwoChannelsAllMinusOne) {
    TVXFaceList faceList;
    ASSERT_EQ(AllocPolygons(faceList, 1), 1);
    TVXPolygon* polygon = InitPolygon(faceList, 0, 1);
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->cornerCount(), 3);
    EXPECT_EQ(polygon->uvChannelCount(), 2);
    const std::vector<int> minusOnes{-1, -1, -1};
    EXPECT_EQ(Ints(polygon->vertexIndices()), minusOnes);
    EXPECT_EQ(Ints(polygon->secondIndices()), minusOnes);
    for (int channel = 0; channel < 2; ++channel) {
        EXPECT_EQ(Ints(polygon->uvIndices(channel)), minusOnes);
        EXPECT_EQ(Ints(polygon->uvSecondIndices(channel)), minusOnes);
    }
}

TEST(InitPolygon, KeepsLargerCornerCountsAndSlicesDoNotOverlap) {
    TVXFaceList faceList;
    ASSERT_EQ(AllocPolygons(faceList, 1), 1);
    TVXPolygon* polygon = InitPolygon(faceList, 0, 5);
    ASSERT_NE(polygon, nullptr);
    ASSERT_EQ(polygon->cornerCount(), 5);
    polygon->vertexIndices()[4] = 10;
    polygon->secondIndices()[0] = 20;
    polygon->uvIndices(1)[0] = 30;
    polygon->uvSecondIndices(1)[4] = 40;
    EXPECT_EQ(Ints(polygon->vertexIndices()), (std::vector<int>{-1, -1, -1, -1, 10}));
    EXPECT_EQ(Ints(polygon->secondIndices()), (std::vector<int>{20, -1, -1, -1, -1}));
    EXPECT_EQ(Ints(polygon->uvIndices(0)), (std::vector<int>(5, -1)));
    EXPECT_EQ(Ints(polygon->uvIndices(1)), (std::vector<int>{30, -1, -1, -1, -1}));
    EXPECT_EQ(Ints(polygon->uvSecondIndices(1)), (std::vector<int>{-1, -1, -1, -1, 40}));
}

TEST(InitPolygon, RefusesOutOfRangeAndPolygonsThatHaveArrays) {
    TVXFaceList empty;
    EXPECT_EQ(InitPolygon(empty, 0, 3), nullptr);

    TVXFaceList faceList;
    ASSERT_EQ(AllocPolygons(faceList, 2), 1);
    EXPECT_EQ(InitPolygon(faceList, -1, 3), nullptr);
    EXPECT_EQ(InitPolygon(faceList, 2, 3), nullptr);

    TVXPolygon* polygon = InitPolygon(faceList, 0, 3);
    ASSERT_NE(polygon, nullptr);
    polygon->vertexIndices()[0] = 7;
    EXPECT_EQ(InitPolygon(faceList, 0, 6), nullptr);
    EXPECT_EQ(polygon->cornerCount(), 3);
    EXPECT_EQ(polygon->vertexIndices()[0], 7);

    // Arrays given for zero corners still count as arrays.
    ASSERT_EQ(faceList.polygons[1].AllocArrays(0, 0, 0), 1);
    EXPECT_EQ(InitPolygon(faceList, 1, 3), nullptr);
}

TEST(TVXPolygon, GivingArraysKeepsTheFieldsAndReleaseResetsThem) {
    TVXPolygon polygon;
    polygon.groupIndex = 2;
    polygon.materialIndex = 4;
    polygon.smoothing = 3;
    ASSERT_EQ(polygon.AllocArrays(4, 2, 0), 1);
    EXPECT_EQ(polygon.groupIndex, 2);
    EXPECT_EQ(polygon.materialIndex, 4);
    EXPECT_EQ(polygon.smoothing, 3);
    EXPECT_EQ(polygon.uvIndices(1).size(), 4u);
    EXPECT_EQ(polygon.AllocArrays(-1, 0, 0), 0);

    polygon.Release();
    EXPECT_FALSE(polygon.hasArrays());
    EXPECT_EQ(polygon.cornerCount(), 0);
    EXPECT_EQ(polygon.uvChannelCount(), 0);
    EXPECT_EQ(polygon.groupIndex, -1);
    EXPECT_EQ(polygon.materialIndex, -1);
    EXPECT_EQ(polygon.smoothing, -1);
}

TEST(AllocThreeCornerPolygons, GivesEveryPolygonThreeCorners) {
    TVXFaceList faceList;
    ASSERT_EQ(AllocThreeCornerPolygons(faceList, 4), 1);
    for (const TVXPolygon& polygon : faceList.polygons) {
        EXPECT_EQ(polygon.cornerCount(), 3);
        EXPECT_EQ(polygon.uvChannelCount(), 2);
    }
    EXPECT_EQ(AllocThreeCornerPolygons(faceList, 0), 0);
}

// Adds polygons with the given material indices to a face list.
void AddPolygons(TVXFaceList& faceList, const std::vector<int>& materials) {
    ASSERT_EQ(AllocPolygons(faceList, static_cast<int>(materials.size())), 1);
    for (std::size_t i = 0; i < materials.size(); ++i) {
        faceList.polygons[i].materialIndex = materials[i];
    }
}

TVXScene SceneWithFaceLists(int groups, int materials, const std::vector<std::vector<int>>& faceLists) {
    TVXScene scene;
    EXPECT_EQ(AllocGroups(scene, groups), 1);
    EXPECT_EQ(AllocMaterials(scene, materials), 1);
    EXPECT_EQ(AllocFaceLists(scene, static_cast<int>(faceLists.size())), 1);
    for (std::size_t i = 0; i < faceLists.size(); ++i) {
        if (!faceLists[i].empty()) {
            AddPolygons(scene.faceLists[i], faceLists[i]);
        }
    }
    return scene;
}

std::vector<std::pair<int, int>> Table(const TVXGroup& group) {
    std::vector<std::pair<int, int>> rows;
    for (const auto& row : group.materialTable) {
        rows.emplace_back(row.materialIndex, row.polygonCount);
    }
    return rows;
}

TEST(BuildGroupMaterialTables, ListsUsedMaterialsInAscendingOrder) {
    TVXScene scene = SceneWithFaceLists(2, 3, {{2, 0, 2, 2}, {}});
    ASSERT_EQ(BuildGroupMaterialTables(scene), 1);
    EXPECT_EQ(Table(scene.groups[0]), (std::vector<std::pair<int, int>>{{0, 1}, {2, 3}}));
    EXPECT_TRUE(scene.groups[1].materialTable.empty());
}

TEST(BuildGroupMaterialTables, IgnoresBadIndicesAndUnpairedFaceLists) {
    // Face list 2 has no group; -1 and 3 name no material.
    TVXScene scene = SceneWithFaceLists(2, 3, {{-1, 3, 1}, {1, 1}, {0}});
    scene.groups[1].materialTable.push_back({9, 9});
    ASSERT_EQ(BuildGroupMaterialTables(scene), 1);
    EXPECT_EQ(Table(scene.groups[0]), (std::vector<std::pair<int, int>>{{1, 1}}));
    EXPECT_EQ(Table(scene.groups[1]), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(BuildGroupMaterialTables, NeedsFaceListsGroupsAndMaterials) {
    TVXScene scene = SceneWithFaceLists(1, 1, {{0}});
    scene.materials.clear();
    scene.groups[0].materialTable.push_back({0, 1});
    EXPECT_EQ(BuildGroupMaterialTables(scene), 0);
    EXPECT_EQ(scene.groups[0].materialTable.size(), 1u);  // untouched
}

TEST(DerivedCounts, CountOnlyIndicesInRange) {
    TVXScene scene = SceneWithFaceLists(2, 2, {{0, 1, -1, 5}, {1, 1}});
    scene.materials[0].polygonCount = 99;
    ComputeMaterialPolygonCounts(scene);
    EXPECT_EQ(scene.materials[0].polygonCount, 1);
    EXPECT_EQ(scene.materials[1].polygonCount, 3);

    ASSERT_EQ(AllocBones(scene, 2), 1);
    ASSERT_EQ(AllocVertices(scene, 2), 1);
    ASSERT_EQ(AllocWeights(scene.vertices[0], 3), 1);
    ASSERT_EQ(AllocWeights(scene.vertices[1], 2), 1);
    scene.vertices[0].weights[0].boneIndex = 1;
    scene.vertices[0].weights[1].boneIndex = -1;
    scene.vertices[0].weights[2].boneIndex = 2;
    scene.vertices[1].weights[0].boneIndex = 1;
    scene.vertices[1].weights[1].boneIndex = 0;
    ComputeBoneWeightCounts(scene);
    EXPECT_EQ(scene.bones[0].weightedVertexCount, 1);
    EXPECT_EQ(scene.bones[1].weightedVertexCount, 2);
}

}  // namespace
}  // namespace tvx
