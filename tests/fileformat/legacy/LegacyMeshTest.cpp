// Face lists and polygons of both families: inline UV coordinates of 6..29,
// indexed UVs, triangles and UV sets of 30..33.
#include <gtest/gtest.h>

#include "tests/fileformat/legacy/LegacyTestSupport.h"

namespace tvx::test {
namespace {

using S = LegacySection;

std::vector<int> Ints(std::span<const int> values) { return {values.begin(), values.end()}; }

class LegacyInlineUVs : public testing::TestWithParam<int> {};

// Two face lists of 3 + 4 and 3 corners: ten coordinates in each UV set, the
// running index going on across the lists.
TEST_P(LegacyInlineUVs, FillTwoUVSetsByARunningIndex) {
    LegacyFileBuilder b(GetParam());
    b.Begin(S::FaceLists, 2)
        .FaceList(4, {{{0, 1, 2}, 0, 1, 2, 0, 0}, {{3, 4, 5, 6}, 0, 1, 2, 0, 100}})
        .FaceList(5, {{{7, 8, 9}, 0, 1, 2, 0, 200}});
    b.Begin(S::Bones, 1).Bone("After", -1);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    // The bone after the face lists proves each version's UV width was right.
    EXPECT_EQ(scene.bones[0].name.narrowView(), "After");
    EXPECT_EQ(scene.legacyUVCoordCount, 10);
    EXPECT_EQ(scene.fileCounts.uvSetCount, 0);
    ASSERT_EQ(scene.uvSets.size(), 2u);
    EXPECT_EQ(scene.uvSets[1].coords.size(), 10u);

    const TVXPolygon& last = scene.faceLists[1].polygons[0];
    EXPECT_EQ(last.groupIndex, 5);
    EXPECT_EQ(Ints(last.vertexIndices()), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(Ints(last.secondIndices()), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(Ints(last.uvIndices(1)), (std::vector<int>{7, 8, 9}));
    EXPECT_EQ(Ints(last.uvSecondIndices(1)), (std::vector<int>{0, 0, 0}));
    // Channel 1, corner 2 of that polygon: u = 200 + 10 + 2.
    EXPECT_EQ(scene.uvSets[1].coords[9].u, 212.0f);
    EXPECT_EQ(scene.uvSets[1].coords[9].v, -212.0f);
    EXPECT_EQ(scene.uvSets[0].coords[3].u, 100.0f);
}

// 9 carries a third float per coordinate, 10 does not.
INSTANTIATE_TEST_SUITE_P(Versions, LegacyInlineUVs, testing::Values(6, 9, 10, 29));

TEST(LegacyInlineUVs, ChannelsBeyondTheTwoSetsKeepIndicesButNoCoordinates) {
    LegacyFileBuilder b(9);
    b.Begin(S::FaceLists, 1).FaceList(0, {{{0, 1, 2}, 0, 0, 3, 0, 0}, {{3, 4, 5}, 0, 0, 1, 0, 50}});
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    const TVXPolygon& first = scene.faceLists[0].polygons[0];
    ASSERT_EQ(first.uvChannelCount(), 3);
    EXPECT_EQ(Ints(first.uvIndices(2)), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(scene.uvSets.size(), 2u);
    EXPECT_EQ(scene.uvSets[1].coords[2].u, 12.0f);
    EXPECT_EQ(scene.uvSets[0].coords[5].u, 52.0f);
}

TEST(LegacyPolygons, SizesBelowOneMeanNothingAndCornerlessPolygonsHaveNoChannels) {
    LegacyFileBuilder b(31);
    b.Begin(S::FaceLists, 1).Int(2);
    b.Int(0).Int(0x7FFFFFFF).Int(0).Int(1).Int(0);  // no corners, two billion channels
    b.Int(-4).Int(-1).Int(0).Int(1).Int(0);
    b.Begin(S::Bones, 1).Bone("After", -1);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    for (const TVXPolygon& polygon : scene.faceLists[0].polygons) {
        EXPECT_TRUE(polygon.hasArrays());
        EXPECT_EQ(polygon.cornerCount(), 0);
        EXPECT_EQ(polygon.uvChannelCount(), 0);
    }
    EXPECT_EQ(scene.bones[0].name.narrowView(), "After");
}

TEST(LegacyPolygons, FullRecordsCarryGroupSecondIndicesAndUVIndices) {
    LegacyFileBuilder b(31);
    b.Begin(S::FaceLists, 1).FaceList(0, {{{4, 5, 6}, 2, 9, 2, 3, 0}});
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    const TVXPolygon& polygon = scene.faceLists[0].polygons[0];
    EXPECT_EQ(polygon.groupIndex, 3);
    EXPECT_EQ(polygon.materialIndex, 2);
    EXPECT_EQ(polygon.smoothing, 9);
    EXPECT_EQ(Ints(polygon.secondIndices()), (std::vector<int>{104, 105, 106}));
    EXPECT_EQ(Ints(polygon.uvIndices(1)), (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(Ints(polygon.uvSecondIndices(0)), (std::vector<int>{7, 7, 7}));
    EXPECT_EQ(scene.legacyUVCoordCount, 0);
    ASSERT_EQ(scene.uvSets.size(), 2u);
    EXPECT_TRUE(scene.uvSets[0].coords.empty());
}

TEST(LegacyUVSets, CarryTheirCoordinatesAndTriangles) {
    LegacyFileBuilder b(33);
    b.Begin(S::Vertices, 1).Vertex(0, 0, 0);
    b.Begin(S::UVSets, 1).String("Main").Int(2).Int(1).Floats({0.5f, 0.25f}).Int(2).Floats({1, 2});
    b.Int(1).Triangle(20);
    TVXScene scene;
    ASSERT_EQ(Parse(b.File(), scene), kLoadOk);
    ASSERT_EQ(scene.uvSets.size(), 1u);
    const TVXUVSet& uvSet = scene.uvSets[0];
    EXPECT_EQ(uvSet.name.narrowView(), "Main");
    ASSERT_EQ(uvSet.coords.size(), 2u);
    EXPECT_EQ(uvSet.coords[1].tag, 2);
    EXPECT_EQ(uvSet.coords[1].v, 2.0f);
    ASSERT_EQ(uvSet.triangles.size(), 1u);
    EXPECT_EQ(uvSet.triangles[0].ints[0], 20);
}

}  // namespace
}  // namespace tvx::test
