#include "importer/NormalBuilder.h"

#include <cmath>
#include <optional>

#include "importer/HostConversions.h"

namespace tvx::importer {
namespace {

std::optional<hostapi::Point3> Unit(const Vector3& n) {
    const auto x = static_cast<double>(n.x), y = static_cast<double>(n.y), z = static_cast<double>(n.z);
    const double length = std::sqrt(x * x + y * y + z * z);
    if (!(length > 0.0) || !std::isfinite(length)) {
        return std::nullopt;
    }
    return hostapi::Point3(static_cast<float>(x / length), static_cast<float>(y / length), static_cast<float>(z / length));
}

// The normal that goes with vertex i's position on the mesh.
Vector3 NormalOf(const ImportSession& session, std::size_t i) {
    const auto& posed = session.poses.posedVertices;
    return IsOn(session.options.importBones) && i < posed.size() ? posed[i].normal : session.scene.vertices[i].normal;
}

}  // namespace

void FillSpecifiedNormals(const ImportSession& session, hostapi::Mesh& mesh) {
    const hostapi::Face* faces = mesh.faces();
    const int faceCount = faces != nullptr ? mesh.getNumFaces() : 0;
    if (!session.scene.vertexNormalsStored || faceCount <= 0) {
        return;
    }
    mesh.SpecifyNormals();
    hostapi::MeshNormalSpec* userNormals = mesh.GetSpecifiedNormals();
    const int normalCount = Count(session.scene.vertices);
    if (userNormals == nullptr || !userNormals->SetNumNormals(normalCount) || !userNormals->SetNumFaces(faceCount)) {
        return;
    }
    for (int i = 0; i < normalCount; ++i) {
        const std::optional<hostapi::Point3> unit = Unit(NormalOf(session, static_cast<std::size_t>(i)));
        userNormals->Normal(i) = unit.value_or(hostapi::Point3());
        userNormals->SetNormalExplicit(i, unit.has_value());
    }
    // Face vertices lie within the mesh, which has a normal per vertex.
    for (int f = 0; f < faceCount; ++f) {
        hostapi::MeshNormalFace& face = userNormals->Face(f);
        for (int c = 0; c < 3; ++c) {
            const int normal = static_cast<int>(faces[f].v[c]);
            face.SetNormalID(c, normal);
            face.SetSpecified(c, userNormals->GetNormalExplicit(normal));
        }
    }
}

}  // namespace tvx::importer
