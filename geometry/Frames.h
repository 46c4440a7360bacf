// Coordinate frames built from, or read out of, matrices.
#pragma once

#include <optional>

#include "document/MathTypes.h"

namespace tvx {

// p expressed in a host-style frame matrix: rows 0..2 hold the frame's axes
// and row 3 its origin (the transposed layout of Matrix4's own convention,
// which is how host frames arrive). The axes are not normalised, so a scaled
// frame scales the result.
[[nodiscard]] Vector3 PointInFrame(const Matrix4& frame, const Vector3& p);

// Re-orthogonalises m around its z axis (column 2) for lights and cameras,
// which look down that axis: column 0 = up x z and column 1 = z x (up x z),
// both normalised, with up = +y. When z is (nearly) +y or -y that cross
// product would vanish, so up becomes -z (for +y) or +z (for -y). Column 2 keeps
// its length, and column 3 and row 3 are copied from m. The test against +-y
// uses z as it is, so a scaled z along y (say (0, 2, 0)) keeps up = +y and
// gets zero columns 0 and 1: callers pass unit-length view axes.
[[nodiscard]] Matrix4 LookAtFrame(const Matrix4& m);

// Whether columns 0..2 of m are a whole view frame, within the scene
// tolerance: x and y of unit length, at right angles to each other and to z,
// and x × y pointing along z. Only such a frame says which way is up around
// z; z itself may have any non-zero length. Non-finite values never pass.
[[nodiscard]] bool IsViewFrame(const Matrix4& m);

// Columns 0..2 of m made orthonormal around z: z normalised, y with its part
// along z taken out and normalised, x = y × z, so the view axis and the up
// it sees are kept while scale, shear and mirroring are dropped. Column 3
// and row 3 are copied. Empty when z vanishes or y lies along it, where no
// up can be read.
[[nodiscard]] std::optional<Matrix4> OrthonormalViewFrame(const Matrix4& m);

}  // namespace tvx
