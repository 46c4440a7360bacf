// Records of the scene's one shared mesh: vertices with bone weights,
// triangles, UV sets and per-group face lists of polygons.
//
// As with the other records, a default-constructed record is the state that
// allocation leaves (all zero unless an initializer says otherwise).
#pragma once

#include <array>
#include <span>
#include <vector>

#include "document/MathTypes.h"
#include "document/TVXString.h"

namespace tvx {

struct TVXBoneWeight {
    int boneIndex = 0;  // into the scene's bones; stored as read, users range-check
    float weight = 0.0f;
};

struct TVXVertex {
    int reserved = 0;
    Vector3 position{};
    Vector3 normal{};
    Vector3 extraVector1{};  // carried in memory only; no layout stores them
    Vector3 extraVector2{};
    RGBA color{};
    std::vector<TVXBoneWeight> weights;
};

// Nine ints and a float that no part of the system interprets; carried as read.
struct TVXTriangle {
    std::array<int, 9> ints{};
    float value = 0.0f;

    bool operator==(const TVXTriangle&) const = default;
};

struct TVXUVCoord {
    int tag = 0;
    float u = 0.0f;
    float v = 0.0f;
};

struct TVXUVSet {
    TVXString name;
    std::vector<TVXUVCoord> coords;
    std::vector<TVXTriangle> triangles;
};

// A polygon of n corners with u UV channels. Its six kinds of index arrays
// (vertex indices, second indices, and per channel UV indices and their second
// indices) live in one block, so a polygon costs one allocation instead of
// seven; the accessors hand out views of n ints each.
class TVXPolygon {
public:
    int groupIndex = -1;
    int materialIndex = -1;  // -1: no material
    // Bit length of the face's smoothing mask: 0 for none, else 1 + the index
    // of its highest set bit.
    int smoothing = 0;

    int cornerCount() const { return cornerCount_; }
    int uvChannelCount() const { return uvChannelCount_; }
    // True once arrays were given, even for zero corners.
    bool hasArrays() const { return hasArrays_; }

    std::span<int> vertexIndices() { return Slice(0); }
    std::span<const int> vertexIndices() const { return Slice(0); }
    std::span<int> secondIndices() { return Slice(1); }
    std::span<const int> secondIndices() const { return Slice(1); }
    // channel must be in 0..uvChannelCount()-1.
    std::span<int> uvIndices(int channel) { return Slice(2 + 2 * channel); }
    std::span<const int> uvIndices(int channel) const { return Slice(2 + 2 * channel); }
    std::span<int> uvSecondIndices(int channel) { return Slice(3 + 2 * channel); }
    std::span<const int> uvSecondIndices(int channel) const { return Slice(3 + 2 * channel); }

    // Gives the polygon its arrays for `corners` corners and `channels` UV
    // channels, every entry set to `fill`, replacing any it had; the other
    // fields are kept. Returns 0 on negative sizes or when memory runs out
    // (the polygon is then left without arrays).
    [[nodiscard]] int AllocArrays(int corners, int channels, int fill);
    // Drops the arrays; counts become 0 and group, material and smoothing -1.
    void Release();

private:
    void DropArrays();
    std::span<int> Slice(int index);
    std::span<const int> Slice(int index) const;

    int cornerCount_ = 0;
    int uvChannelCount_ = 0;
    bool hasArrays_ = false;
    std::vector<int> indices_;
};

struct TVXFaceList {
    std::vector<TVXPolygon> polygons;  // face list i holds the polygons of group i
};

}  // namespace tvx
