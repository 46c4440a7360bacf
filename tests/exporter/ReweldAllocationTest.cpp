// Running out of memory in the reweld: at whichever allocation it fails,
// the mesh it leaves has every face corner naming one of its vertices.
#include <gtest/gtest.h>

#include <limits>
#include <new>

#include "exporter/Reweld.h"
#include "tests/support/AllocationLimit.h"

namespace tvx::exporter {
namespace {

// A fan of faces around one position, alternately in no group, group 1 and
// groups 1 and 2, so that two passes merge.
MeshEntry Fan() {
    MeshEntry mesh;
    for (int i = 0; i < 7; ++i) {
        MeshVertexEntry& vertex = mesh.vertices.emplace_back();
        vertex.position = {static_cast<float>(i % 3), static_cast<float>(i / 3), 0.0f};
        vertex.weights = {{nullptr, i, 1.0f}};
    }
    const std::uint32_t masks[] = {0u, 1u, 3u, 2u, 1u, 0u};
    for (int f = 0; f < 6; ++f) {
        MeshFaceEntry& face = mesh.faces.emplace_back();
        face.smoothingMask = masks[f];
        face.smoothing = masks[f] == 0 ? 0 : masks[f] == 1 ? 1 : 2;
        face.vertices = {0, f + 1, (f + 1) % 6 + 1};
    }
    return mesh;
}

bool CornersNameVertices(const MeshEntry& mesh) {
    for (const MeshFaceEntry& face : mesh.faces) {
        for (const int v : face.vertices) {
            if (v < 0 || v >= static_cast<int>(mesh.vertices.size())) {
                return false;
            }
        }
    }
    return true;
}

TEST(ReweldAllocation, AFailureLeavesEveryCornerOnAVertex) {
    MeshEntry expected = Fan();
    Reweld(expected);
    ASSERT_LT(expected.vertices.size(), 18u);
    bool succeeded = false;
    for (long failAt = 0; !succeeded; ++failAt) {
        MeshEntry mesh = Fan();
        try {
            test::AllocationLimit limit(std::numeric_limits<std::size_t>::max(), failAt);
            Reweld(mesh);
            succeeded = true;
        } catch (const std::bad_alloc&) {
        }
        ASSERT_TRUE(CornersNameVertices(mesh)) << "failing at " << failAt;
        if (succeeded) {
            EXPECT_EQ(mesh.vertices.size(), expected.vertices.size());
        }
    }
}

}  // namespace
}  // namespace tvx::exporter
