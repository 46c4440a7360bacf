// Smoothing groups read back from a glTF mesh's normals: flat boxes need
// none, a round one shares one across its split vertices, creases part
// regions, and a position where more than 32 regions meet runs out.
#include "gltf/SmoothingGroups.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tvx::gltf {
namespace {

using Triangles = std::vector<std::array<std::uint32_t, 3>>;

// A unit cube, each face counter-clockwise from outside, on four vertices
// of its own (split) or on the eight corners (shared).
constexpr std::array<std::array<int, 4>, 6> kQuads = {{
    {0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5},
}};

Vec3d Corner(int i) { return {static_cast<double>(i & 1), static_cast<double>((i >> 1) & 1), static_cast<double>((i >> 2) & 1)}; }
Vec3d Outward(int i) { return {(i & 1) ? 1.0 : -1.0, (i & 2) ? 1.0 : -1.0, (i & 4) ? 1.0 : -1.0}; }

struct Mesh {
    std::vector<NormalVertex> vertices;
    Triangles triangles;
};

Mesh SplitCube(bool roundNormals) {
    Mesh m;
    for (const auto& q : kQuads) {
        const Vec3d a = Corner(q[0]), b = Corner(q[1]), c = Corner(q[2]);
        const Vec3d u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
        const Vec3d face{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        const auto base = static_cast<std::uint32_t>(m.vertices.size());
        for (const int k : q) {
            m.vertices.push_back({Corner(k), roundNormals ? Outward(k) : face});
        }
        m.triangles.push_back({base, base + 1, base + 2});
        m.triangles.push_back({base, base + 2, base + 3});
    }
    return m;
}

TEST(SmoothingGroups, AFlatBoxNeedsNoGroupAndARoundOneSharesOneAcrossItsSplitVertices) {
    const Mesh flat = SplitCube(false);
    EXPECT_EQ(SmoothingGroupsFromNormals(flat.vertices, flat.triangles), std::vector<std::uint32_t>(12, 0u));
    // Every face keeps its own four vertices, as for texture seams, but the
    // normals agree where they meet.
    const Mesh round = SplitCube(true);
    EXPECT_EQ(SmoothingGroupsFromNormals(round.vertices, round.triangles), std::vector<std::uint32_t>(12, 1u));

    Mesh none = SplitCube(true);
    for (NormalVertex& v : none.vertices) {
        v.normal.reset();
    }
    EXPECT_EQ(SmoothingGroupsFromNormals(none.vertices, none.triangles), std::vector<std::uint32_t>(12, 0u))
        << "glTF shades a primitive without normals flat";
}

// The cube's bottom, top and front (y = 0) round, each with normals leaning
// its own way, the other sides flat: the front meets both the others at a
// crease, which do not meet each other.
TEST(SmoothingGroups, RegionsMeetingAtACreaseGetDifferentGroups) {
    Mesh m = SplitCube(false);
    const Vec3d axes[] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}};
    for (std::size_t f = 0; f < 3; ++f) {
        for (std::size_t k = 0; k < 4; ++k) {
            NormalVertex& v = m.vertices[4 * f + k];
            const Vec3d& a = axes[f];
            v.normal = Vec3d{v.position.x - 0.5 + a.x, v.position.y - 0.5 + a.y, v.position.z - 0.5 + a.z};
        }
    }
    const std::vector<std::uint32_t> groups = SmoothingGroupsFromNormals(m.vertices, m.triangles);
    EXPECT_EQ(groups[0], 1u);
    EXPECT_EQ(groups[1], 1u) << "one face's two triangles join";
    EXPECT_EQ(groups[2], 1u) << "the top does not touch the bottom: the lowest group is free";
    EXPECT_EQ(groups[4], 2u) << "the front touches both";
    EXPECT_EQ(groups[5], 2u);
    for (std::size_t t = 6; t < 12; ++t) {
        EXPECT_EQ(groups[t], 0u) << "a flat side, triangle " << t;
    }
}

// Around one point, 33 regions of two bent triangles each: 32 groups go to
// the first, the last has none left and shades flat.
TEST(SmoothingGroups, MoreThan32RegionsAtOnePointLeaveTheLastFlat) {
    Mesh m;
    constexpr int kRegions = 33;
    for (int r = 0; r < kRegions; ++r) {
        const double a0 = 2 * std::numbers::pi * r / kRegions;
        const double a1 = 2 * std::numbers::pi * (r + 1) / kRegions;
        const Vec3d lean{std::cos(a0), std::sin(a0), 1.0};
        const auto base = static_cast<std::uint32_t>(m.vertices.size());
        m.vertices.push_back({{0, 0, 0}, lean});
        m.vertices.push_back({{std::cos(a0), std::sin(a0), 0}, lean});
        m.vertices.push_back({{std::cos(0.5 * (a0 + a1)), std::sin(0.5 * (a0 + a1)), 0}, lean});
        m.vertices.push_back({{std::cos(a1), std::sin(a1), 0}, lean});
        m.triangles.push_back({base, base + 1, base + 2});
        m.triangles.push_back({base, base + 2, base + 3});
    }
    const std::vector<std::uint32_t> groups = SmoothingGroupsFromNormals(m.vertices, m.triangles);
    for (int r = 0; r < 32; ++r) {
        EXPECT_EQ(groups[static_cast<std::size_t>(2 * r)], 1u << r) << "region " << r;
    }
    EXPECT_EQ(groups[64], 0u);
    EXPECT_EQ(groups[65], 0u);
    EXPECT_TRUE(SmoothingGroupsFromNormals({}, {}).empty());
}

// A point with more normals than any surface has: past the 64th different
// one nothing joins there, but faces still join where they meet elsewhere.
TEST(SmoothingGroups, APointCrowdedWithNormalsJoinsOnlyItsFirst64) {
    Mesh m;
    constexpr int kFans = 100;
    for (int r = 0; r < kFans; ++r) {
        const double a = 2 * std::numbers::pi * r / kFans;
        const auto base = static_cast<std::uint32_t>(m.vertices.size());
        const Vec3d lean{std::cos(a), std::sin(a), 1.0};
        // Two faces on the crowded point, and one more that meets the second
        // only on its rim, with the rim's normal.
        m.vertices.push_back({{0, 0, 0}, lean});
        m.vertices.push_back({{std::cos(a), std::sin(a), 0}, Vec3d{0, 0, 1}});
        m.vertices.push_back({{std::cos(a + 0.01), std::sin(a + 0.01), 0}, Vec3d{0, 0, 1}});
        m.vertices.push_back({{0, 0, 0}, lean});
        m.vertices.push_back({{2 * std::cos(a), 2 * std::sin(a), 1}, Vec3d{1, 0, 1}});
        m.triangles.push_back({base, base + 1, base + 2});
        m.triangles.push_back({base + 3, base + 2, base + 1});
        m.triangles.push_back({base + 1, base + 4, base + 2});
    }
    const std::vector<std::uint32_t> groups = SmoothingGroupsFromNormals(m.vertices, m.triangles);
    ASSERT_EQ(groups.size(), 3u * kFans);
    EXPECT_NE(groups[0], 0u) << "the first fan joins at the point and along its rim";
    EXPECT_EQ(groups[0], groups[1]);
    EXPECT_EQ(groups[0], groups[2]);
    const std::size_t last = 3 * (kFans - 1);
    EXPECT_EQ(groups[last], groups[last + 2]) << "the last still joins along its rim";
}

}  // namespace
}  // namespace tvx::gltf
