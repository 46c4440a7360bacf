// Triangle lists from glTF's triangle primitive modes.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tvx::gltf {

using Triangle = std::array<std::uint32_t, 3>;

// The triangles of `indices` drawn in `mode` (TRIANGLES, TRIANGLE_STRIP or
// TRIANGLE_FAN), in the winding glTF 2.0 gives them.
// Leftover indices that make no whole triangle are dropped.
std::vector<Triangle> Triangulate(const std::vector<std::uint32_t>& indices, int mode);

}  // namespace tvx::gltf
