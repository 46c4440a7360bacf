// The stand-in host's triangle mesh.
//
// Besides the arrays it tracks whether the normals are current: any change
// (including handing out an array pointer, through which the plug-in may
// write) makes them stale, and only InvalidateTopologyCache and
// InvalidateGeomCache followed by buildNormals make them current again, the
// order in which the real host wants a filled mesh finished.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "hostapi/Mesh.h"
#include "memhost/MemMeshNormals.h"

namespace memhost {

class HostContext;

class MemMesh final : public hostapi::Mesh {
public:
    struct MapChannel {
        std::vector<hostapi::UVVert> verts;
        std::vector<hostapi::TVFace> faces;
    };

    explicit MemMesh(HostContext& context) : context_(context) {}
    ~MemMesh() override = default;

    // hostapi::Mesh
    [[nodiscard]] hostapi::BOOL setNumVerts(int ct, hostapi::BOOL keep, hostapi::BOOL synchSel) override;
    [[nodiscard]] hostapi::BOOL setNumFaces(int ct, hostapi::BOOL keep, hostapi::BOOL synchSel) override;
    [[nodiscard]] hostapi::BOOL setNumTVerts(int ct, hostapi::BOOL keep) override;
    [[nodiscard]] hostapi::BOOL setNumTVFaces(int ct, hostapi::BOOL keep, int oldCt) override;
    void setVert(int i, const hostapi::Point3& p) override;
    void setTVert(int i, const hostapi::UVVert& uvw) override;
    void setFaceMtlIndex(int i, hostapi::MtlID id) override;
    int getNumVerts() override { return static_cast<int>(verts_.size()); }
    hostapi::Point3 getVert(int i) override;
    int getNumFaces() override { return static_cast<int>(faces_.size()); }
    int getNumTVerts() override { return getNumMapVerts(1); }
    hostapi::UVVert getTVert(int i) override;
    int getNumVertCol() override { return getNumMapVerts(0); }
    hostapi::VertColor getVertCol(int i) override;
    hostapi::Face* faces() override;
    hostapi::TVFace* tvFace() override;
    hostapi::TVFace* vcFace() override;
    void setMapSupport(int mp, hostapi::BOOL support) override;
    hostapi::BOOL mapSupport(int mp) override;
    [[nodiscard]] hostapi::BOOL setNumMapVerts(int mp, int ct, hostapi::BOOL keep) override;
    [[nodiscard]] hostapi::BOOL setNumMapFaces(int mp, int ct, hostapi::BOOL keep, int oldCt) override;
    int getNumMapVerts(int mp) override;
    int getNumMapFaces(int mp) override;
    hostapi::UVVert* mapVerts(int mp) override;
    hostapi::TVFace* mapFaces(int mp) override;
    void InvalidateTopologyCache() override;
    void InvalidateGeomCache() override;
    void buildNormals() override;
    void SpecifyNormals() override;
    hostapi::MeshNormalSpec* GetSpecifiedNormals() override;

    // What the host holds.
    const std::vector<hostapi::Point3>& vertices() const { return verts_; }
    const std::vector<hostapi::Face>& faceList() const { return faces_; }
    // The switched-on map channels by number, MAP_ALPHA and MAP_SHADING
    // included; channel 1 is the texture channel, 0 the vertex colours.
    const std::map<int, MapChannel>& channels() const { return channels_; }
    // Null when the channel is off.
    const MapChannel* channel(int mp) const;
    // Null when the mesh has no specified normals.
    const MemMeshNormals* specifiedNormals() const { return normals_.get(); }
    bool normalsCurrent() const { return !stale_; }
    int buildNormalsCalls() const { return buildNormalsCalls_; }

    // Replaces the whole content by a finished mesh (normals current): what
    // a host-scene file gives, or a copy of another mesh.
    void Assign(std::vector<hostapi::Point3> verts, std::vector<hostapi::Face> faces,
                std::map<int, MapChannel> channels, std::unique_ptr<MemMeshNormals> normals = nullptr);
    void AssignCopy(const MemMesh& other);
    // Frees the content.
    void Clear();

private:
    void Changed();
    // The channel, or null (and a host error naming `call`) when it is off
    // or out of range.
    MapChannel* OnChannel(int mp, const char* call);
    hostapi::Point3 MapVertex(int mp, int i, const char* call);
    MapChannel& TextureChannel() { return channels_[1]; }

    HostContext& context_;
    std::vector<hostapi::Point3> verts_;
    std::vector<hostapi::Face> faces_;
    std::map<int, MapChannel> channels_;
    std::unique_ptr<MemMeshNormals> normals_;
    bool stale_ = false;
    bool topologyInvalidated_ = false;
    bool geometryInvalidated_ = false;
    int buildNormalsCalls_ = 0;
};

}  // namespace memhost
