// The one binary buffer of a glTF file being written, and the accessors
// and views into it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <tiny_gltf.h>

namespace tvx::gltf {

class GltfBuffer {
public:
    // Creates buffer 0 of the model.
    explicit GltfBuffer(tinygltf::Model& model);

    // Accessors of floats: `components` per element (1 scalar, 2, 3, 4 vectors,
    // 16 a matrix). withBounds writes min and max, which glTF requires of
    // positions and animation times. target: the view's GPU target or 0.
    int AddFloats(const std::vector<float>& values, int components, bool withBounds, int target);
    // Unsigned shorts in groups of four (joint indices).
    int AddJoints(const std::vector<std::uint16_t>& values);
    // Triangle indices.
    int AddIndices(const std::vector<std::uint32_t>& indices);
    // Raw bytes (an image) as a view; returns the view.
    int AddView(const std::vector<unsigned char>& bytes);

private:
    int AddViewOf(const void* data, std::size_t bytes, int target);

    tinygltf::Model& model_;
};

}  // namespace tvx::gltf
