// What the exporter reads from one host mesh before the document is built:
// world-space vertices with their colour, alpha and skin weights, and
// triangles in export winding with both UV channels' coordinates.
//
// The arrays are std::vectors, so running out of memory throws
// std::bad_alloc; the conversion catches it at its top and reports the
// export as failed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "document/MathTypes.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

// One influence of a bone on a vertex. nodeIndex is the bone's entry in the
// node table, -1 until the skin is resolved (and after, for a bone that is
// not exported).
struct SkinWeightEntry {
    hostapi::INode* bone = nullptr;
    int nodeIndex = -1;
    float weight = 0.0f;
};

struct MeshVertexEntry {
    Vector3 position{};
    int alphaSamples = 0;
    float alpha = 0.0f;  // the sum of the samples, then their mean
    int colorSamples = 0;
    RGBA color{};
    std::vector<SkinWeightEntry> weights;
};

struct MeshFaceEntry {
    int materialId = 0;
    // Bit length of the mask: 0 for none, else 1 + its highest set bit.
    int smoothing = 0;
    std::uint32_t smoothingMask = 0;  // bit k - 1 is smoothing group k
    // Corners in export winding: (0, 1, 2) of the host face, (0, 2, 1) under
    // a mirroring transform.
    std::array<int, 3> vertices{};
    std::array<int, 3> textureIndices{};
    std::array<int, 3> colorIndices{};
    std::array<Vector3, 3> uv1{};  // map channel 1, (u, v, w)
    std::array<Vector3, 3> uv2{};  // the chosen second channel
};

// The node's transform controller, which tells biped parts apart.
enum class BipedKind : int { None = 0, Body = 1, Slave = 2, Footstep = 3 };

struct MeshEntry {
    hostapi::INode* node = nullptr;
    BipedKind biped = BipedKind::None;
    bool physique = false;  // a Physique modifier was found
    bool skin = false;      // a Skin modifier was found
    std::vector<MeshVertexEntry> vertices;
    std::vector<MeshFaceEntry> faces;
    std::vector<RGBA> colors;  // the host's vertex colours, alpha 1

    [[nodiscard]] bool skinned() const { return skin || physique; }
};

}  // namespace tvx::exporter
