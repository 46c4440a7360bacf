#include "gltf/GltfBuffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tvx::gltf {
namespace {

int TypeOf(int components) {
    switch (components) {
    case 1:
        return TINYGLTF_TYPE_SCALAR;
    case 2:
        return TINYGLTF_TYPE_VEC2;
    case 3:
        return TINYGLTF_TYPE_VEC3;
    case 4:
        return TINYGLTF_TYPE_VEC4;
    default:
        return TINYGLTF_TYPE_MAT4;
    }
}

}  // namespace

GltfBuffer::GltfBuffer(tinygltf::Model& model) : model_(model) { model_.buffers.emplace_back(); }

int GltfBuffer::AddViewOf(const void* data, std::size_t bytes, int target) {
    std::vector<unsigned char>& buffer = model_.buffers[0].data;
    // Every view starts on a multiple of 4, which every component type needs.
    buffer.resize((buffer.size() + 3) & ~std::size_t{3});
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.size();
    view.byteLength = bytes;
    view.target = target;
    buffer.resize(buffer.size() + bytes);
    if (bytes > 0) {
        std::memcpy(buffer.data() + view.byteOffset, data, bytes);
    }
    model_.bufferViews.push_back(view);
    return static_cast<int>(model_.bufferViews.size() - 1);
}

int GltfBuffer::AddFloats(const std::vector<float>& values, int components, bool withBounds, int target) {
    tinygltf::Accessor accessor;
    accessor.bufferView = AddViewOf(values.data(), values.size() * sizeof(float), target);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_FLOAT;
    accessor.type = TypeOf(components);
    accessor.count = values.size() / static_cast<std::size_t>(components);
    if (withBounds) {
        accessor.minValues.assign(static_cast<std::size_t>(components), std::numeric_limits<double>::max());
        accessor.maxValues.assign(static_cast<std::size_t>(components), std::numeric_limits<double>::lowest());
        for (std::size_t i = 0; i < values.size(); ++i) {
            const std::size_t c = i % static_cast<std::size_t>(components);
            accessor.minValues[c] = std::min(accessor.minValues[c], static_cast<double>(values[i]));
            accessor.maxValues[c] = std::max(accessor.maxValues[c], static_cast<double>(values[i]));
        }
    }
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int GltfBuffer::AddJoints(const std::vector<std::uint16_t>& values) {
    tinygltf::Accessor accessor;
    accessor.bufferView = AddViewOf(values.data(), values.size() * sizeof(std::uint16_t), TINYGLTF_TARGET_ARRAY_BUFFER);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
    accessor.type = TINYGLTF_TYPE_VEC4;
    accessor.count = values.size() / 4;
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int GltfBuffer::AddIndices(const std::vector<std::uint32_t>& indices) {
    tinygltf::Accessor accessor;
    accessor.bufferView =
        AddViewOf(indices.data(), indices.size() * sizeof(std::uint32_t), TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
    accessor.componentType = TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    accessor.type = TINYGLTF_TYPE_SCALAR;
    accessor.count = indices.size();
    model_.accessors.push_back(accessor);
    return static_cast<int>(model_.accessors.size() - 1);
}

int GltfBuffer::AddView(const std::vector<unsigned char>& bytes) { return AddViewOf(bytes.data(), bytes.size(), 0); }

}  // namespace tvx::gltf
