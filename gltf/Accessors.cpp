#include "gltf/Accessors.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

// Far beyond any real model; bounds what an accessor without a buffer view
// (all zeros, only sparse values) may make us allocate.
constexpr std::size_t kMaxElementsWithoutView = std::size_t{1} << 24;

std::string Name(int index) { return "accessor " + std::to_string(index); }

std::size_t ComponentSize(int type) {
    switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT: return 4;
    default: return 0;
    }
}

int ComponentsOf(int type) {
    switch (type) {
    case TINYGLTF_TYPE_SCALAR: return 1;
    case TINYGLTF_TYPE_VEC2: return 2;
    case TINYGLTF_TYPE_VEC3: return 3;
    case TINYGLTF_TYPE_VEC4: return 4;
    case TINYGLTF_TYPE_MAT2: return 4;
    case TINYGLTF_TYPE_MAT3: return 9;
    case TINYGLTF_TYPE_MAT4: return 16;
    default: return 0;
    }
}

template <typename T>
T Load(const unsigned char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

double Component(const unsigned char* p, int type, bool normalized) {
    switch (type) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: {
        const double c = Load<std::int8_t>(p);
        return normalized ? std::max(c / 127.0, -1.0) : c;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: {
        const double c = Load<std::uint8_t>(p);
        return normalized ? c / 255.0 : c;
    }
    case TINYGLTF_COMPONENT_TYPE_SHORT: {
        const double c = Load<std::int16_t>(p);
        return normalized ? std::max(c / 32767.0, -1.0) : c;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: {
        const double c = Load<std::uint16_t>(p);
        return normalized ? c / 65535.0 : c;
    }
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: return Load<std::uint32_t>(p);
    default: return static_cast<double>(Load<float>(p));
    }
}

// A run of `count` elements inside one buffer view, proved in bounds.
struct Span {
    const unsigned char* data = nullptr;
    std::size_t stride = 0;
};

Span ViewSpan(const tinygltf::Model& model, int viewIndex, std::size_t offset, std::size_t count,
              std::size_t elementSize, std::size_t stride, const std::string& what) {
    if (viewIndex < 0 || static_cast<std::size_t>(viewIndex) >= model.bufferViews.size()) {
        throw GltfError(what + ": there is no buffer view " + std::to_string(viewIndex));
    }
    const tinygltf::BufferView& view = model.bufferViews[static_cast<std::size_t>(viewIndex)];
    if (view.buffer < 0 || static_cast<std::size_t>(view.buffer) >= model.buffers.size()) {
        throw GltfError(what + ": buffer view " + std::to_string(viewIndex) + " names no buffer");
    }
    const std::size_t bufferSize = model.buffers[static_cast<std::size_t>(view.buffer)].data.size();
    if (view.byteOffset > bufferSize || view.byteLength > bufferSize - view.byteOffset) {
        throw GltfError(what + ": buffer view " + std::to_string(viewIndex) + " runs past the end of buffer " +
                        std::to_string(view.buffer) + " (truncated or missing data)");
    }
    const std::size_t step = stride != 0 ? stride : (view.byteStride != 0 ? view.byteStride : elementSize);
    if (step < elementSize) {
        throw GltfError(what + ": byteStride " + std::to_string(step) + " is smaller than an element");
    }
    // Each term is checked against the view's length before it is multiplied,
    // so nothing overflows.
    const std::size_t length = view.byteLength;
    const bool fits = count == 0 || (offset <= length && count - 1 <= (length - offset) / step &&
                                     (count - 1) * step + elementSize <= length - offset);
    if (!fits) {
        throw GltfError(what + ": " + std::to_string(count) + " elements run past the end of buffer view " +
                        std::to_string(viewIndex));
    }
    const auto& buffer = model.buffers[static_cast<std::size_t>(view.buffer)].data;
    return {buffer.data() + view.byteOffset + offset, step};
}

void ApplySparse(const tinygltf::Model& model, const tinygltf::Accessor& a, int components,
                 std::vector<double>& out, const std::string& what) {
    if (a.sparse.count < 0 || static_cast<std::size_t>(a.sparse.count) > a.count) {
        throw GltfError(what + ": sparse count " + std::to_string(a.sparse.count) + " is out of range");
    }
    const auto count = static_cast<std::size_t>(a.sparse.count);
    const int indexType = a.sparse.indices.componentType;
    if (indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE && indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
        indexType != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
        throw GltfError(what + ": sparse indices must be unsigned integers");
    }
    if (a.sparse.indices.byteOffset < 0 || a.sparse.values.byteOffset < 0) {
        throw GltfError(what + ": negative sparse byte offset");
    }
    const std::size_t indexSize = ComponentSize(indexType);
    const std::size_t valueSize = ComponentSize(a.componentType) * static_cast<std::size_t>(components);
    const Span indices = ViewSpan(model, a.sparse.indices.bufferView,
                                  static_cast<std::size_t>(a.sparse.indices.byteOffset), count, indexSize, indexSize,
                                  what + " (sparse indices)");
    const Span values = ViewSpan(model, a.sparse.values.bufferView,
                                 static_cast<std::size_t>(a.sparse.values.byteOffset), count, valueSize, valueSize,
                                 what + " (sparse values)");
    const std::size_t componentSize = ComponentSize(a.componentType);
    for (std::size_t i = 0; i < count; ++i) {
        const double target = Component(indices.data + i * indices.stride, indexType, false);
        if (target >= static_cast<double>(a.count)) {
            throw GltfError(what + ": sparse index " + std::to_string(static_cast<std::uint64_t>(target)) +
                            " is past the accessor's " + std::to_string(a.count) + " elements");
        }
        const auto element = static_cast<std::size_t>(target);
        for (std::size_t c = 0; c < static_cast<std::size_t>(components); ++c) {
            out[element * static_cast<std::size_t>(components) + c] =
                Component(values.data + i * values.stride + c * componentSize, a.componentType, a.normalized);
        }
    }
}

const tinygltf::Accessor& Find(const tinygltf::Model& model, int index, const char* what) {
    if (index < 0 || static_cast<std::size_t>(index) >= model.accessors.size()) {
        throw GltfError(std::string(what) + ": there is no accessor " + std::to_string(index));
    }
    return model.accessors[static_cast<std::size_t>(index)];
}

}  // namespace

std::vector<unsigned char> ViewBytes(const tinygltf::Model& model, int view, const std::string& what) {
    // No elements: only the view's own place in its buffer is checked.
    const Span span = ViewSpan(model, view, 0, 0, 0, 1, what);
    return {span.data, span.data + model.bufferViews[static_cast<std::size_t>(view)].byteLength};
}

std::size_t AccessorCount(const tinygltf::Model& model, int index, const char* what) {
    return Find(model, index, what).count;
}

std::vector<double> ReadNumbers(const tinygltf::Model& model, int index, int components, const char* what) {
    const tinygltf::Accessor& a = Find(model, index, what);
    const std::string name = std::string(what) + " (" + Name(index) + ")";
    if (ComponentsOf(a.type) != components) {
        throw GltfError(name + ": expected " + std::to_string(components) + " components per element");
    }
    const std::size_t componentSize = ComponentSize(a.componentType);
    if (componentSize == 0) {
        throw GltfError(name + ": unknown component type " + std::to_string(a.componentType));
    }
    const std::size_t elementSize = componentSize * static_cast<std::size_t>(components);
    Span span;
    if (a.bufferView >= 0) {
        span = ViewSpan(model, a.bufferView, a.byteOffset, a.count, elementSize, 0, name);
    } else if (a.count > kMaxElementsWithoutView) {
        throw GltfError(name + ": " + std::to_string(a.count) + " elements without a buffer view");
    }
    std::vector<double> out(a.count * static_cast<std::size_t>(components), 0.0);
    if (span.data != nullptr) {
        for (std::size_t i = 0; i < a.count; ++i) {
            for (std::size_t c = 0; c < static_cast<std::size_t>(components); ++c) {
                out[i * static_cast<std::size_t>(components) + c] =
                    Component(span.data + i * span.stride + c * componentSize, a.componentType, a.normalized);
            }
        }
    }
    if (a.sparse.isSparse) {
        ApplySparse(model, a, components, out, name);
    }
    return out;
}

std::vector<std::uint32_t> ReadIndices(const tinygltf::Model& model, int index, std::size_t limit) {
    const tinygltf::Accessor& a = Find(model, index, "indices");
    if (a.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT || a.componentType == TINYGLTF_COMPONENT_TYPE_BYTE ||
        a.componentType == TINYGLTF_COMPONENT_TYPE_SHORT || a.normalized) {
        throw GltfError("indices (" + Name(index) + "): not unsigned integers");
    }
    const std::vector<double> raw = ReadNumbers(model, index, 1, "indices");
    std::vector<std::uint32_t> out;
    out.reserve(raw.size());
    for (const double v : raw) {
        if (v >= static_cast<double>(limit)) {
            throw GltfError("indices (" + Name(index) + "): vertex index " +
                            std::to_string(static_cast<std::uint64_t>(v)) + " is out of range (there are " +
                            std::to_string(limit) + " vertices)");
        }
        out.push_back(static_cast<std::uint32_t>(v));
    }
    return out;
}

}  // namespace tvx::gltf
