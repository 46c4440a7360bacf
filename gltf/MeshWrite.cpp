#include "gltf/MeshWrite.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

#include "gltf/MeshNormals.h"
#include "hostapi/HostConstants.h"

namespace tvx::gltf {
namespace {

// A channel's faces with their counts: every index is checked before use.
struct Channel {
    hostapi::TVFace* faces = nullptr;
    int faceCount = 0;
    hostapi::UVVert* vertices = nullptr;
    int vertexCount = 0;

    Channel(hostapi::Mesh& mesh, int channel) {
        if (mesh.mapSupport(channel) == 0) {
            return;
        }
        faces = mesh.mapFaces(channel);
        vertices = mesh.mapVerts(channel);
        faceCount = faces != nullptr ? std::max(mesh.getNumMapFaces(channel), 0) : 0;
        vertexCount = vertices != nullptr ? std::max(mesh.getNumMapVerts(channel), 0) : 0;
    }
    bool present() const { return faceCount > 0 && vertexCount > 0; }
    // The map vertex of face f's corner c, -1 when there is none.
    int Index(int f, std::size_t c) const {
        if (f >= faceCount) {
            return -1;
        }
        const auto t = static_cast<int>(faces[f].t[c]);
        return t >= 0 && t < vertexCount ? t : -1;
    }
    hostapi::UVVert At(int index) const { return index >= 0 ? vertices[index] : hostapi::UVVert(); }
};

// What makes two corners one glTF vertex: the same host vertex, the same
// map vertices (texture, colour, alpha) and the same normal.
struct CornerKey {
    int vertex;
    int uv1;
    int uv2;
    int colour;
    int alpha;
    std::array<float, 3> normal;

    bool operator<(const CornerKey& o) const {
        if (vertex != o.vertex) return vertex < o.vertex;
        if (uv1 != o.uv1) return uv1 < o.uv1;
        if (uv2 != o.uv2) return uv2 < o.uv2;
        if (colour != o.colour) return colour < o.colour;
        if (alpha != o.alpha) return alpha < o.alpha;
        return std::memcmp(normal.data(), o.normal.data(), sizeof(normal)) < 0;
    }
};

// The channels a mesh writes besides its positions and normals.
struct Channels {
    Channel uv1;
    Channel uv2;
    Channel colour;
    Channel alpha;

    explicit Channels(hostapi::Mesh& mesh) : uv1(mesh, 1), uv2(mesh, 2), colour(mesh, 0), alpha(mesh, hostapi::MAP_ALPHA) {}
};

// Which host corner each written corner takes. glTF sees the node's
// transform, and turns its faces round itself when that mirrors, but not
// the object offset, which is folded into the positions: an offset that
// mirrors would leave the faces inside out.
using Winding = std::array<std::size_t, 3>;

bool IsMirrored(const hostapi::Matrix3& m) {
    const hostapi::Point3 n = hostapi::CrossProd(m.GetRow(0), m.GetRow(1));
    const hostapi::Point3 z = m.GetRow(2);
    return n.x * z.x + n.y * z.y + n.z * z.z < 0.0f;
}

// A colour component as glTF takes it: 0 to 1, and white where the host's
// is not a number.
float ColourValue(float v) { return std::isnan(v) ? 1.0f : std::clamp(v, 0.0f, 1.0f); }

struct Primitive {
    std::map<CornerKey, std::uint32_t> corners;
    std::vector<CornerKey> vertices;
    std::vector<std::uint32_t> indices;
};

// Up to 8 influences, strongest first, summing to 1; a vertex without any
// follows the first joint.
std::vector<std::pair<int, float>> Normalised(std::vector<std::pair<int, float>> weights) {
    weights.erase(std::remove_if(weights.begin(), weights.end(),
                                 [](const auto& w) { return !(w.second > 0.0f) || !std::isfinite(w.second); }),
                  weights.end());
    std::stable_sort(weights.begin(), weights.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    if (weights.size() > 8) {
        weights.resize(8);
    }
    float sum = 0.0f;
    for (const auto& w : weights) {
        sum += w.second;
    }
    if (weights.empty() || !(sum > 0.0f)) {
        return {{0, 1.0f}};
    }
    for (auto& w : weights) {
        w.second /= sum;
    }
    return weights;
}

void AddSkinAttributes(GltfScene& scene, const Primitive& primitive, const VertexWeights& weights,
                       tinygltf::Primitive& out) {
    std::vector<std::pair<int, float>> none;
    std::vector<std::vector<std::pair<int, float>>> all;
    bool second = false;
    for (const CornerKey& key : primitive.vertices) {
        const auto v = static_cast<std::size_t>(key.vertex);
        all.push_back(Normalised(v < weights.size() ? weights[v] : none));
        second = second || all.back().size() > 4;
    }
    for (int set = 0; set < (second ? 2 : 1); ++set) {
        std::vector<std::uint16_t> joints;
        std::vector<float> values;
        for (const auto& list : all) {
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t at = static_cast<std::size_t>(4 * set) + k;
                joints.push_back(at < list.size() ? static_cast<std::uint16_t>(list[at].first) : 0);
                values.push_back(at < list.size() ? list[at].second : 0.0f);
            }
        }
        const std::string suffix = std::to_string(set);
        out.attributes["JOINTS_" + suffix] = scene.buffer.AddJoints(joints);
        out.attributes["WEIGHTS_" + suffix] = scene.buffer.AddFloats(values, 4, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
}

// COLOR_0 from the vertex colours, with the vertex alpha as its fourth
// component when the mesh has that channel; a corner whose colour or alpha
// is missing shows white, opaque, as a mesh without them does.
void AddColours(GltfScene& scene, const Primitive& primitive, const Channels& channels, tinygltf::Primitive& out) {
    const bool withAlpha = channels.alpha.present();
    if (!channels.colour.present() && !withAlpha) {
        return;
    }
    std::vector<float> colours;
    for (const CornerKey& key : primitive.vertices) {
        const hostapi::UVVert c = key.colour >= 0 ? channels.colour.At(key.colour) : hostapi::UVVert(1, 1, 1);
        colours.insert(colours.end(), {ColourValue(c.x), ColourValue(c.y), ColourValue(c.z)});
        if (withAlpha) {
            colours.push_back(key.alpha >= 0 ? ColourValue(channels.alpha.At(key.alpha).x) : 1.0f);
        }
    }
    out.attributes["COLOR_0"] =
        scene.buffer.AddFloats(colours, withAlpha ? 4 : 3, false, TINYGLTF_TARGET_ARRAY_BUFFER);
}

void AddAttributes(GltfScene& scene, const Primitive& primitive, const std::vector<Vec3d>& positions,
                   const Channels& channels, tinygltf::Primitive& out) {
    std::vector<float> position, normal, texture1, texture2;
    for (const CornerKey& key : primitive.vertices) {
        const Vec3d& p = positions[static_cast<std::size_t>(key.vertex)];
        position.insert(position.end(), {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
        normal.insert(normal.end(), key.normal.begin(), key.normal.end());
        // The host's v runs up the image, glTF's down it.
        const hostapi::UVVert t1 = channels.uv1.At(key.uv1);
        texture1.insert(texture1.end(), {t1.x, 1.0f - t1.y});
        const hostapi::UVVert t2 = channels.uv2.At(key.uv2);
        texture2.insert(texture2.end(), {t2.x, 1.0f - t2.y});
    }
    out.attributes["POSITION"] = scene.buffer.AddFloats(position, 3, true, TINYGLTF_TARGET_ARRAY_BUFFER);
    out.attributes["NORMAL"] = scene.buffer.AddFloats(normal, 3, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    if (channels.uv1.present()) {
        out.attributes["TEXCOORD_0"] = scene.buffer.AddFloats(texture1, 2, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
    if (channels.uv2.present()) {
        out.attributes["TEXCOORD_1"] = scene.buffer.AddFloats(texture2, 2, false, TINYGLTF_TARGET_ARRAY_BUFFER);
    }
    AddColours(scene, primitive, channels, out);
}

// The faces whose three vertices the mesh has; only they are written.
std::vector<int> WrittenFaces(const hostapi::Face* faces, int faceCount, int vertexCount) {
    std::vector<int> out;
    for (int f = 0; f < faceCount; ++f) {
        const hostapi::Face& face = faces[f];
        if (std::all_of(std::begin(face.v), std::end(face.v),
                        [&](hostapi::DWORD v) { return v < static_cast<hostapi::DWORD>(vertexCount); })) {
            out.push_back(f);
        }
    }
    return out;
}

}  // namespace

HostMesh::~HostMesh() {
    if (converted != nullptr && converted != object) {
        converted->DeleteThis();
    }
}

void TakeMesh(memhost::MemNode& node, HostMesh& out) {
    hostapi::Object* object = node.EvalWorldState(0, hostapi::TRUE).obj;
    if (object == nullptr || object->SuperClassID() != hostapi::GEOMOBJECT_CLASS_ID ||
        object->ClassID() == hostapi::BONE_OBJ_CLASSID || object->ClassID() == hostapi::BONE_CLASS_ID ||
        object->CanConvertToType(hostapi::triObjectClassID) == 0) {
        return;
    }
    out.object = object;
    out.converted = object->ConvertToType(0, hostapi::triObjectClassID);
    if (out.converted != nullptr) {
        out.mesh = &static_cast<hostapi::TriObject*>(out.converted)->GetMesh();
    }
}

int WriteMesh(GltfScene& scene, memhost::MemNode& node, hostapi::Mesh& mesh, const MaterialForId& materialFor,
              const VertexWeights& weights, int& triangles) {
    const hostapi::Face* faces = mesh.faces();
    const int faceCount = faces != nullptr ? std::max(mesh.getNumFaces(), 0) : 0;
    const int vertexCount = std::max(mesh.getNumVerts(), 0);
    std::vector<Vec3d> positions(static_cast<std::size_t>(vertexCount));
    for (int v = 0; v < vertexCount; ++v) {
        // In the node's frame: the object offset is folded in.
        positions[static_cast<std::size_t>(v)] = ToGltfAxes(mesh.getVert(v) * node.objectOffset());
    }
    const Channels channels(mesh);
    const std::vector<int> written = WrittenFaces(faces, faceCount, vertexCount);
    const std::vector<CornerNormalTriple> normals = CornerNormals(mesh, written, node.objectOffset());
    const Winding winding = IsMirrored(node.objectOffset()) ? Winding{0, 2, 1} : Winding{0, 1, 2};
    std::map<int, Primitive> byMaterial;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const int f = written[i];
        const hostapi::Face& face = faces[f];
        Primitive& primitive = byMaterial[face.getMatID()];
        for (const std::size_t c : winding) {
            const CornerKey key{static_cast<int>(face.v[c]), channels.uv1.Index(f, c), channels.uv2.Index(f, c),
                                channels.colour.Index(f, c), channels.alpha.Index(f, c), normals[i][c]};
            const auto [at, added] = primitive.corners.emplace(key, static_cast<std::uint32_t>(primitive.vertices.size()));
            if (added) {
                primitive.vertices.push_back(key);
            }
            primitive.indices.push_back(at->second);
        }
        ++triangles;
    }
    if (byMaterial.empty()) {
        return -1;
    }
    tinygltf::Mesh out;
    out.name = node.name();
    for (const auto& [materialId, primitive] : byMaterial) {
        tinygltf::Primitive p;
        p.mode = TINYGLTF_MODE_TRIANGLES;
        p.material = materialFor(materialId);
        AddAttributes(scene, primitive, positions, channels, p);
        if (!weights.empty()) {
            AddSkinAttributes(scene, primitive, weights, p);
        }
        p.indices = scene.buffer.AddIndices(primitive.indices);
        out.primitives.push_back(std::move(p));
    }
    scene.model.meshes.push_back(std::move(out));
    return static_cast<int>(scene.model.meshes.size() - 1);
}

}  // namespace tvx::gltf
