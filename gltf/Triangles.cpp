#include "gltf/Triangles.h"

#include <tiny_gltf.h>

namespace tvx::gltf {

std::vector<Triangle> Triangulate(const std::vector<std::uint32_t>& indices, int mode) {
    std::vector<Triangle> out;
    const std::size_t n = indices.size();
    if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
        for (std::size_t i = 2; i < n; ++i) {
            // Every other triangle of a strip is flipped to keep one winding.
            out.push_back(i % 2 == 0 ? Triangle{indices[i - 2], indices[i - 1], indices[i]}
                                     : Triangle{indices[i - 1], indices[i - 2], indices[i]});
        }
    } else if (mode == TINYGLTF_MODE_TRIANGLE_FAN) {
        for (std::size_t i = 2; i < n; ++i) {
            out.push_back({indices[i - 1], indices[i], indices[0]});
        }
    } else {
        for (std::size_t i = 0; i + 2 < n; i += 3) {
            out.push_back({indices[i], indices[i + 1], indices[i + 2]});
        }
    }
    return out;
}

}  // namespace tvx::gltf
