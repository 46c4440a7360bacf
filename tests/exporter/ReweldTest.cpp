// The vertex reweld, checked against a plain walk over the list of kept
// vertices on meshes crowded with near-coincident corners and on hostile
// coordinates, and on a few meshes small enough to follow by hand.
#include "exporter/Reweld.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "exporter/WeldGrid.h"

namespace tvx::exporter {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The reweld as a walk over the kept vertices, newest first, for every
// marked vertex: quadratic, and the measure of the indexed one.
void ListWalkReweld(MeshEntry& mesh) {
    bool smoothed = false;
    for (const MeshFaceEntry& face : mesh.faces) {
        smoothed = smoothed || face.smoothing > 0;
    }
    if (mesh.vertices.empty() || mesh.faces.empty() || !smoothed) {
        return;
    }
    std::vector<MeshVertexEntry> corners;
    for (MeshFaceEntry& face : mesh.faces) {
        for (int& v : face.vertices) {
            corners.push_back(mesh.vertices[static_cast<std::size_t>(v)]);
            v = static_cast<int>(corners.size()) - 1;
        }
    }
    mesh.vertices = corners;
    for (int pass = 0; pass <= 32; ++pass) {
        const std::size_t n = mesh.vertices.size();
        std::vector<bool> marked(n, false);
        for (const MeshFaceEntry& face : mesh.faces) {
            const std::uint32_t mask = face.smoothingMask;
            if (pass == 0 ? mask == 0 : (mask & (1u << (pass - 1))) != 0) {
                for (const int v : face.vertices) {
                    marked[static_cast<std::size_t>(v)] = true;
                }
            }
        }
        std::vector<std::size_t> kept;  // the newest at the back
        std::vector<int> target(n, -1);
        bool anyMerged = false;
        for (std::size_t v = 0; v < n; ++v) {
            for (auto it = kept.rbegin(); marked[v] && it != kept.rend(); ++it) {
                const Vector3& a = mesh.vertices[*it].position;
                const Vector3& b = mesh.vertices[v].position;
                const float dx = a.x - b.x;
                const float dy = a.y - b.y;
                const float dz = a.z - b.z;
                if (marked[*it] && dx * dx + dy * dy + dz * dz <= 0.000001f) {
                    target[v] = static_cast<int>(*it);
                    break;
                }
            }
            if (target[v] < 0) {
                kept.push_back(v);
            } else {
                anyMerged = true;
            }
        }
        if (!anyMerged) {
            continue;
        }
        std::vector<MeshVertexEntry> rebuilt;
        std::vector<int> newIndex(n, -1);
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            newIndex[*it] = static_cast<int>(rebuilt.size());
            rebuilt.push_back(mesh.vertices[*it]);
        }
        for (MeshFaceEntry& face : mesh.faces) {
            for (int& v : face.vertices) {
                while (target[static_cast<std::size_t>(v)] >= 0) {
                    v = target[static_cast<std::size_t>(v)];
                }
                v = newIndex[static_cast<std::size_t>(v)];
            }
        }
        mesh.vertices = rebuilt;
    }
}

std::uint32_t Bits(float f) { return std::bit_cast<std::uint32_t>(f); }

bool SameBits(const Vector3& a, const Vector3& b) {
    return Bits(a.x) == Bits(b.x) && Bits(a.y) == Bits(b.y) && Bits(a.z) == Bits(b.z);
}

bool SameVertex(const MeshVertexEntry& a, const MeshVertexEntry& b) {
    if (!SameBits(a.position, b.position) || a.alphaSamples != b.alphaSamples || a.alpha != b.alpha ||
        a.colorSamples != b.colorSamples || a.color != b.color || a.weights.size() != b.weights.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.weights.size(); ++i) {
        const SkinWeightEntry& wa = a.weights[i];
        const SkinWeightEntry& wb = b.weights[i];
        if (wa.bone != wb.bone || wa.nodeIndex != wb.nodeIndex || wa.weight != wb.weight) {
            return false;
        }
    }
    return true;
}

bool SameFace(const MeshFaceEntry& a, const MeshFaceEntry& b) {
    return a.materialId == b.materialId && a.smoothing == b.smoothing && a.smoothingMask == b.smoothingMask &&
           a.vertices == b.vertices && a.textureIndices == b.textureIndices && a.colorIndices == b.colorIndices &&
           a.uv1 == b.uv1 && a.uv2 == b.uv2;
}

void ExpectSameMesh(const MeshEntry& actual, const MeshEntry& expected, const std::string& label) {
    ASSERT_EQ(actual.vertices.size(), expected.vertices.size()) << label;
    for (std::size_t i = 0; i < actual.vertices.size(); ++i) {
        ASSERT_TRUE(SameVertex(actual.vertices[i], expected.vertices[i])) << label << ": vertex " << i;
    }
    ASSERT_EQ(actual.faces.size(), expected.faces.size()) << label;
    for (std::size_t i = 0; i < actual.faces.size(); ++i) {
        ASSERT_TRUE(SameFace(actual.faces[i], expected.faces[i])) << label << ": face " << i;
    }
}

// A host vertex whose weights, colour and alpha all tell which one it was.
MeshVertexEntry HostVertex(const Vector3& position, int id) {
    MeshVertexEntry vertex;
    vertex.position = position;
    vertex.alphaSamples = id;
    vertex.alpha = static_cast<float>(id) * 0.5f;
    vertex.colorSamples = id + 1;
    vertex.color = {static_cast<float>(id), 0.25f, 0.5f, 1.0f};
    for (int w = 0; w <= id % 3; ++w) {
        vertex.weights.push_back({nullptr, 10 * id + w, static_cast<float>(w + 1) * 0.25f});
    }
    return vertex;
}

int BitLength(std::uint32_t mask) { return static_cast<int>(std::bit_width(mask)); }

MeshFaceEntry Face(int a, int b, int c, std::uint32_t mask, int id = 0) {
    MeshFaceEntry face;
    face.materialId = id;
    face.smoothing = BitLength(mask);
    face.smoothingMask = mask;
    face.vertices = {a, b, c};
    face.textureIndices = {id, id + 1, id + 2};
    face.colorIndices = {id + 3, id + 4, id + 5};
    face.uv1 = {Vector3{static_cast<float>(id), 1.0f, 0.0f}, Vector3{}, Vector3{}};
    face.uv2 = {Vector3{}, Vector3{0.0f, static_cast<float>(id), 1.0f}, Vector3{}};
    return face;
}

MeshEntry MeshOf(const std::vector<Vector3>& positions, std::vector<MeshFaceEntry> faces) {
    MeshEntry mesh;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        mesh.vertices.push_back(HostVertex(positions[i], static_cast<int>(i)));
    }
    mesh.faces = std::move(faces);
    return mesh;
}

// The host vertex each vertex of the mesh was copied from.
std::vector<int> HostIds(const MeshEntry& mesh) {
    std::vector<int> ids;
    for (const MeshVertexEntry& vertex : mesh.vertices) {
        ids.push_back(vertex.alphaSamples);
    }
    return ids;
}

using Corners = std::array<int, 3>;

std::vector<Corners> CornersOf(const MeshEntry& mesh) {
    std::vector<Corners> corners;
    for (const MeshFaceEntry& face : mesh.faces) {
        corners.push_back(face.vertices);
    }
    return corners;
}

// Two triangles on the edge from host vertex 1 to host vertex 2.
const std::vector<Vector3> kQuad = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}};

TEST(Reweld, AMeshItCannotOrNeedNotReweldStaysAsRead) {
    const struct {
        const char* what;
        MeshEntry mesh;
    } cases[] = {
        {"no smoothing groups", MeshOf(kQuad, {Face(0, 1, 2, 0), Face(2, 1, 3, 0)})},
        {"no faces", MeshOf(kQuad, {})},
        {"no vertices", MeshOf({}, {Face(0, 1, 2, 1)})},
        {"a corner naming no vertex", MeshOf(kQuad, {Face(0, 1, 2, 1), Face(2, 1, 4, 1)})},
        {"a negative corner", MeshOf(kQuad, {Face(0, 1, 2, 1), Face(2, -1, 3, 1)})},
    };
    for (const auto& c : cases) {
        MeshEntry mesh = c.mesh;
        Reweld(mesh);
        ExpectSameMesh(mesh, c.mesh, c.what);
    }
}

TEST(Reweld, FacesOfOneGroupShareOneVertexWhereTheyMeet) {
    MeshEntry mesh = MeshOf(kQuad, {Face(0, 1, 2, 1), Face(2, 1, 3, 1)});
    Reweld(mesh);
    // Corners 3 and 4 merge into 2 and 1; the four kept, newest first.
    EXPECT_EQ(HostIds(mesh), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(CornersOf(mesh), (std::vector<Corners>{{3, 2, 1}, {1, 2, 0}}));
    EXPECT_EQ(mesh.faces[1].materialId, 0);
    EXPECT_EQ(mesh.faces[1].textureIndices, (Corners{0, 1, 2})) << "only the vertex indices change";
}

TEST(Reweld, FacesOfDifferentGroupsKeepTheirOwnVerticesWhereTheyMeet) {
    MeshEntry mesh = MeshOf(kQuad, {Face(0, 1, 2, 0b01), Face(2, 1, 3, 0b10)});
    Reweld(mesh);
    // Nothing merged, so the corners keep the order they were copied in.
    EXPECT_EQ(HostIds(mesh), (std::vector<int>{0, 1, 2, 2, 1, 3}));
    EXPECT_EQ(CornersOf(mesh), (std::vector<Corners>{{0, 1, 2}, {3, 4, 5}}));
    EXPECT_EQ(mesh.vertices[3].weights.size(), mesh.vertices[2].weights.size()) << "each copy has the weights";
}

TEST(Reweld, FacesWithoutGroupsWeldOnlyAmongThemselves) {
    const std::vector<Vector3> strip = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}};
    MeshEntry mesh = MeshOf(strip, {Face(0, 1, 2, 0), Face(2, 1, 3, 0), Face(3, 1, 4, 1)});
    Reweld(mesh);
    // Pass 0 joins the first two faces and reverses the array; the third
    // face meets the second at host vertices 1 and 3 but keeps its own.
    EXPECT_EQ(HostIds(mesh), (std::vector<int>{4, 1, 3, 3, 2, 1, 0}));
    EXPECT_EQ(CornersOf(mesh), (std::vector<Corners>{{6, 5, 4}, {4, 5, 3}, {2, 1, 0}}));
}

TEST(Reweld, AFaceInTwoGroupsJoinsBoth) {
    MeshEntry mesh = MeshOf(kQuad, {Face(0, 1, 2, 0b01), Face(0, 2, 3, 0b11), Face(0, 3, 1, 0b10)});
    Reweld(mesh);
    const int shared = mesh.faces[0].vertices[0];
    EXPECT_EQ(mesh.faces[1].vertices[0], shared);
    EXPECT_EQ(mesh.faces[2].vertices[0], shared);
    EXPECT_EQ(mesh.vertices[static_cast<std::size_t>(shared)].alphaSamples, 0);
}

// Whether two corners weld is decided by the squared distance in single
// precision: 0.001f itself squares to just above 0.000001f.
TEST(Reweld, CornersWeldWhenTheirRoundedSquaredDistanceIsWithinTheLimit) {
    const float below16384 = std::nextafter(16384.0f, 0.0f);
    const float below32768 = std::nextafter(32768.0f, 0.0f);
    const struct {
        Vector3 a;
        Vector3 b;
        bool weld;
    } cases[] = {
        {{0, 0, 0}, {0.0009f, 0, 0}, true},
        {{0, 0, 0}, {0.001f, 0, 0}, false},
        {{0, 0, 0}, {0, 0, -0.001f}, false},
        {{-0.0004f, 0, 0}, {0.0004f, 0, 0}, true},
        {{0.5f, 0.5f, 0.5f}, {0.500577f, 0.500577f, 0.500577f}, true},
        {{0, 0, 0}, {0.000578f, 0.000578f, 0.000578f}, false},
        {{-0.0f, 0, 0}, {0.0f, 0, 0}, true},
        {{16384.0f, 1, 1}, {below16384, 1, 1}, true},
        {{32768.0f, 1, 1}, {below32768, 1, 1}, false},
        {{1e30f, 5.0f, -7.0f}, {1e30f, 5.0005f, -7.0f}, true},
        {{FLT_MAX, -FLT_MAX, FLT_MAX}, {FLT_MAX, -FLT_MAX, FLT_MAX}, true},
        {{FLT_MAX, 0, 0}, {-FLT_MAX, 0, 0}, false},
        {{kInf, 0, 0}, {kInf, 0, 0}, false},
        {{0, -kInf, 0}, {0, -kInf, 0}, false},
        {{kNaN, 0, 0}, {kNaN, 0, 0}, false},
        {{0, 0, kNaN}, {0, 0, 0}, false},
    };
    for (const auto& c : cases) {
        const std::vector<Vector3> positions = {c.a, {5, 5, 5}, {6, 5, 5}, c.b, {5, 6, 5}, {6, 6, 5}};
        MeshEntry mesh = MeshOf(positions, {Face(0, 1, 2, 1), Face(3, 4, 5, 1)});
        Reweld(mesh);
        const bool welded = mesh.faces[0].vertices[0] == mesh.faces[1].vertices[0];
        EXPECT_EQ(welded, c.weld) << "(" << c.a.x << ", " << c.a.y << ", " << c.a.z << ") and (" << c.b.x << ", "
                                  << c.b.y << ", " << c.b.z << ")";
        EXPECT_EQ(mesh.vertices.size(), c.weld ? 5u : 6u);
    }
}

// Smoothing masks as modelling tools leave them: often none, mostly one of
// a few groups, sometimes several, now and then group 32.
std::uint32_t RandomMask(std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0:
        case 1:
            return 0;
        case 2:
            return 0x80000000u;
        case 3:
            return std::uniform_int_distribution<std::uint32_t>(1, 15)(random);
        default:
            return 1u << std::uniform_int_distribution<int>(0, 2)(random);
    }
}

MeshEntry RandomMesh(const std::vector<Vector3>& positions, int faceCount, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> vertex(0, static_cast<int>(positions.size()) - 1);
    std::vector<MeshFaceEntry> faces;
    for (int f = 0; f < faceCount; ++f) {
        faces.push_back(Face(vertex(random), vertex(random), vertex(random), RandomMask(random), f));
    }
    return MeshOf(positions, std::move(faces));
}

void ExpectSameAsListWalk(const MeshEntry& read, const std::string& label) {
    MeshEntry expected = read;
    ListWalkReweld(expected);
    MeshEntry actual = read;
    Reweld(actual);
    ExpectSameMesh(actual, expected, label);
    EXPECT_LT(actual.vertices.size(), 3 * read.faces.size()) << label << ": nothing merged, nothing tested";
}

// Host positions on a lattice around origin, each coordinate moved by up
// to jitter: corners close to each other at, below and around the weld
// distance, so that which kept vertex is the newest within reach matters.
struct Crowd {
    const char* name;
    Vector3 origin;
    float spacing;
    int steps;  // lattice points along each axis
    float jitter;
    int hostVertices;
    int faces;
};

std::vector<Vector3> CrowdPositions(const Crowd& crowd, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> step(0, crowd.steps - 1);
    std::uniform_real_distribution<float> jitter(-crowd.jitter, crowd.jitter);
    const auto coordinate = [&](float origin) {
        return origin + static_cast<float>(step(random)) * crowd.spacing + jitter(random);
    };
    std::vector<Vector3> positions;
    for (int i = 0; i < crowd.hostVertices; ++i) {
        positions.push_back({coordinate(crowd.origin.x), coordinate(crowd.origin.y), coordinate(crowd.origin.z)});
    }
    return positions;
}

TEST(Reweld, CrowdedMeshesWeldAsTheListWalkDoes) {
    const Crowd crowds[] = {
        {"lattice at the distance", {0, 0, 0}, 0.001f, 6, 0.0f, 150, 300},
        {"jitter below the distance", {0, 0, 0}, 0.002f, 5, 0.0003f, 200, 400},
        {"jitter around the distance", {-0.003f, 0, 0.001f}, 0.001f, 6, 0.0008f, 300, 400},
        {"jitter wider than the lattice", {0, 0, 0}, 0.0015f, 8, 0.002f, 300, 500},
        {"one crowded spot", {0, 0, 0}, 0.0001f, 20, 0.0f, 400, 400},
        {"far from the origin", {1000, -2000, 4000}, 0.001f, 6, 0.0005f, 200, 400},
        {"float spacing near the distance", {16383.99f, -8192.003f, 16383.995f}, 0.0009765625f, 10, 0.0f, 300, 400},
        {"past the exact magnitude", {32767.99f, -32768.01f, 4.0f}, 0.001953125f, 10, 0.0006f, 300, 400},
        {"huge with one exact axis", {3e30f, 0, 1e6f}, 0.001f, 5, 0.0004f, 200, 400},
    };
    for (const Crowd& crowd : crowds) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            const MeshEntry read = RandomMesh(CrowdPositions(crowd, seed), crowd.faces, seed);
            ExpectSameAsListWalk(read, std::string(crowd.name) + ", seed " + std::to_string(seed));
        }
    }
}

// Coordinates where an index by position breaks first: no value, endless
// values, the largest floats, and the magnitudes where the spacing of
// floats passes the weld distance; mixed with ordinary ones.
std::vector<Vector3> HostilePositions(unsigned seed) {
    const float values[] = {kNaN, kInf, -kInf, FLT_MAX, -FLT_MAX, std::nextafter(FLT_MAX, 0.0f), 1e30f, -1e30f,
                            16384.0f, std::nextafter(16384.0f, 0.0f), std::nextafter(16384.0f, kInf), -16384.0f,
                            32768.0f, std::nextafter(32768.0f, 0.0f), std::nextafter(32768.0f, kInf), -32768.0f,
                            std::nextafter(-32768.0f, 0.0f), 0.0f, -0.0f, FLT_TRUE_MIN, 0.001f, -0.001f, 0.0005f};
    std::mt19937 random(seed);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(values) - 1);
    std::uniform_real_distribution<float> nudge(-0.0006f, 0.0006f);
    const auto coordinate = [&] {
        const float v = values[pick(random)];
        return random() % 3 == 0 ? v + nudge(random) : v;
    };
    std::vector<Vector3> positions;
    for (int i = 0; i < 300; ++i) {
        positions.push_back({coordinate(), coordinate(), coordinate()});
    }
    return positions;
}

TEST(Reweld, HostileCoordinatesWeldAsTheListWalkDoes) {
    for (unsigned seed = 1; seed <= 6; ++seed) {
        const MeshEntry read = RandomMesh(HostilePositions(seed), 500, seed);
        ExpectSameAsListWalk(read, "seed " + std::to_string(seed));
    }
}

// Points exactly 0.001 apart, in floats, along an axis and along a
// diagonal, with their neighbouring floats: the rounding of the squared
// distance decides, pair by pair.
TEST(Reweld, PointsAtTheWeldDistanceWeldAsTheListWalkDoes) {
    const float diagonal = 0.001f / std::sqrt(3.0f);
    const float steps[] = {std::nextafter(0.001f, 0.0f), 0.001f, std::nextafter(0.001f, 1.0f)};
    const float diagonalSteps[] = {std::nextafter(diagonal, 0.0f), diagonal, std::nextafter(diagonal, 1.0f)};
    std::vector<Vector3> positions;
    for (const float origin : {0.0f, 0.7f, -3.25f, 511.0f}) {
        for (int i = 0; i < 12; ++i) {
            const float k = static_cast<float>(i);
            for (std::size_t s = 0; s < 3; ++s) {
                positions.push_back({origin + k * steps[s], origin, -origin});
                positions.push_back({origin, origin - k * steps[s], origin});
                const float d = k * diagonalSteps[s];
                positions.push_back({origin + d, origin + d, origin - d});
            }
        }
    }
    for (unsigned seed = 1; seed <= 3; ++seed) {
        ExpectSameAsListWalk(RandomMesh(positions, 600, seed), "seed " + std::to_string(seed));
    }
}

TEST(WeldGrid, KeepsEveryPointWhenItOutgrowsItsRoom) {
    WeldGrid grid;
    grid.Reset(0);
    for (int i = 0; i < 3000; ++i) {
        grid.Insert(i, {static_cast<float>(i % 20) * 0.01f, static_cast<float>(i / 20) * 0.01f, 0.0f});
    }
    for (int i = 0; i < 3000; ++i) {
        const Vector3 near{static_cast<float>(i % 20) * 0.01f + 0.0005f, static_cast<float>(i / 20) * 0.01f, 0.0f};
        ASSERT_EQ(grid.NewestWithin(near), i);
    }
    EXPECT_EQ(grid.NewestWithin({0.005f, 0.005f, 0.0f}), -1);
    grid.Reset(10);
    EXPECT_EQ(grid.NewestWithin({0.0f, 0.0f, 0.0f}), -1) << "a reset forgets";
}

}  // namespace
}  // namespace tvx::exporter
