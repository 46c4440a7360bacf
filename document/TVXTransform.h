// The placement block shared by lights, cameras, groups and bones.
//
// Files store it as one 152-byte block in exactly this field order; readers
// and writers go field by field, never by copying the struct.
#pragma once

#include "document/MathTypes.h"

namespace tvx {

struct TVXTransform {
    Vector3 xAxis{1.0f, 0.0f, 0.0f};
    Vector3 yAxis{0.0f, 1.0f, 0.0f};
    Vector3 zAxis{0.0f, 0.0f, 1.0f};
    Vector3 position{};
    Vector3 scale{1.0f, 1.0f, 1.0f};
    Matrix4 matrix{};
    Quaternion rotation{};
    Vector3 finalVector{};

    bool operator==(const TVXTransform&) const = default;

    // Every field zero, as an allocated group has it.
    static TVXTransform Zero();
};

// Size of the block in a file.
inline constexpr int kTransformBytes = 152;
static_assert(sizeof(TVXTransform) == kTransformBytes, "TVXTransform must stay a packed run of floats");

inline TVXTransform TVXTransform::Zero() {
    TVXTransform t;
    t.xAxis = t.yAxis = t.zAxis = t.scale = Vector3{};
    t.matrix = Matrix4::Zero();
    t.rotation = Quaternion::Zero();
    return t;
}

}  // namespace tvx
