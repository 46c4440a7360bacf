// The normal of each face corner of a host mesh, as the glTF file gets it.
//
// A corner that the mesh's specified normals give an explicit normal takes
// it; every other corner takes the one its smoothing groups make
// (SmoothingNormals.h), worked out in the object's own space as the host
// does. Both are then carried into the node's frame with the object offset
// (normals by its inverse transpose, which keeps them square to a scaled
// surface) and into glTF's axes, and made unit. A specified normal with no
// direction gives way to the smoothing groups' one, and a corner left with
// none at all (a degenerate flat face) gets glTF's up, (0, 1, 0).
#pragma once

#include <array>
#include <vector>

#include "hostapi/Mesh.h"

namespace tvx::gltf {

using CornerNormalTriple = std::array<std::array<float, 3>, 3>;

// faces: the faces to give normals, each with its three vertices within the
// mesh. The result runs beside them, corners in the host's order.
[[nodiscard]] std::vector<CornerNormalTriple> CornerNormals(hostapi::Mesh& mesh, const std::vector<int>& faces,
                                                            const hostapi::Matrix3& objectOffset);

}  // namespace tvx::gltf
