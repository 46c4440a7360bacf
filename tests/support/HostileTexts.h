// Small glTF and host-scene files that ask for far more memory than they
// hold, as text: each shape is one a hostile user would send to
// `tvx export`.
#pragma once

#include <string>

namespace tvx::test {

// One triangle placed by each of `nodes` nodes.
std::string GltfOfInstances(int nodes);

// `channels` nodes, each rotated by the same two keys `seconds` apart.
std::string GltfOfChannels(int channels, float seconds);

// `materials` materials, each `{}`.
std::string GltfOfEmptyMaterials(int materials);

// `extras` holding arrays nested `depth` deep.
std::string GltfOfNestedExtras(int depth);

// A host scene of one mesh of `vertices` vertices in a strip of triangles,
// placed by each of `nodes` nodes.
std::string HostSceneOfInstances(int nodes, int vertices);

}  // namespace tvx::test
