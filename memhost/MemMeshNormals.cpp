#include "memhost/MemMeshNormals.h"

#include <new>
#include <string>

#include "memhost/HostContext.h"

namespace memhost {
namespace {

bool InRange(int i, std::size_t size) { return i >= 0 && static_cast<std::size_t>(i) < size; }

}  // namespace

bool MemMeshNormals::SetNumFaces(int numFaces) {
    if (numFaces < 0) {
        context_->Error("MeshNormalSpec::SetNumFaces: negative count " + std::to_string(numFaces));
        return false;
    }
    content_.faces.resize(static_cast<std::size_t>(numFaces));
    return true;
}

bool MemMeshNormals::SetNumNormals(int numNormals) {
    if (numNormals < 0) {
        context_->Error("MeshNormalSpec::SetNumNormals: negative count " + std::to_string(numNormals));
        return false;
    }
    const auto count = static_cast<std::size_t>(numNormals);
    // Both at once or neither, so every normal keeps its flag.
    std::vector<hostapi::Point3> normals = content_.normals;
    std::vector<bool> flags = content_.explicitNormals;
    normals.resize(count);
    flags.resize(count, false);
    content_.normals.swap(normals);
    content_.explicitNormals.swap(flags);
    return true;
}

bool MemMeshNormals::HasNormal(int normID, const char* call) const {
    if (InRange(normID, content_.normals.size())) {
        return true;
    }
    context_->Error(std::string(call) + ": normal " + std::to_string(normID) + " of " +
                    std::to_string(content_.normals.size()));
    return false;
}

hostapi::Point3& MemMeshNormals::Normal(int normID) {
    return HasNormal(normID, "MeshNormalSpec::Normal") ? content_.normals[static_cast<std::size_t>(normID)]
                                                       : scratchNormal_;
}

hostapi::MeshNormalFace& MemMeshNormals::Face(int faceID) {
    if (!InRange(faceID, content_.faces.size())) {
        context_->Error("MeshNormalSpec::Face: face " + std::to_string(faceID) + " of " +
                        std::to_string(content_.faces.size()));
        return scratchFace_;
    }
    return content_.faces[static_cast<std::size_t>(faceID)];
}

bool MemMeshNormals::GetNormalExplicit(int normID) const {
    return HasNormal(normID, "MeshNormalSpec::GetNormalExplicit") &&
           content_.explicitNormals[static_cast<std::size_t>(normID)];
}

void MemMeshNormals::SetNormalExplicit(int normID, bool value) {
    if (HasNormal(normID, "MeshNormalSpec::SetNormalExplicit")) {
        content_.explicitNormals[static_cast<std::size_t>(normID)] = value;
    }
}

void MemMeshNormals::SetAllExplicit(bool value) { content_.explicitNormals.assign(content_.normals.size(), value); }

}  // namespace memhost
