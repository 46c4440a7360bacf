// Reading accessors of an untrusted glTF. Every index into the model's
// lists is checked, every byte read is proved inside its buffer view and
// buffer before anything is sized from a count, and sparse substitutions
// are applied. A fault throws GltfError naming the accessor.
#pragma once

#include <cstdint>
#include <vector>

#include <tiny_gltf.h>

namespace tvx::gltf {

// The elements of accessor `index` as numbers, `components` per element
// (the accessor's type must have exactly that many). Normalised integers
// come out as glTF 2.0 maps them, others as they are.
std::vector<double> ReadNumbers(const tinygltf::Model& model, int index, int components, const char* what);

// An index list: scalar unsigned integers, each below `limit`.
std::vector<std::uint32_t> ReadIndices(const tinygltf::Model& model, int index, std::size_t limit);

// The bytes of buffer view `view`, after checking it lies inside its buffer.
std::vector<unsigned char> ViewBytes(const tinygltf::Model& model, int view, const std::string& what);

// The element count of accessor `index`, after checking it exists.
std::size_t AccessorCount(const tinygltf::Model& model, int index, const char* what);

}  // namespace tvx::gltf
