#include "importer/VertexColorBuilder.h"

#include <algorithm>
#include <functional>

namespace tvx::importer {
namespace {

bool Tinted(const TVXVertex& v) { return v.color.r != 1.0f || v.color.g != 1.0f || v.color.b != 1.0f; }
bool Translucent(const TVXVertex& v) { return v.color.a != 1.0f; }

void FillChannel(const TVXScene& scene, hostapi::Mesh& mesh, int channel,
                 const std::function<hostapi::UVVert(const RGBA&)>& value) {
    const hostapi::Face* faces = mesh.faces();
    const int faceCount = faces != nullptr ? mesh.getNumFaces() : 0;
    mesh.setMapSupport(channel, hostapi::TRUE);
    if (mesh.mapSupport(channel) == hostapi::FALSE || mesh.setNumMapVerts(channel, Count(scene.vertices)) == hostapi::FALSE ||
        mesh.setNumMapFaces(channel, faceCount) == hostapi::FALSE) {
        return;
    }
    hostapi::UVVert* verts = mesh.mapVerts(channel);
    hostapi::TVFace* mapFaces = mesh.mapFaces(channel);
    if (verts == nullptr || mapFaces == nullptr) {
        return;
    }
    for (std::size_t i = 0; i < scene.vertices.size(); ++i) {
        verts[i] = value(scene.vertices[i].color);
    }
    for (int f = 0; f < faceCount; ++f) {
        const hostapi::Face& face = faces[f];
        mapFaces[f].setTVerts(static_cast<int>(face.v[0]), static_cast<int>(face.v[1]), static_cast<int>(face.v[2]));
    }
}

}  // namespace

void FillVertexColors(const TVXScene& scene, hostapi::Mesh& mesh) {
    if (!scene.vertexColorsStored || mesh.getNumFaces() <= 0) {
        return;
    }
    const auto& v = scene.vertices;
    if (std::any_of(v.begin(), v.end(), Tinted)) {
        FillChannel(scene, mesh, 0, [](const RGBA& c) { return hostapi::UVVert(c.r, c.g, c.b); });
    }
    // The host keeps vertex alpha grey, the same in all three coordinates;
    // the exporter reads the first.
    if (std::any_of(v.begin(), v.end(), Translucent)) {
        FillChannel(scene, mesh, hostapi::MAP_ALPHA, [](const RGBA& c) { return hostapi::UVVert(c.a, c.a, c.a); });
    }
}

}  // namespace tvx::importer
