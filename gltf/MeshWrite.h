// A host mesh node's triangles as one glTF mesh: a primitive per material
// id in use, normals as the host shades the mesh (MeshNormals.h), both UV
// channels, the vertex colours and alpha as COLOR_0, and the skin's joints
// and weights when the mesh is skinned.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "gltf/GltfScene.h"

namespace tvx::gltf {

// Per host vertex, its joints (indices into the glTF skin's joints) with
// their weights.
using VertexWeights = std::vector<std::vector<std::pair<int, float>>>;

// The glTF material for a face material id, -1 for none.
using MaterialForId = std::function<int(int materialId)>;

// The node's object as a triangle mesh, or null for an object that is no
// geometry (lights, cameras, bones, helpers). The caller deletes a mesh
// that is not the object itself (see Object::ConvertToType).
struct HostMesh {
    hostapi::Object* object = nullptr;
    hostapi::Object* converted = nullptr;
    hostapi::Mesh* mesh = nullptr;
    ~HostMesh();
};
void TakeMesh(memhost::MemNode& node, HostMesh& out);

// Adds the mesh and returns its index; -1 when it has no triangles.
// weights is empty for an unskinned mesh. Counts the triangles written.
int WriteMesh(GltfScene& scene, memhost::MemNode& node, hostapi::Mesh& mesh, const MaterialForId& materialFor,
              const VertexWeights& weights, int& triangles);

}  // namespace tvx::gltf
