// The importer's skeleton pose: per bone its bind and posed matrices, per
// vertex its position skinned at time 0. Built after every load from the
// scene document, read by the mesh, bone and skin builders.
#pragma once

#include <vector>

#include "document/MathTypes.h"

namespace tvx {

struct BonePose {
    Vector3 worldPosition{};  // the bind world matrix applied to the origin
    Vector3 position{};       // copies of the bone's transform
    Vector3 scale{};
    Quaternion rotation{};
    Matrix4 bindLocal{};
    Matrix4 bindWorld{};
    Matrix4 inverseBindWorld{};
    Matrix4 poseLocal{};
    Matrix4 poseWorld{};
    int parentIndex = -1;
    float length = 0.0f;  // distance to the parent's world position; 0 for a root
};

struct PosedVertex {
    Vector3 position{};
    Vector3 normal{};  // the document normal, turned by the skin when the file stored normals
};

struct PoseTables {
    std::vector<BonePose> bonePoses;          // one per bone, in bone order
    std::vector<PosedVertex> posedVertices;  // one per vertex, in vertex order

    void Release() {
        bonePoses = {};
        posedVertices = {};
    }
};

// The importer's one pair of tables: every load replaces them, and releasing
// the importer's scene releases them too.
[[nodiscard]] PoseTables& ImporterPoseTables();

}  // namespace tvx
