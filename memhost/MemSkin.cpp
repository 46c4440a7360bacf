#include "memhost/MemSkin.h"

#include <algorithm>
#include <new>
#include <string>

#include "memhost/MemNode.h"
#include "memhost/MemObjects.h"

namespace memhost {

using hostapi::BOOL;
using hostapi::FALSE;
using hostapi::TRUE;

void* MemSkin::GetInterface(hostapi::ULONG id) {
    if (id != hostapi::I_SKIN && id != hostapi::I_SKINIMPORTDATA) {
        return nullptr;
    }
    CallDetail detail;
    detail.interfaceId = id;
    if (context().failures.ShouldFail(HostCall::GetInterface, detail)) {
        return nullptr;
    }
    if (id == hostapi::I_SKIN) {
        return static_cast<hostapi::ISkin*>(this);
    }
    return static_cast<hostapi::ISkinImportData*>(this);
}

BOOL MemSkin::AddBoneEx(hostapi::INode* boneNode, BOOL update) {
    MemNode* node = context().Find<MemNode>(boneNode);
    if (!node) {
        context().Error("ISkinImportData::AddBoneEx: not a node of this host");
        return FALSE;
    }
    for (const Bone& bone : bones_) {
        if (bone.node == node) {
            context().Error("ISkinImportData::AddBoneEx: node " + std::to_string(node->id()) +
                            " is already a bone of this skin");
            return FALSE;
        }
    }
    bones_.push_back({node, update != 0});
    return TRUE;
}

BOOL MemSkin::AddWeights(hostapi::INode* skinNode, int vertexID, const hostapi::Tab<hostapi::INode*>& boneNodeList,
                         const hostapi::Tab<float>& weights) {
    const char* call = "ISkinImportData::AddWeights";
    MemNode* node = context().Find<MemNode>(skinNode);
    auto* derived = node ? context().Find<MemDerivedObject>(node->object()) : nullptr;
    if (!derived || !derived->HasModifier(this)) {
        context().Error(std::string(call) + ": the node does not carry this skin");
        return FALSE;
    }
    auto* tri = dynamic_cast<MemTriObject*>(&BaseObject(*derived));
    const int vertexCount = tri ? static_cast<int>(tri->mesh().vertices().size()) : 0;
    if (vertexID < 0 || vertexID >= vertexCount) {
        context().Error(std::string(call) + ": vertex " + std::to_string(vertexID) + " of " +
                        std::to_string(vertexCount));
        return FALSE;
    }
    if (boneNodeList.size() != weights.size()) {
        context().Error(std::string(call) + ": " + std::to_string(boneNodeList.size()) + " bones but " +
                        std::to_string(weights.size()) + " weights");
        return FALSE;
    }
    VertexWeights entry;
    for (hostapi::INode* bone : boneNodeList) {
        MemNode* boneNode = context().Find<MemNode>(bone);
        if (bone && !boneNode) {
            context().Error(std::string(call) + ": a bone is not a node of this host");
            return FALSE;
        }
        entry.bones.push_back(boneNode);
    }
    entry.weights = weights;
    weights_[vertexID] = std::move(entry);
    return TRUE;
}

int MemSkin::BoneIndex(const MemNode* node) const {
    for (std::size_t i = 0; i < bones_.size(); ++i) {
        if (bones_[i].node == node) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int MemSkin::GetNumBones() { return static_cast<int>(std::min(bones_.size(), listed_.value_or(bones_.size()))); }

hostapi::INode* MemSkin::GetBone(int idx) {
    const int listed = GetNumBones();
    if (idx < 0 || idx >= listed) {
        context().Error("ISkin::GetBone: bone " + std::to_string(idx) + " of " + std::to_string(listed));
        return nullptr;
    }
    return bones_[static_cast<std::size_t>(idx)].node;
}

hostapi::ISkinContextData* MemSkin::GetContextInterface(hostapi::INode* pNode) {
    MemNode* node = context().Find<MemNode>(pNode);
    if (!node || !ChainHasModifier(node->object(), this)) {
        return nullptr;
    }
    auto& slot = contexts_[node];
    if (!slot) {
        try {
            slot = std::make_unique<MemSkinContext>(*this, *node);
        } catch (const std::bad_alloc&) {
            contexts_.erase(node);
            throw;
        }
    }
    return slot.get();
}

int MemSkinContext::GetNumPoints() {
    if (skin_.points()) {
        return *skin_.points();
    }
    const MemMesh* mesh = node_.object() ? BaseMesh(*node_.object()) : nullptr;
    return mesh ? static_cast<int>(mesh->vertices().size()) : 0;
}

std::vector<MemSkinContext::Influence> MemSkinContext::Influences(int vertexIdx, const char* call) {
    std::vector<Influence> out;
    if (vertexIdx < 0 || vertexIdx >= GetNumPoints()) {
        skin_.context().Error(std::string(call) + ": point " + std::to_string(vertexIdx) + " of " +
                              std::to_string(GetNumPoints()));
        return out;
    }
    const auto it = skin_.weights().find(vertexIdx);
    if (it == skin_.weights().end()) {
        return out;
    }
    const MemSkin::VertexWeights& given = it->second;
    for (std::size_t i = 0; i < given.bones.size() && i < given.weights.size(); ++i) {
        const int bone = given.bones[i] ? skin_.BoneIndex(given.bones[i]) : -1;
        if (bone >= 0) {
            out.push_back({bone, given.weights[i]});
        }
    }
    return out;
}

int MemSkinContext::GetNumAssignedBones(int vertexIdx) {
    return static_cast<int>(Influences(vertexIdx, "ISkinContextData::GetNumAssignedBones").size());
}

int MemSkinContext::GetAssignedBone(int vertexIdx, int boneIdx) {
    const std::vector<Influence> influences = Influences(vertexIdx, "ISkinContextData::GetAssignedBone");
    if (boneIdx < 0 || static_cast<std::size_t>(boneIdx) >= influences.size()) {
        skin_.context().Error("ISkinContextData::GetAssignedBone: influence " + std::to_string(boneIdx) + " of " +
                              std::to_string(influences.size()));
        return -1;
    }
    return influences[static_cast<std::size_t>(boneIdx)].bone;
}

float MemSkinContext::GetBoneWeight(int vertexIdx, int boneIdx) {
    const std::vector<Influence> influences = Influences(vertexIdx, "ISkinContextData::GetBoneWeight");
    if (boneIdx < 0 || static_cast<std::size_t>(boneIdx) >= influences.size()) {
        skin_.context().Error("ISkinContextData::GetBoneWeight: influence " + std::to_string(boneIdx) + " of " +
                              std::to_string(influences.size()));
        return 0.0f;
    }
    return influences[static_cast<std::size_t>(boneIdx)].weight;
}

}  // namespace memhost
