// The Skin modifier: bones registered in order, and per vertex the bone
// nodes and weights it was given, kept exactly as given (not normalised,
// zero weights and bones that were never registered included, null bone
// entries as null).
//
// Read back through ISkin, a node's context lists per vertex only the
// entries whose bone is registered, in the order given, as indices into the
// registered bones. Its point count is the vertex count of the mesh at the
// bottom of the node's object, unless the skin was given a point count of
// its own (a host-scene file can, to stand for a stack that changes the
// vertex count above the skin).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"
#include "hostapi/Skin.h"
#include "memhost/HostContext.h"

namespace memhost {

class MemNode;
class MemSkin;

class MemSkinContext final : public hostapi::ISkinContextData {
public:
    MemSkinContext(MemSkin& skin, MemNode& node) : skin_(skin), node_(node) {}
    ~MemSkinContext() override = default;

    int GetNumPoints() override;
    int GetNumAssignedBones(int vertexIdx) override;
    int GetAssignedBone(int vertexIdx, int boneIdx) override;
    float GetBoneWeight(int vertexIdx, int boneIdx) override;

private:
    struct Influence {
        int bone = -1;
        float weight = 0.0f;
    };
    // The registered influences of a vertex; empty (and a host error naming
    // call) for a vertex that is not a point of the node.
    std::vector<Influence> Influences(int vertexIdx, const char* call);

    MemSkin& skin_;
    MemNode& node_;
};

class MemSkin final : public MemAnimatable<hostapi::Modifier>, public hostapi::ISkin, public hostapi::ISkinImportData {
public:
    struct Bone {
        MemNode* node = nullptr;
        // The update flag AddBoneEx was given.
        bool update = false;
    };
    struct VertexWeights {
        std::vector<MemNode*> bones;
        std::vector<float> weights;
    };

    MemSkin(HostContext& context, int id) : MemAnimatable(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::SKIN_CLASSID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::OSM_CLASS_ID; }
    void* GetInterface(hostapi::ULONG id) override;

    hostapi::BOOL AddBoneEx(hostapi::INode* boneNode, hostapi::BOOL update) override;
    hostapi::BOOL AddWeights(hostapi::INode* skinNode, int vertexID, const hostapi::Tab<hostapi::INode*>& boneNodeList,
                             const hostapi::Tab<float>& weights) override;

    int GetNumBones() override;
    hostapi::INode* GetBone(int idx) override;
    hostapi::ISkinContextData* GetContextInterface(hostapi::INode* pNode) override;

    const std::vector<Bone>& bones() const { return bones_; }
    // By vertex id.
    const std::map<int, VertexWeights>& weights() const { return weights_; }
    // The registered index of node, -1 when it is no bone of this skin.
    int BoneIndex(const MemNode* node) const;
    const std::optional<int>& points() const { return points_; }

    // Setting the skin up outside a plug-in (a host-scene file); the caller
    // has checked what it gives.
    void LoadBone(MemNode* node) { bones_.push_back({node, false}); }
    void LoadWeights(int vertex, VertexWeights weights) { weights_[vertex] = std::move(weights); }
    void SetPoints(std::optional<int> points) { points_ = points; }
    // Lists only the first count bones, as a skin whose bone table lost
    // entries that its weights still name: the contexts go on reporting
    // those influences by their registered index, past the list's end.
    void ListOnlyBones(std::size_t count) { listed_ = count; }

private:
    std::vector<Bone> bones_;
    std::map<int, VertexWeights> weights_;
    std::optional<int> points_;
    std::optional<std::size_t> listed_;
    std::map<const MemNode*, std::unique_ptr<MemSkinContext>> contexts_;
};

}  // namespace memhost
