// Turning a whole scene between the file's Y-up space and the host's Z-up
// space: a rotation by 90 degrees about the x axis.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

enum UpAxisSwap : int {
    kYUpToZUp = 0,  // after loading: (x, y, z) -> (x, -z, y)
    kZUpToYUp = 1,  // before saving: (x, y, z) -> (x, z, -y)
};

[[nodiscard]] Vector3 SwapPoint(const Vector3& p, int direction);

// The point map applied from the left (P x M): the transform lands in the
// swapped space while its own axes stay as they are.
[[nodiscard]] Matrix4 SwapMatrix(const Matrix4& m, int direction);

// Bones are carried through their world matrices: each world matrix is
// swapped and the local transforms (position, rotation, scale) are derived
// again from them, so a bone's own axes stay as they were. Vertex positions
// and normals (the turn is a rotation, so normals turn as points do) and the
// positions and matrices of lights and cameras are swapped; the other
// transform fields, groups, keys and UV data are left alone.
// Direction 1 undoes direction 0. Any other direction is taken as 1.
void SwapUpAxis(TVXScene& scene, int direction);

}  // namespace tvx
