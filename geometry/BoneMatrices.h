// Local and world matrices of every bone, from its stored placement.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

// The bone's own placement: the rotation of its transform with the position
// in column 3, times its scale when withScale is not 0.
[[nodiscard]] Matrix4 BoneLocalMatrix(const Vector3& position, const Quaternion& rotation, const Vector3& scale,
                                      int withScale);

// Fills every bone's localMatrix from its transform and its worldMatrix from
// the parent chain (BoneHierarchy.h).
void ComputeBoneMatrices(TVXScene& scene, int withScale);

}  // namespace tvx
