// The stand-in host's specified normals of a mesh.
//
// Out-of-range indices, which the real host would not survive, are recorded
// as host errors and read and write a scratch element, so a plug-in's
// mistake shows in the session and not as a crash.
#pragma once

#include <utility>
#include <vector>

#include "hostapi/ExplicitNormals.h"

namespace memhost {

class HostContext;

class MemMeshNormals final : public hostapi::MeshNormalSpec {
public:
    struct Content {
        std::vector<hostapi::Point3> normals;
        std::vector<bool> explicitNormals;  // one per normal
        std::vector<hostapi::MeshNormalFace> faces;
    };

    explicit MemMeshNormals(HostContext& context) : context_(&context) {}
    MemMeshNormals(HostContext& context, Content content) : context_(&context), content_(std::move(content)) {}
    ~MemMeshNormals() override = default;

    // hostapi::MeshNormalSpec
    [[nodiscard]] bool SetNumFaces(int numFaces) override;
    [[nodiscard]] bool SetNumNormals(int numNormals) override;
    int GetNumFaces() const override { return static_cast<int>(content_.faces.size()); }
    int GetNumNormals() const override { return static_cast<int>(content_.normals.size()); }
    hostapi::Point3& Normal(int normID) override;
    hostapi::MeshNormalFace& Face(int faceID) override;
    bool GetNormalExplicit(int normID) const override;
    void SetNormalExplicit(int normID, bool value) override;
    void SetAllExplicit(bool value) override;

    const Content& content() const { return content_; }

private:
    bool HasNormal(int normID, const char* call) const;

    HostContext* context_;
    Content content_;
    hostapi::Point3 scratchNormal_;
    hostapi::MeshNormalFace scratchFace_;
};

}  // namespace memhost
