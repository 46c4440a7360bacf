// Corner normals from smoothing groups, as the host shades a mesh that has
// no normals of its own.
//
// A face without a group is flat. A face in groups takes, at each of its
// corners, the sum of the normals of the faces on that same vertex that
// share a group with it, each weighted by the face's angle at the vertex:
// angles, unlike areas, do not change when a polygon is cut into triangles
// another way. Smoothing runs across shared vertices only, so a vertex the
// mesh keeps twice is a crease whatever the groups say.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "gltf/GltfMath.h"

namespace tvx::gltf {

struct SmoothedTriangle {
    std::array<std::uint32_t, 3> v{};  // within the positions
    std::uint32_t groups = 0;          // bit k - 1 is smoothing group k
};

// Per triangle, a unit normal for each corner, in the positions' frame and
// on the side the winding (counter-clockwise) faces. A corner with nothing
// to point by (a flat degenerate face, or normals that cancel) gets its
// face's normal, and (0, 0, 0) when that is degenerate too.
[[nodiscard]] std::vector<std::array<Vec3d, 3>> SmoothingNormals(const std::vector<Vec3d>& positions,
                                                                 const std::vector<SmoothedTriangle>& triangles);

}  // namespace tvx::gltf
