// The node hierarchy and static transforms of a glTF file.
#pragma once

#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/GltfMath.h"

namespace tvx::gltf {

// Each node's parent index, -1 for a root. A child index out of range, a
// node with two parents, a loop or a chain deeper than the host takes throw.
std::vector<int> ParentsOf(const tinygltf::Model& model);

// The node's names, an empty one replaced by "node<index>" (with a suffix
// while that is taken), so a reader can find every node by name.
std::vector<std::string> NodeNames(const tinygltf::Model& model);

// The node's TRS properties with glTF's defaults; wrong lengths throw.
TRS StaticTrs(const tinygltf::Node& node, int index);
// The node's local matrix: its `matrix` when given, else its TRS.
Mat4 LocalMatrix(const tinygltf::Node& node, int index);

// World matrices from local ones, parents first.
std::vector<Mat4> WorldMatrices(const std::vector<Mat4>& locals, const std::vector<int>& parents);

}  // namespace tvx::gltf
