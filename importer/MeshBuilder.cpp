#include "importer/MeshBuilder.h"

#include "importer/HostConversions.h"
#include "importer/MaterialBuilder.h"
#include "importer/NormalBuilder.h"
#include "importer/SkinBuilder.h"
#include "importer/VertexColorBuilder.h"

namespace tvx::importer {
namespace {

// Polygons that make faces: those with three corners or more. Triangulation
// has cut everything larger, and drops smaller ones only when it had to cut,
// so a file of triangles can still hold a stray polygon of one or two.
bool MakesFace(const TVXPolygon& polygon) { return polygon.cornerCount() >= 3; }

// Calls fn(polygon, face, firstCorner) for each polygon that makes a face,
// in face-list and polygon order. Every corner has its own texture vertex,
// numbered in this order, so corner k's number is firstCorner + k.
template <class Fn>
void ForEachFace(const TVXScene& scene, Fn fn) {
    int face = 0;
    int corner = 0;
    for (const TVXFaceList& list : scene.faceLists) {
        for (const TVXPolygon& polygon : list.polygons) {
            if (MakesFace(polygon)) {
                fn(polygon, face++, corner);
                corner += polygon.cornerCount();
            }
        }
    }
}

// The texture vertex of a corner from UV set `set`, flipped into the host's
// v direction; (0, 0, 0) when the polygon or the set has no such coordinate.
hostapi::UVVert CornerUV(const TVXScene& scene, const TVXPolygon& polygon, int set, int corner) {
    if (set >= Count(scene.uvSets) || set >= polygon.uvChannelCount()) {
        return {};
    }
    const int index = polygon.uvIndices(set)[static_cast<std::size_t>(corner)];
    const auto& coords = scene.uvSets[static_cast<std::size_t>(set)].coords;
    if (index < 0 || index >= Count(coords)) {
        return {};
    }
    const TVXUVCoord& uv = coords[static_cast<std::size_t>(index)];
    return {uv.u, 1.0f - uv.v, 0.0f};
}

// A vertex index the mesh does not have becomes vertex 0, so the host never
// reads outside its vertex array.
int MeshVertex(int index, int vertexCount) { return index >= 0 && index < vertexCount ? index : 0; }

// A polygon's smoothing number is the bit length of the mask it was
// exported from, so group number - 1 gives it back exactly for a face in one
// group, and faces that shared their highest group still smooth together.
// Numbers outside 1..32 name no group.
hostapi::DWORD SmoothingGroup(int number) {
    return number >= 1 && number <= 32 ? hostapi::DWORD{1} << (number - 1) : 0;
}

bool SizeMesh(hostapi::Mesh& mesh, int vertices, int corners, int faces) {
    return mesh.setNumVerts(vertices) != hostapi::FALSE && mesh.setNumTVerts(corners) != hostapi::FALSE &&
           mesh.setNumFaces(faces) != hostapi::FALSE && mesh.setNumTVFaces(faces) != hostapi::FALSE;
}

// Channel 2 holds the second UV set, or zeros when there is just one.
void FillSecondChannel(const TVXScene& scene, hostapi::Mesh& mesh, int corners, int faces) {
    mesh.setMapSupport(2, hostapi::TRUE);
    if (mesh.mapSupport(2) == hostapi::FALSE || mesh.setNumMapVerts(2, corners) == hostapi::FALSE ||
        mesh.setNumMapFaces(2, faces) == hostapi::FALSE || scene.uvSets.empty()) {
        return;
    }
    hostapi::UVVert* verts = mesh.mapVerts(2);
    hostapi::TVFace* mapFaces = mesh.mapFaces(2);
    if (verts == nullptr || mapFaces == nullptr) {
        return;
    }
    ForEachFace(scene, [&](const TVXPolygon& polygon, int face, int first) {
        for (int k = 0; k < polygon.cornerCount(); ++k) {
            verts[first + k] = CornerUV(scene, polygon, 1, k);
        }
        mapFaces[face].setTVerts(first, first + 1, first + 2);
    });
}

void FillPositions(const ImportSession& session, hostapi::Mesh& mesh) {
    const TVXScene& scene = session.scene;
    if (IsOn(session.options.importBones)) {
        const auto& posed = session.poses.posedVertices;
        for (std::size_t i = 0; i < posed.size() && i < scene.vertices.size(); ++i) {
            mesh.setVert(static_cast<int>(i), ToPoint3(posed[i].position));
        }
        return;
    }
    for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
        mesh.setVert(static_cast<int>(i), ToPoint3(scene.vertices[i].position));
    }
}

void FillFaces(const TVXScene& scene, hostapi::Mesh& mesh) {
    hostapi::Face* faces = mesh.faces();
    hostapi::TVFace* tvFaces = mesh.tvFace();
    if (faces == nullptr || tvFaces == nullptr) {
        return;
    }
    const int vertexCount = Count(scene.vertices);
    const bool hasUVs = !scene.uvSets.empty();
    ForEachFace(scene, [&](const TVXPolygon& polygon, int face, int first) {
        if (hasUVs) {
            for (int k = 0; k < polygon.cornerCount(); ++k) {
                mesh.setTVert(first + k, CornerUV(scene, polygon, 0, k));
            }
        }
        tvFaces[face].setTVerts(first, first + 1, first + 2);
        const auto v = polygon.vertexIndices();
        hostapi::Face& f = faces[face];
        f.setVerts(MeshVertex(v[0], vertexCount), MeshVertex(v[1], vertexCount), MeshVertex(v[2], vertexCount));
        f.setEdgeVisFlags(1, 1, 1);
        f.setSmGroup(SmoothingGroup(polygon.smoothing));
        mesh.setFaceMtlIndex(face, static_cast<hostapi::MtlID>(static_cast<unsigned>(polygon.materialIndex) & 0xFFFFu));
    });
}

void FillMesh(const ImportSession& session, hostapi::Mesh& mesh) {
    const TVXScene& scene = session.scene;
    int faces = 0;
    int corners = 0;
    ForEachFace(scene, [&](const TVXPolygon& polygon, int, int) {
        ++faces;
        corners += polygon.cornerCount();
    });
    // Faces need vertices to stand on; a document without any stays empty.
    if (faces == 0 || scene.vertices.empty() || !SizeMesh(mesh, Count(scene.vertices), corners, faces)) {
        return;
    }
    FillSecondChannel(scene, mesh, corners, faces);
    FillPositions(session, mesh);
    FillFaces(scene, mesh);
    FillVertexColors(scene, mesh);
    FillSpecifiedNormals(session, mesh);
}

}  // namespace

void BuildMesh(ImportSession& session) {
    if (session.scene.faceLists.empty()) {
        return;
    }
    hostapi::ImpNode* node = session.ii.CreateNode();
    if (node == nullptr) {
        return;
    }
    if (hostapi::TriObject* object = session.ip.CreateNewTriObject()) {
        node->Reference(object);
        hostapi::INode* sceneNode = node->GetINode();
        (void)BuildMaterials(session, sceneNode);
        hostapi::Mesh& mesh = object->GetMesh();
        FillMesh(session, mesh);
        if (IsOn(session.options.importBones)) {
            BuildSkin(session, sceneNode);
        }
        mesh.InvalidateTopologyCache();
        mesh.InvalidateGeomCache();
        mesh.buildNormals();
    }
    node->SetTransform(0, hostapi::Matrix3());
    session.builtNodes.push_back(node);
    node->SetName(kMeshNodeName);
}

}  // namespace tvx::importer
