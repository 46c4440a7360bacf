#include "exporter/MeshOutput.h"

#include <limits>
#include <string>

#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "exporter/MaterialConversion.h"
#include "exporter/SceneTables.h"

namespace tvx::exporter {
namespace {

template <class Count>
long long Total(const std::vector<MeshEntry>& meshes, Count count) {
    long long total = 0;
    for (const MeshEntry& mesh : meshes) {
        total += static_cast<long long>(count(mesh));
    }
    return total;
}

bool FitsInt(long long n) { return n <= std::numeric_limits<int>::max(); }

int WriteWeights(const MeshEntry& mesh, const MeshVertexEntry& source, int ownNodeIndex, TVXVertex& vertex) {
    if (!mesh.skinned()) {
        if (AllocWeights(vertex, 1) == 0) {
            return 0;
        }
        vertex.weights[0] = {ownNodeIndex, 1.0f};
        return 1;
    }
    if (source.weights.empty()) {
        return 1;
    }
    if (AllocWeights(vertex, Count(source.weights)) == 0) {
        return 0;
    }
    for (std::size_t w = 0; w < source.weights.size(); ++w) {
        vertex.weights[w] = {source.weights[w].nodeIndex, source.weights[w].weight};
    }
    return 1;
}

int WriteVertices(const std::vector<MeshEntry>& meshes, const std::vector<hostapi::INode*>& nodes, int total,
                  TVXScene& scene) {
    if (AllocVertices(scene, total) == 0) {
        return 0;
    }
    const NodeIndex index(nodes);
    std::size_t next = 0;
    for (const MeshEntry& mesh : meshes) {
        const int ownNodeIndex = index.Of(mesh.node);
        for (const MeshVertexEntry& source : mesh.vertices) {
            TVXVertex& vertex = scene.vertices[next++];
            vertex.position = source.position;
            vertex.color = source.color;
            if (WriteWeights(mesh, source, ownNodeIndex, vertex) == 0) {
                return 0;
            }
        }
    }
    return 1;
}

int WriteUVSets(const std::vector<MeshEntry>& meshes, int corners, TVXScene& scene) {
    if (AllocUVSets(scene, 2) == 0) {
        return 0;
    }
    for (int set = 0; set < 2; ++set) {
        TVXUVSet& uvSet = scene.uvSets[static_cast<std::size_t>(set)];
        // Numbered from 0 here, unlike the sets a reader allocates.
        uvSet.name = TVXString::FromNarrow("UVSet" + std::to_string(set));
        if (corners == 0) {
            continue;
        }
        if (AllocUVCoords(uvSet, corners) == 0) {
            return 0;
        }
        std::size_t next = 0;
        for (const MeshEntry& mesh : meshes) {
            for (const MeshFaceEntry& face : mesh.faces) {
                for (const Vector3& uv : set == 0 ? face.uv1 : face.uv2) {
                    uvSet.coords[next++] = {0, uv.x, 1.0f - uv.y};
                }
            }
        }
    }
    return 1;
}

}  // namespace

int WriteGroups(const std::vector<MeshEntry>& meshes, TVXScene& scene) {
    if (meshes.empty()) {
        return 1;
    }
    if (AllocGroups(scene, Count(meshes)) == 0) {
        return 0;
    }
    for (std::size_t i = 0; i < meshes.size(); ++i) {
        const char* name = meshes[i].node->GetName();
        scene.groups[i].name = TVXString::FromNarrow(name != nullptr ? name : "");
    }
    return 1;
}

int WriteVerticesAndUVs(const std::vector<MeshEntry>& meshes, const std::vector<hostapi::INode*>& nodes,
                        TVXScene& scene) {
    const long long vertices = Total(meshes, [](const MeshEntry& m) { return m.vertices.size(); });
    const long long corners = 3 * Total(meshes, [](const MeshEntry& m) { return m.faces.size(); });
    if (!FitsInt(vertices) || !FitsInt(corners)) {
        return 0;
    }
    return WriteVertices(meshes, nodes, static_cast<int>(vertices), scene) != 0 &&
                   WriteUVSets(meshes, static_cast<int>(corners), scene) != 0
               ? 1
               : 0;
}

int WriteFaceLists(const std::vector<MeshEntry>& meshes, TVXScene& scene) {
    if (meshes.empty()) {
        return 1;
    }
    if (AllocFaceLists(scene, Count(meshes)) == 0) {
        return 0;
    }
    const int total = Count(scene.materials);
    int vertexBase = 0;
    int materialBase = 0;
    int corner = 0;
    for (std::size_t m = 0; m < meshes.size(); ++m) {
        const MeshEntry& mesh = meshes[m];
        TVXFaceList& list = scene.faceLists[m];
        hostapi::Mtl* material = mesh.node->GetMtl();
        if (!mesh.faces.empty() && AllocThreeCornerPolygons(list, Count(mesh.faces)) == 0) {
            return 0;
        }
        const PolygonMaterialIndices materialIndices(material, materialBase, total);
        for (std::size_t f = 0; f < mesh.faces.size(); ++f, corner += 3) {
            const MeshFaceEntry& face = mesh.faces[f];
            TVXPolygon& polygon = list.polygons[f];
            polygon.groupIndex = static_cast<int>(m);
            polygon.materialIndex = materialIndices.ForFace(face.materialId);
            polygon.smoothing = face.smoothing;
            for (std::size_t c = 0; c < 3; ++c) {
                polygon.vertexIndices()[c] = face.vertices[c] + vertexBase;
                polygon.uvIndices(0)[c] = corner + static_cast<int>(c);
                polygon.uvIndices(1)[c] = corner + static_cast<int>(c);
            }
        }
        vertexBase += Count(mesh.vertices);
        materialBase += CountedMaterials(material);
    }
    return 1;
}

}  // namespace tvx::exporter
