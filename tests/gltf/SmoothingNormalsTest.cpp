// Normals from smoothing groups: a unit cube on eight shared vertices, its
// faces in one group, in six or in none, mirrored, and with a degenerate
// triangle among them.
#include "gltf/SmoothingNormals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tvx::gltf {
namespace {

// Vertex i at (x, y, z) = its bits 0, 1, 2; each face counter-clockwise
// seen from outside, with its outward axis.
struct CubeFace {
    std::array<std::uint32_t, 4> quad;
    Vec3d outward;
};
constexpr CubeFace kFaces[] = {
    {{0, 2, 3, 1}, {0, 0, -1}}, {{4, 5, 7, 6}, {0, 0, 1}}, {{0, 1, 5, 4}, {0, -1, 0}},
    {{2, 6, 7, 3}, {0, 1, 0}},  {{0, 4, 6, 2}, {-1, 0, 0}}, {{1, 3, 7, 5}, {1, 0, 0}},
};

std::vector<Vec3d> CubePositions(double mirrorX = 1.0) {
    std::vector<Vec3d> out;
    for (int i = 0; i < 8; ++i) {
        out.push_back({mirrorX * (i & 1), static_cast<double>((i >> 1) & 1), static_cast<double>((i >> 2) & 1)});
    }
    return out;
}

// Two triangles per face; face k in groups groupsOf(k).
template <class Groups>
std::vector<SmoothedTriangle> CubeTriangles(Groups groupsOf, bool swapWinding = false) {
    std::vector<SmoothedTriangle> out;
    for (std::size_t k = 0; k < 6; ++k) {
        const auto& q = kFaces[k].quad;
        for (const std::array<std::uint32_t, 3>& t : {std::array{q[0], q[1], q[2]}, std::array{q[0], q[2], q[3]}}) {
            out.push_back({swapWinding ? std::array{t[0], t[2], t[1]} : t, groupsOf(k)});
        }
    }
    return out;
}

bool Near(const Vec3d& a, const Vec3d& b) {
    return std::fabs(a.x - b.x) < 1e-9 && std::fabs(a.y - b.y) < 1e-9 && std::fabs(a.z - b.z) < 1e-9;
}

// The cube's corner direction at vertex v: out along each axis it sits at.
Vec3d CornerDirection(const Vec3d& p) {
    const double s = 1.0 / std::sqrt(3.0);
    return {(p.x > 0.5 ? s : -s), (p.y > 0.5 ? s : -s), (p.z > 0.5 ? s : -s)};
}

TEST(SmoothingNormals, OneGroupRoundsTheCubeAndSixOrNoneKeepItFlat) {
    const std::vector<Vec3d> positions = CubePositions();
    const auto oneGroup = SmoothingNormals(positions, CubeTriangles([](std::size_t) { return 1u; }));
    const auto sixGroups = SmoothingNormals(positions, CubeTriangles([](std::size_t k) { return 1u << k; }));
    const auto noGroup = SmoothingNormals(positions, CubeTriangles([](std::size_t) { return 0u; }));
    for (std::size_t t = 0; t < 12; ++t) {
        const auto triangles = CubeTriangles([](std::size_t) { return 0u; });
        for (std::size_t c = 0; c < 3; ++c) {
            const Vec3d& p = positions[triangles[t].v[c]];
            // Angle weights give each face its 90 degrees at the corner,
            // however its quad was cut: the exact diagonal.
            EXPECT_TRUE(Near(oneGroup[t][c], CornerDirection(p))) << "triangle " << t << " corner " << c;
            EXPECT_TRUE(Near(sixGroups[t][c], kFaces[t / 2].outward)) << "triangle " << t << " corner " << c;
            EXPECT_TRUE(Near(noGroup[t][c], kFaces[t / 2].outward)) << "triangle " << t << " corner " << c;
        }
    }
}

// Faces smooth with those that share any group: the top (groups 1 and 2)
// shares group 2 with the back and nothing with the rest.
TEST(SmoothingNormals, FacesSmoothWithThoseSharingAnyOfTheirGroups) {
    const auto normals = SmoothingNormals(CubePositions(), CubeTriangles([](std::size_t k) {
                                              return k == 1 ? 0b011u : k == 3 ? 0b010u : 0b100u;
                                          }));
    // Triangle 2, the top's first, (4, 5, 7).
    const double s = 1.0 / std::sqrt(2.0);
    EXPECT_TRUE(Near(normals[2][0], {0, 0, 1})) << "at vertex 4 no face shares a group with the top";
    // At vertex 7 the top meets the back (y = 1) in group 2: they average.
    EXPECT_TRUE(Near(normals[2][2], {0, s, s}));
}

// Mirrored by x with the winding turned back, the cube's normals are the
// mirror images: they still point out.
TEST(SmoothingNormals, AMirroredCubeWithItsWindingTurnedPointsOut) {
    const auto normals = SmoothingNormals(CubePositions(-1.0), CubeTriangles([](std::size_t) { return 1u; }, true));
    const auto triangles = CubeTriangles([](std::size_t) { return 1u; }, true);
    const std::vector<Vec3d> positions = CubePositions(-1.0);
    for (std::size_t t = 0; t < 12; ++t) {
        for (std::size_t c = 0; c < 3; ++c) {
            const Vec3d& p = positions[triangles[t].v[c]];
            const Vec3d expected = CornerDirection({-p.x, p.y, p.z});
            EXPECT_TRUE(Near(normals[t][c], {-expected.x, expected.y, expected.z})) << "triangle " << t;
        }
    }
}

// A triangle of no area adds nothing where it is smoothed and takes its
// neighbours' normal; alone and flat it has none to give.
TEST(SmoothingNormals, ADegenerateTriangleTakesItsNeighboursNormalOrNone) {
    std::vector<Vec3d> positions = CubePositions();
    positions.push_back({0.5, 0.0, 0.0});  // vertex 8, on the edge 0-1
    auto triangles = CubeTriangles([](std::size_t) { return 1u; });
    triangles.push_back({{0, 8, 1}, 1u});
    const auto smooth = SmoothingNormals(positions, triangles);
    EXPECT_TRUE(Near(smooth[12][0], CornerDirection(positions[0])));
    EXPECT_TRUE(Near(smooth[0][0], CornerDirection(positions[0]))) << "its straight angle adds nothing";
    EXPECT_TRUE(Near(smooth[12][1], {})) << "vertex 8 has no face with an area";

    triangles.back().groups = 0;
    EXPECT_TRUE(Near(SmoothingNormals(positions, triangles)[12][0], {}));
    EXPECT_TRUE(SmoothingNormals(positions, {}).empty());
}

}  // namespace
}  // namespace tvx::gltf
