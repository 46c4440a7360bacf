// Smoothing groups that give a glTF mesh's shading back, for the host and
// for a TVX file, which keeps a face's smoothing number but not its normals.
//
// Two faces join where they meet at a position (welded exactly, so a
// vertex the file keeps twice for its texture coordinates joins too) with
// the same normal there; a position with more than 64 different normals
// joins no further faces, so no file can make the work grow faster than
// its corners. Each set of joined faces is one smooth region. A
// region that shades flat anyway (a single face, or every corner normal
// its face's own) and a face without normals (glTF shades those flat) get
// no group. Every other region gets the lowest group that no region
// touching it at a position has; when all 32 are taken it gets none and
// shades flat, which at least never smooths across a crease.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "gltf/GltfMath.h"

namespace tvx::gltf {

struct NormalVertex {
    Vec3d position;
    std::optional<Vec3d> normal;  // none where the primitive has no NORMAL
};

// One mask per triangle (bit k - 1 is group k; at most one bit set). The
// triangles' indices lie within the vertices.
[[nodiscard]] std::vector<std::uint32_t> SmoothingGroupsFromNormals(
    const std::vector<NormalVertex>& vertices, const std::vector<std::array<std::uint32_t, 3>>& triangles);

}  // namespace tvx::gltf
