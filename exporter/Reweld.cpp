#include "exporter/Reweld.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>

#include "exporter/WeldGrid.h"

namespace tvx::exporter {
namespace {

constexpr int kPassCount = 33;

bool InPass(std::uint32_t mask, int pass) { return pass == 0 ? mask == 0 : ((mask >> (pass - 1)) & 1u) != 0; }

bool CornersNameVertices(const MeshEntry& mesh) {
    const auto count = static_cast<long long>(mesh.vertices.size());
    return std::all_of(mesh.faces.begin(), mesh.faces.end(), [count](const MeshFaceEntry& face) {
        return std::all_of(face.vertices.begin(), face.vertices.end(), [count](int v) { return v >= 0 && v < count; });
    });
}

bool NeedsReweld(const MeshEntry& mesh) {
    const bool anySmoothed = std::any_of(mesh.faces.begin(), mesh.faces.end(),
                                         [](const MeshFaceEntry& face) { return face.smoothing > 0; });
    return !mesh.vertices.empty() && anySmoothed && CornersNameVertices(mesh);
}

// Bit k is set when pass k has faces. A pass without any marks no vertex
// and so merges none.
std::uint64_t PassesWithFaces(const std::vector<MeshFaceEntry>& faces) {
    std::uint64_t passes = 0;
    for (const MeshFaceEntry& face : faces) {
        passes |= face.smoothingMask == 0 ? 1u : std::uint64_t{face.smoothingMask} << 1;
    }
    return passes;
}

void Unweld(MeshEntry& mesh) {
    // Corners are numbered with ints.
    if (mesh.faces.size() > INT_MAX / 3) {
        throw std::bad_alloc();
    }
    std::vector<MeshVertexEntry> corners;
    corners.reserve(3 * mesh.faces.size());
    for (const MeshFaceEntry& face : mesh.faces) {
        for (const int v : face.vertices) {
            corners.push_back(mesh.vertices[static_cast<std::size_t>(v)]);
        }
    }
    mesh.vertices = std::move(corners);
    int next = 0;
    for (MeshFaceEntry& face : mesh.faces) {
        for (int& v : face.vertices) {
            v = next++;
        }
    }
}

// Kept from pass to pass so that its memory is reused.
struct PassScratch {
    std::vector<std::uint8_t> inPass;
    std::vector<int> mergedInto;  // -1 for a kept vertex
    std::vector<int> closedUpAt;
    WeldGrid grid;
};

// Returns how many vertices are marked.
int MarkCorners(const std::vector<MeshFaceEntry>& faces, int pass, std::size_t vertexCount,
                std::vector<std::uint8_t>& inPass) {
    inPass.assign(vertexCount, 0);
    int marked = 0;
    for (const MeshFaceEntry& face : faces) {
        if (!InPass(face.smoothingMask, pass)) {
            continue;
        }
        for (const int v : face.vertices) {
            std::uint8_t& mark = inPass[static_cast<std::size_t>(v)];
            marked += 1 - mark;
            mark = 1;
        }
    }
    return marked;
}

// Returns how many vertices merged.
int FindMerges(const std::vector<MeshVertexEntry>& vertices, int markedCount, PassScratch& scratch) {
    scratch.mergedInto.assign(vertices.size(), -1);
    scratch.grid.Reset(markedCount);
    int merged = 0;
    for (std::size_t v = 0; v < vertices.size(); ++v) {
        if (scratch.inPass[v] == 0) {
            continue;
        }
        const Vector3& position = vertices[v].position;
        const int into = scratch.grid.NewestWithin(position);
        if (into >= 0) {
            scratch.mergedInto[v] = into;
            ++merged;
        } else {
            scratch.grid.Insert(static_cast<int>(v), position);
        }
    }
    return merged;
}

// The kept vertices close up in place and are then turned round, so no
// second array is needed and nothing can fail once a vertex has moved.
void KeepUnmerged(MeshEntry& mesh, PassScratch& scratch) {
    std::vector<MeshVertexEntry>& vertices = mesh.vertices;
    scratch.closedUpAt.resize(vertices.size());
    std::size_t kept = 0;
    for (std::size_t v = 0; v < vertices.size(); ++v) {
        if (scratch.mergedInto[v] < 0) {
            scratch.closedUpAt[v] = static_cast<int>(kept);
            if (kept != v) {
                vertices[kept] = std::move(vertices[v]);
            }
            ++kept;
        }
    }
    vertices.erase(vertices.begin() + static_cast<std::ptrdiff_t>(kept), vertices.end());
    std::reverse(vertices.begin(), vertices.end());
    const int last = static_cast<int>(kept) - 1;
    for (MeshFaceEntry& face : mesh.faces) {
        for (int& v : face.vertices) {
            // Only kept vertices are merged into, so one link leads to one.
            const int into = scratch.mergedInto[static_cast<std::size_t>(v)];
            v = last - scratch.closedUpAt[static_cast<std::size_t>(into < 0 ? v : into)];
        }
    }
}

}  // namespace

void Reweld(MeshEntry& mesh) {
    if (!NeedsReweld(mesh)) {
        return;
    }
    Unweld(mesh);
    const std::uint64_t passes = PassesWithFaces(mesh.faces);
    PassScratch scratch;
    for (int pass = 0; pass < kPassCount; ++pass) {
        if (((passes >> pass) & 1u) == 0) {
            continue;
        }
        const int marked = MarkCorners(mesh.faces, pass, mesh.vertices.size(), scratch.inPass);
        const int merged = FindMerges(mesh.vertices, marked, scratch);
        if (merged > 0) {
            KeepUnmerged(mesh, scratch);
        }
    }
    // The corners' copies took room for every corner.
    mesh.vertices.shrink_to_fit();
}

}  // namespace tvx::exporter
