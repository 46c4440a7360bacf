#include "geometry/TriangulatePolygons.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <vector>

#include "SceneBuilders.h"

namespace tvx {
namespace {

using testing::AddPolygon;
using testing::AddVertex;

std::vector<CornerTriple> Triangles(int n) {
    std::vector<CornerTriple> out;
    ForEachTriangle(n, [&](const CornerTriple& t) { out.push_back(t); });
    return out;
}

std::vector<int> Ints(std::span<const int> s) { return {s.begin(), s.end()}; }

// A scene with vertices and one face list per list of polygons given by
// their corner vertex indices.
TVXScene SceneOf(std::initializer_list<std::initializer_list<std::initializer_list<int>>> lists) {
    TVXScene scene;
    AddVertex(scene, {});
    for (const auto& polygons : lists) {
        TVXFaceList& list = scene.faceLists.emplace_back();
        for (const auto& corners : polygons) {
            AddPolygon(list, corners);
        }
    }
    return scene;
}

TEST(TriangulatePolygons, FansCloseFromBothEnds) {
    using T = std::vector<CornerTriple>;
    EXPECT_EQ(Triangles(3), (T{{0, 1, 2}}));
    EXPECT_EQ(Triangles(4), (T{{3, 0, 2}, {0, 1, 2}}));
    EXPECT_EQ(Triangles(5), (T{{4, 0, 3}, {0, 1, 3}, {3, 1, 2}}));
    EXPECT_EQ(Triangles(6), (T{{5, 0, 4}, {0, 1, 4}, {4, 1, 3}, {1, 2, 3}}));
    EXPECT_EQ(Triangles(7), (T{{6, 0, 5}, {0, 1, 5}, {5, 1, 4}, {1, 2, 4}, {4, 2, 3}}));
    EXPECT_TRUE(Triangles(2).empty());
    EXPECT_TRUE(Triangles(0).empty());
    EXPECT_TRUE(Triangles(-5).empty());
}

// Any n-gon: n - 2 triangles that use every corner and, on a convex polygon,
// cover exactly its area with the polygon's own winding.
TEST(TriangulatePolygons, AnNGonKeepsItsAreaAndEveryCorner) {
    for (int n = 3; n <= 40; ++n) {
        std::vector<double> x(static_cast<std::size_t>(n));
        std::vector<double> y(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            const double angle = 2.0 * std::numbers::pi * i / n;
            x[static_cast<std::size_t>(i)] = std::cos(angle);
            y[static_cast<std::size_t>(i)] = std::sin(angle);
        }
        const double polygonArea = 0.5 * n * std::sin(2.0 * std::numbers::pi / n);
        double area = 0.0;
        std::set<int> used;
        const auto triangles = Triangles(n);
        ASSERT_EQ(triangles.size(), static_cast<std::size_t>(n - 2));
        for (const CornerTriple& t : triangles) {
            const auto a = static_cast<std::size_t>(t[0]), b = static_cast<std::size_t>(t[1]),
                       c = static_cast<std::size_t>(t[2]);
            const double signedArea = 0.5 * ((x[b] - x[a]) * (y[c] - y[a]) - (x[c] - x[a]) * (y[b] - y[a]));
            EXPECT_GT(signedArea, 0.0) << "n " << n << ": a triangle turned over";
            area += signedArea;
            used.insert(t.begin(), t.end());
        }
        EXPECT_NEAR(area, polygonArea, 1e-9) << "n " << n;
        EXPECT_EQ(used.size(), static_cast<std::size_t>(n)) << "n " << n;
    }
}

TEST(TriangulatePolygons, ScenesOfTrianglesOnlyKeepTheirArrays) {
    TVXScene scene = SceneOf({{{0, 1, 2}, {2, 1, 3}}});
    const int* before = scene.faceLists[0].polygons[0].vertexIndices().data();
    EXPECT_EQ(TriangulatePolygons(scene), 0);
    EXPECT_EQ(scene.faceLists[0].polygons[0].vertexIndices().data(), before);
    EXPECT_EQ(scene.faceLists[0].polygons[1].groupIndex, 0);
}

TEST(TriangulatePolygons, AQuadBecomesTwoTrianglesCarryingEveryIndex) {
    TVXScene scene = SceneOf({{{10, 11, 12, 13}}});
    scene.faceLists[0].polygons[0].materialIndex = 4;
    scene.faceLists[0].polygons[0].smoothing = 3;
    ASSERT_EQ(TriangulatePolygons(scene), 1);
    const auto& polygons = scene.faceLists[0].polygons;
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(Ints(polygons[0].vertexIndices()), (std::vector<int>{13, 10, 12}));
    EXPECT_EQ(Ints(polygons[1].vertexIndices()), (std::vector<int>{10, 11, 12}));
    EXPECT_EQ(Ints(polygons[0].secondIndices()), (std::vector<int>{113, 110, 112}));
    EXPECT_EQ(Ints(polygons[0].uvIndices(0)), (std::vector<int>{1013, 1010, 1012}));
    EXPECT_EQ(Ints(polygons[0].uvSecondIndices(1)), (std::vector<int>{2014, 2011, 2013}));
    for (const TVXPolygon& p : polygons) {
        EXPECT_EQ(p.materialIndex, 4);
        EXPECT_EQ(p.groupIndex, -1);
        EXPECT_EQ(p.smoothing, 3) << "the polygon's smoothing number, which shades it";
    }
}

TEST(TriangulatePolygons, OneQuadMakesEveryPolygonNewInEveryList) {
    TVXScene scene = SceneOf({{{0, 1, 2}}, {}, {{3, 4, 5}, {0, 1, 2, 3, 4}}});
    ASSERT_EQ(TriangulatePolygons(scene), 1);
    ASSERT_EQ(scene.faceLists.size(), 3u);
    EXPECT_EQ(scene.faceLists[0].polygons.size(), 1u);
    EXPECT_EQ(scene.faceLists[1].polygons.size(), 0u);
    ASSERT_EQ(scene.faceLists[2].polygons.size(), 4u);
    EXPECT_EQ(scene.faceLists[0].polygons[0].groupIndex, -1);
    EXPECT_EQ(Ints(scene.faceLists[0].polygons[0].vertexIndices()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Ints(scene.faceLists[2].polygons[1].vertexIndices()), (std::vector<int>{4, 0, 3}));
}

TEST(TriangulatePolygons, DegenerateAndUnusualPolygonsAreHandledWithinBounds) {
    TVXScene scene = SceneOf({});
    TVXFaceList& list = scene.faceLists.emplace_back();
    AddPolygon(list, {7, 8});                   // two corners: dropped
    list.polygons.emplace_back();               // no arrays at all: dropped
    AddPolygon(list, {}, 3);                    // zero corners, three channels: dropped
    AddPolygon(list, {0, 1, 2, 3}, 3);          // three channels: the first two carried
    AddPolygon(list, {-5, 900, 2, 1 << 30}, 0); // indices out of range are copied, not followed
    ASSERT_EQ(TriangulatePolygons(scene), 1);

    const auto& polygons = scene.faceLists[0].polygons;
    ASSERT_EQ(polygons.size(), 4u);
    EXPECT_EQ(polygons[0].uvChannelCount(), 2);
    EXPECT_EQ(Ints(polygons[0].uvIndices(1)), (std::vector<int>{2003, 2000, 2002}));
    EXPECT_EQ(Ints(polygons[2].vertexIndices()), (std::vector<int>{1 << 30, -5, 2}));
    EXPECT_EQ(Ints(polygons[2].uvIndices(0)), (std::vector<int>{-1, -1, -1})) << "a source without channels";
}

TEST(TriangulatePolygons, NothingHappensWithoutVertices) {
    TVXScene scene = SceneOf({{{0, 1, 2, 3}}});
    scene.vertices.clear();
    EXPECT_EQ(TriangulatePolygons(scene), 0);
    EXPECT_EQ(scene.faceLists[0].polygons[0].cornerCount(), 4);
}

}  // namespace
}  // namespace tvx
