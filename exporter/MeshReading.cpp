#include "exporter/MeshReading.h"

#include <algorithm>
#include <bit>
#include <string>

#include "exporter/ExportRefusal.h"
#include "exporter/SkinReading.h"
#include "hostapi/Biped.h"

namespace tvx::exporter {
namespace {

// Which host corner each exported corner takes. A mirroring transform turns
// the faces inside out, so the exporter flips them back.
using Winding = std::array<std::size_t, 3>;
constexpr Winding kHostWinding{0, 1, 2};
constexpr Winding kMirroredWinding{0, 2, 1};

bool IsMirrored(const hostapi::Matrix3& tm) {
    const hostapi::Point3 normal = hostapi::CrossProd(tm.GetRow(0), tm.GetRow(1));
    const hostapi::Point3 z = tm.GetRow(2);
    return normal.x * z.x + normal.y * z.y + normal.z * z.z < 0.0f;
}

Vector3 ToVector(const hostapi::Point3& p) { return {p.x, p.y, p.z}; }

int NonNegative(int count) { return std::max(count, 0); }

// One map channel's faces and vertices with their counts, so that every
// index the mesh hands out is checked before it is followed: a channel may
// have fewer faces than the mesh, and its face indices may point past its
// vertices.
class MapChannel {
public:
    MapChannel(hostapi::Mesh& mesh, int channel) {
        if (mesh.mapSupport(channel) == 0) {
            return;
        }
        faces_ = mesh.mapFaces(channel);
        faceCount_ = faces_ != nullptr ? NonNegative(mesh.getNumMapFaces(channel)) : 0;
        vertices_ = mesh.mapVerts(channel);
        vertexCount_ = vertices_ != nullptr ? NonNegative(mesh.getNumMapVerts(channel)) : 0;
    }

    bool hasFaces() const { return faceCount_ > 0; }
    bool hasVertices() const { return vertexCount_ > 0; }

    // Face f's indices in winding w; false when the channel has no face f.
    bool Indices(int f, const Winding& w, std::array<int, 3>& out) const {
        if (f >= faceCount_) {
            return false;
        }
        const hostapi::TVFace& face = faces_[f];
        for (std::size_t c = 0; c < 3; ++c) {
            out[c] = static_cast<int>(face.t[w[c]]);
        }
        return true;
    }

    bool Contains(int index) const { return index >= 0 && index < vertexCount_; }

    // The three corners' coordinates; false (and out untouched) unless the
    // face and all three of its vertices exist.
    bool Corners(int f, const Winding& w, std::array<Vector3, 3>& out) const {
        std::array<int, 3> indices{};
        if (!Indices(f, w, indices) || !std::all_of(indices.begin(), indices.end(), [this](int i) { return Contains(i); })) {
            return false;
        }
        for (std::size_t c = 0; c < 3; ++c) {
            out[c] = ToVector(vertices_[indices[c]]);
        }
        return true;
    }

    float U(int index) const { return vertices_[index].x; }

private:
    hostapi::TVFace* faces_ = nullptr;
    int faceCount_ = 0;
    hostapi::UVVert* vertices_ = nullptr;
    int vertexCount_ = 0;
};

int BitLength(std::uint32_t mask) { return mask == 0 ? 0 : 32 - std::countl_zero(mask); }

void ReadVertices(hostapi::Mesh& mesh, const hostapi::Matrix3& objectTM, MeshEntry& entry) {
    const bool hasColors = mesh.getNumVertCol() > 0;
    entry.vertices.resize(static_cast<std::size_t>(NonNegative(mesh.getNumVerts())));
    for (std::size_t i = 0; i < entry.vertices.size(); ++i) {
        MeshVertexEntry& vertex = entry.vertices[i];
        vertex.position = ToVector(mesh.getVert(static_cast<int>(i)) * objectTM);
        vertex.color = hasColors ? RGBA{0.0f, 0.0f, 0.0f, 1.0f} : RGBA{1.0f, 1.0f, 1.0f, 1.0f};
    }
}

void ReadFaces(hostapi::Mesh& mesh, const Winding& w, MeshEntry& entry) {
    const hostapi::Face* faces = mesh.faces();
    entry.faces.resize(faces != nullptr ? static_cast<std::size_t>(NonNegative(mesh.getNumFaces())) : 0);
    const MapChannel texture(mesh, 1);
    for (std::size_t f = 0; f < entry.faces.size(); ++f) {
        const hostapi::Face& face = faces[f];
        MeshFaceEntry& out = entry.faces[f];
        out.materialId = face.getMatID();
        out.smoothingMask = face.getSmGroup();
        out.smoothing = BitLength(out.smoothingMask);
        for (std::size_t c = 0; c < 3; ++c) {
            out.vertices[c] = static_cast<int>(face.v[w[c]]);
        }
        const int fi = static_cast<int>(f);
        if (texture.Indices(fi, w, out.textureIndices) && texture.hasVertices()) {
            (void)texture.Corners(fi, w, out.uv1);
        }
    }
}

bool ContainsVertex(const MeshEntry& entry, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < entry.vertices.size();
}

std::string FaceText(hostapi::INode& node, std::size_t face) { return NodeText(node) + ", face " + std::to_string(face); }

bool IsExportablePoint(const Vector3& v) { return IsExportable(v.x) && IsExportable(v.y) && IsExportable(v.z); }

// The text naming where is only made for a refusal: meshes are large.
template <class Where>
void RequireExportablePoint(const Vector3& v, Where where, const char* what) {
    if (!IsExportablePoint(v)) {
        for (const float c : {v.x, v.y, v.z}) {
            RequireExportable(c, where(), what);
        }
    }
}

// Colour samples: every face corner adds the colour it shows to its vertex.
// A corner whose colour or vertex index lies outside the arrays adds no
// sample, so it cannot darken its vertex.
void ReadColors(hostapi::Mesh& mesh, hostapi::INode& node, const Winding& w, MeshEntry& entry) {
    entry.colors.resize(static_cast<std::size_t>(NonNegative(mesh.getNumVertCol())));
    for (std::size_t i = 0; i < entry.colors.size(); ++i) {
        const hostapi::VertColor c = mesh.getVertCol(static_cast<int>(i));
        entry.colors[i] = {c.x, c.y, c.z, 1.0f};
    }
    const MapChannel colorFaces(mesh, 0);
    for (std::size_t f = 0; f < entry.faces.size(); ++f) {
        MeshFaceEntry& face = entry.faces[f];
        if (!colorFaces.Indices(static_cast<int>(f), w, face.colorIndices)) {
            continue;
        }
        for (std::size_t c = 0; c < 3; ++c) {
            const int color = face.colorIndices[c];
            if (!ContainsVertex(entry, face.vertices[c]) || color < 0 ||
                static_cast<std::size_t>(color) >= entry.colors.size()) {
                continue;
            }
            MeshVertexEntry& vertex = entry.vertices[static_cast<std::size_t>(face.vertices[c])];
            const RGBA& sample = entry.colors[static_cast<std::size_t>(color)];
            RequireExportablePoint({sample.r, sample.g, sample.b}, [&] { return FaceText(node, f); }, "a vertex colour");
            ++vertex.colorSamples;
            vertex.color.r += sample.r;
            vertex.color.g += sample.g;
            vertex.color.b += sample.b;
        }
    }
}

void ReadSecondChannel(hostapi::Mesh& mesh, const Winding& w, int channel, MeshEntry& entry) {
    const MapChannel map(mesh, channel);
    if (!map.hasFaces() || !map.hasVertices()) {
        return;
    }
    for (std::size_t f = 0; f < entry.faces.size(); ++f) {
        (void)map.Corners(static_cast<int>(f), w, entry.faces[f].uv2);
    }
}

void ReadAlpha(hostapi::Mesh& mesh, hostapi::INode& node, const Winding& w, MeshEntry& entry) {
    const MapChannel alpha(mesh, hostapi::MAP_ALPHA);
    for (std::size_t f = 0; f < entry.faces.size(); ++f) {
        std::array<int, 3> indices{};
        if (!alpha.Indices(static_cast<int>(f), w, indices)) {
            continue;
        }
        for (std::size_t c = 0; c < 3; ++c) {
            const int v = entry.faces[f].vertices[c];
            if (ContainsVertex(entry, v) && alpha.Contains(indices[c])) {
                MeshVertexEntry& vertex = entry.vertices[static_cast<std::size_t>(v)];
                if (!IsExportable(alpha.U(indices[c]))) {
                    RequireExportable(alpha.U(indices[c]), FaceText(node, f), "a vertex alpha");
                }
                ++vertex.alphaSamples;
                vertex.alpha += alpha.U(indices[c]);
            }
        }
    }
}

// Positions and texture coordinates that no file could use, and faces on
// vertices the mesh does not have (whose indices, offset by the vertices
// before them, would name another mesh's vertices or none), are refused.
// A position is checked as written, in world space: a finite vertex under a
// finite but vast transform may still land beyond the largest value.
void RequireExportableMesh(hostapi::INode& node, const MeshEntry& entry) {
    for (std::size_t v = 0; v < entry.vertices.size(); ++v) {
        RequireExportablePoint(
            entry.vertices[v].position, [&] { return NodeText(node) + ", vertex " + std::to_string(v); }, "its position");
    }
    for (std::size_t f = 0; f < entry.faces.size(); ++f) {
        const MeshFaceEntry& face = entry.faces[f];
        const std::string where = FaceText(node, f);
        for (const int vertex : face.vertices) {
            if (!ContainsVertex(entry, vertex)) {
                throw ExportRefusal(where + ": vertex " + std::to_string(vertex) + " is not one of the mesh's " +
                                    std::to_string(entry.vertices.size()) + " vertices");
            }
        }
        for (std::size_t c = 0; c < 3; ++c) {
            RequireExportablePoint(face.uv1[c], [&] { return where; }, "a texture coordinate");
            RequireExportablePoint(face.uv2[c], [&] { return where; }, "a coordinate of the second map channel");
        }
    }
}

BipedKind BipedKindOf(hostapi::Control* controller) {
    if (controller == nullptr) {
        return BipedKind::None;
    }
    const hostapi::Class_ID id = controller->ClassID();
    if (id == hostapi::BIPBODY_CONTROL_CLASS_ID) {
        return BipedKind::Body;
    }
    if (id == hostapi::BIPSLAVE_CONTROL_CLASS_ID) {
        return BipedKind::Slave;
    }
    return id == hostapi::FOOTPRINT_CLASS_ID ? BipedKind::Footstep : BipedKind::None;
}

// A biped shows its figure pose in figure mode and may scale its parts
// unevenly; asking for uniform scale and leaving every mode makes its
// nodes show the animation that the sampling reads.
void PrepareBiped(hostapi::Control& controller) {
    if (auto* biped = static_cast<hostapi::IBipedExport*>(controller.GetInterface(hostapi::I_BIPINTERFACE))) {
        biped->RemoveNonUniformScale(hostapi::TRUE);
        biped->BeginFigureMode(1);
        biped->EndFigureMode(1);
        controller.ReleaseInterface(hostapi::I_BIPINTERFACE, biped);
    }
    if (auto* master = static_cast<hostapi::IBipMaster*>(controller.GetInterface(hostapi::I_BIPMASTER))) {
        master->ExitModes(hostapi::FOREVER);
        controller.ReleaseInterface(hostapi::I_BIPMASTER, master);
    }
}

void ReadGeometry(hostapi::Object& object, hostapi::INode& node, int mappingChannel, MeshEntry& entry) {
    hostapi::Object* converted = object.ConvertToType(0, hostapi::triObjectClassID);
    if (converted == nullptr) {
        return;
    }
    // Whatever the reading throws, a mesh made for us goes back to the host.
    struct Release {
        hostapi::Object* converted;
        hostapi::Object* evaluated;
        ~Release() {
            if (converted != evaluated) {
                converted->DeleteThis();
            }
        }
    } release{converted, &object};
    hostapi::Mesh& mesh = static_cast<hostapi::TriObject*>(converted)->GetMesh();
    const hostapi::Matrix3 objectTM = CheckedObjectTM(node, 0);
    const Winding& w = IsMirrored(objectTM) ? kMirroredWinding : kHostWinding;
    ReadVertices(mesh, objectTM, entry);
    ReadFaces(mesh, w, entry);
    ReadColors(mesh, node, w, entry);
    ReadSecondChannel(mesh, w, mappingChannel, entry);
    ReadAlpha(mesh, node, w, entry);
    RequireExportableMesh(node, entry);
}

}  // namespace

void ReadMesh(MeshEntry& entry, int mappingChannel) {
    hostapi::INode& node = *entry.node;
    hostapi::Object* object = node.EvalWorldState(0, hostapi::TRUE).obj;
    if (object != nullptr) {
        ReadGeometry(*object, node, mappingChannel, entry);
    }
    hostapi::Control* controller = node.GetTMController();
    entry.biped = BipedKindOf(controller);
    if (entry.biped == BipedKind::Body || entry.biped == BipedKind::Slave) {
        PrepareBiped(*controller);
    }
    ReadSkinWeights(entry);
}

void AverageColors(MeshEntry& entry) {
    for (MeshVertexEntry& vertex : entry.vertices) {
        if (vertex.colorSamples > 0) {
            const auto n = static_cast<float>(vertex.colorSamples);
            vertex.color.r /= n;
            vertex.color.g /= n;
            vertex.color.b /= n;
        }
        if (vertex.alphaSamples > 0) {
            vertex.alpha = std::min(vertex.alpha / static_cast<float>(vertex.alphaSamples), 1.0f);
            vertex.color.a = vertex.alpha;
        }
    }
}

}  // namespace tvx::exporter
