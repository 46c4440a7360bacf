#include "gltf/MeshNormals.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "gltf/GltfMath.h"
#include "gltf/SmoothingNormals.h"

namespace tvx::gltf {
namespace {

Vec3d ToVec3d(const hostapi::Point3& p) {
    return {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
}

// The explicit normal corner c of face f uses, if any; every id is checked
// against their counts.
std::optional<Vec3d> SpecifiedNormal(hostapi::MeshNormalSpec* userNormals, int f, int c) {
    if (userNormals == nullptr || f >= userNormals->GetNumFaces()) {
        return std::nullopt;
    }
    const hostapi::MeshNormalFace& face = userNormals->Face(f);
    const int id = face.GetNormalID(c);
    if (!face.GetSpecified(c) || id < 0 || id >= userNormals->GetNumNormals() || !userNormals->GetNormalExplicit(id)) {
        return std::nullopt;
    }
    return ToVec3d(userNormals->Normal(id));
}

std::vector<std::array<Vec3d, 3>> GroupNormals(hostapi::Mesh& mesh, const std::vector<int>& faces) {
    std::vector<Vec3d> positions(static_cast<std::size_t>(std::max(mesh.getNumVerts(), 0)));
    for (std::size_t v = 0; v < positions.size(); ++v) {
        positions[v] = ToVec3d(mesh.getVert(static_cast<int>(v)));
    }
    const hostapi::Face* all = mesh.faces();
    std::vector<SmoothedTriangle> triangles;
    triangles.reserve(faces.size());
    for (const int f : faces) {
        const hostapi::Face& face = all[f];
        triangles.push_back({{face.v[0], face.v[1], face.v[2]}, face.getSmGroup()});
    }
    return SmoothingNormals(positions, triangles);
}

// The normal carried by `frame` and made unit; none when no direction is left.
std::optional<std::array<float, 3>> Carried(const Mat4& frame, const Vec3d& n) {
    const Vec3d m = TransformNormal(frame, n);
    const double length = std::sqrt(Dot(m, m));
    if (!(length > 0.0) || !std::isfinite(length)) {
        return std::nullopt;
    }
    return std::array<float, 3>{static_cast<float>(m.x / length), static_cast<float>(m.y / length),
                                static_cast<float>(m.z / length)};
}

}  // namespace

std::vector<CornerNormalTriple> CornerNormals(hostapi::Mesh& mesh, const std::vector<int>& faces,
                                              const hostapi::Matrix3& objectOffset) {
    const std::vector<std::array<Vec3d, 3>> smooth = GroupNormals(mesh, faces);
    hostapi::MeshNormalSpec* userNormals = mesh.GetSpecifiedNormals();
    const Mat4 frame = Multiply(AxisChange(), FromHost(objectOffset));
    std::vector<CornerNormalTriple> out(faces.size());
    for (std::size_t i = 0; i < faces.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const auto corner = static_cast<std::size_t>(c);
            const std::optional<Vec3d> specified = SpecifiedNormal(userNormals, faces[i], c);
            std::optional<std::array<float, 3>> normal = specified ? Carried(frame, *specified) : std::nullopt;
            if (!normal) {
                normal = Carried(frame, smooth[i][corner]);
            }
            out[i][corner] = normal.value_or(std::array<float, 3>{0.0f, 1.0f, 0.0f});
        }
    }
    return out;
}

}  // namespace tvx::gltf
