#include "memhost/MemMesh.h"

#include <new>
#include <string>

#include "memhost/HostContext.h"

namespace memhost {
namespace {

using hostapi::BOOL;
using hostapi::FALSE;
using hostapi::TRUE;

// Resizes to ct, keeping the old content or starting from zeros. A refused
// resize, or one that runs out of memory (std::bad_alloc), leaves the array
// as it was.
template <class T>
BOOL Resize(HostContext& context, std::vector<T>& array, int ct, BOOL keep, const char* call) {
    if (ct < 0) {
        context.Error(std::string(call) + ": negative count " + std::to_string(ct));
        return FALSE;
    }
    if (keep) {
        array.resize(static_cast<std::size_t>(ct));
    } else {
        std::vector<T> fresh(static_cast<std::size_t>(ct));
        array.swap(fresh);
    }
    return TRUE;
}

template <class T>
T* DataOrNull(std::vector<T>& array) {
    return array.empty() ? nullptr : array.data();
}

bool InRange(int i, std::size_t size) { return i >= 0 && static_cast<std::size_t>(i) < size; }

}  // namespace

void MemMesh::Changed() {
    stale_ = true;
    topologyInvalidated_ = false;
    geometryInvalidated_ = false;
}

MemMesh::MapChannel* MemMesh::OnChannel(int mp, const char* call) {
    const auto it = channels_.find(mp);
    if (it == channels_.end()) {
        context_.Error(std::string(call) + ": map channel " + std::to_string(mp) + " is not switched on");
        return nullptr;
    }
    return &it->second;
}

const MemMesh::MapChannel* MemMesh::channel(int mp) const {
    const auto it = channels_.find(mp);
    return it == channels_.end() ? nullptr : &it->second;
}

BOOL MemMesh::setNumVerts(int ct, BOOL keep, BOOL) {
    Changed();
    return Resize(context_, verts_, ct, keep, "Mesh::setNumVerts");
}

BOOL MemMesh::setNumFaces(int ct, BOOL keep, BOOL) {
    Changed();
    return Resize(context_, faces_, ct, keep, "Mesh::setNumFaces");
}

BOOL MemMesh::setNumTVerts(int ct, BOOL keep) {
    Changed();
    return Resize(context_, TextureChannel().verts, ct, keep, "Mesh::setNumTVerts");
}

BOOL MemMesh::setNumTVFaces(int ct, BOOL keep, int) {
    Changed();
    return Resize(context_, TextureChannel().faces, ct, keep, "Mesh::setNumTVFaces");
}

void MemMesh::setVert(int i, const hostapi::Point3& p) {
    Changed();
    if (!InRange(i, verts_.size())) {
        context_.Error("Mesh::setVert: vertex " + std::to_string(i) + " of " + std::to_string(verts_.size()));
        return;
    }
    verts_[static_cast<std::size_t>(i)] = p;
}

void MemMesh::setTVert(int i, const hostapi::UVVert& uvw) {
    Changed();
    const auto it = channels_.find(1);
    const std::size_t count = it == channels_.end() ? 0 : it->second.verts.size();
    if (!InRange(i, count)) {
        context_.Error("Mesh::setTVert: texture vertex " + std::to_string(i) + " of " + std::to_string(count));
        return;
    }
    it->second.verts[static_cast<std::size_t>(i)] = uvw;
}

void MemMesh::setFaceMtlIndex(int i, hostapi::MtlID id) {
    Changed();
    if (!InRange(i, faces_.size())) {
        context_.Error("Mesh::setFaceMtlIndex: face " + std::to_string(i) + " of " + std::to_string(faces_.size()));
        return;
    }
    faces_[static_cast<std::size_t>(i)].setMatID(id);
}

hostapi::Point3 MemMesh::getVert(int i) {
    if (!InRange(i, verts_.size())) {
        context_.Error("Mesh::getVert: vertex " + std::to_string(i) + " of " + std::to_string(verts_.size()));
        return hostapi::Point3();
    }
    return verts_[static_cast<std::size_t>(i)];
}

hostapi::Point3 MemMesh::MapVertex(int mp, int i, const char* call) {
    const MapChannel* map = channel(mp);
    const std::size_t count = map ? map->verts.size() : 0;
    if (!InRange(i, count)) {
        context_.Error(std::string(call) + ": vertex " + std::to_string(i) + " of " + std::to_string(count));
        return hostapi::Point3();
    }
    return map->verts[static_cast<std::size_t>(i)];
}

hostapi::UVVert MemMesh::getTVert(int i) { return MapVertex(1, i, "Mesh::getTVert"); }

hostapi::VertColor MemMesh::getVertCol(int i) { return MapVertex(0, i, "Mesh::getVertCol"); }

hostapi::TVFace* MemMesh::vcFace() {
    Changed();
    const auto it = channels_.find(0);
    return it == channels_.end() ? nullptr : DataOrNull(it->second.faces);
}

int MemMesh::getNumMapFaces(int mp) {
    const MapChannel* map = channel(mp);
    return map ? static_cast<int>(map->faces.size()) : 0;
}

void MemMesh::Assign(std::vector<hostapi::Point3> verts, std::vector<hostapi::Face> faces,
                     std::map<int, MapChannel> channels, std::unique_ptr<MemMeshNormals> normals) {
    verts_ = std::move(verts);
    faces_ = std::move(faces);
    channels_ = std::move(channels);
    normals_ = std::move(normals);
    stale_ = false;
    topologyInvalidated_ = false;
    geometryInvalidated_ = false;
}

void MemMesh::AssignCopy(const MemMesh& other) {
    auto normals = other.normals_ ? std::make_unique<MemMeshNormals>(context_, other.normals_->content()) : nullptr;
    Assign(other.verts_, other.faces_, other.channels_, std::move(normals));
}

void MemMesh::Clear() {
    std::vector<hostapi::Point3>().swap(verts_);
    std::vector<hostapi::Face>().swap(faces_);
    channels_.clear();
    normals_.reset();
    Changed();
}

hostapi::Face* MemMesh::faces() {
    Changed();
    return DataOrNull(faces_);
}

hostapi::TVFace* MemMesh::tvFace() {
    Changed();
    const auto it = channels_.find(1);
    return it == channels_.end() ? nullptr : DataOrNull(it->second.faces);
}

void MemMesh::setMapSupport(int mp, BOOL support) {
    Changed();
    if (mp < -hostapi::NUM_HIDDENMAPS || mp >= hostapi::MAX_MESHMAPS) {
        context_.Error("Mesh::setMapSupport: no map channel " + std::to_string(mp));
        return;
    }
    if (!support) {
        channels_.erase(mp);
        return;
    }
    if (channels_.count(mp) != 0) {
        return;
    }
    MapChannel fresh;
    fresh.faces.resize(faces_.size());
    channels_.emplace(mp, std::move(fresh));
}

BOOL MemMesh::mapSupport(int mp) { return channels_.count(mp) != 0 ? TRUE : FALSE; }

BOOL MemMesh::setNumMapVerts(int mp, int ct, BOOL keep) {
    Changed();
    MapChannel* map = OnChannel(mp, "Mesh::setNumMapVerts");
    return map ? Resize(context_, map->verts, ct, keep, "Mesh::setNumMapVerts") : FALSE;
}

BOOL MemMesh::setNumMapFaces(int mp, int ct, BOOL keep, int) {
    Changed();
    MapChannel* map = OnChannel(mp, "Mesh::setNumMapFaces");
    return map ? Resize(context_, map->faces, ct, keep, "Mesh::setNumMapFaces") : FALSE;
}

int MemMesh::getNumMapVerts(int mp) {
    const MapChannel* map = channel(mp);
    return map ? static_cast<int>(map->verts.size()) : 0;
}

hostapi::UVVert* MemMesh::mapVerts(int mp) {
    Changed();
    MapChannel* map = OnChannel(mp, "Mesh::mapVerts");
    return map ? DataOrNull(map->verts) : nullptr;
}

hostapi::TVFace* MemMesh::mapFaces(int mp) {
    Changed();
    MapChannel* map = OnChannel(mp, "Mesh::mapFaces");
    return map ? DataOrNull(map->faces) : nullptr;
}

void MemMesh::SpecifyNormals() {
    Changed();
    if (normals_ == nullptr) {
        normals_ = std::make_unique<MemMeshNormals>(context_);
    }
}

// The plug-in may write through the normals it is handed.
hostapi::MeshNormalSpec* MemMesh::GetSpecifiedNormals() {
    Changed();
    return normals_.get();
}

void MemMesh::InvalidateTopologyCache() { topologyInvalidated_ = true; }

void MemMesh::InvalidateGeomCache() { geometryInvalidated_ = true; }

void MemMesh::buildNormals() {
    ++buildNormalsCalls_;
    if (topologyInvalidated_ && geometryInvalidated_) {
        stale_ = false;
    }
}

}  // namespace memhost
