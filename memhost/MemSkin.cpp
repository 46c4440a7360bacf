#include "memhost/MemSkin.h"

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
    try {
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
    } catch (const std::bad_alloc&) {
        context().Error(std::string(call) + ": out of memory");
        return FALSE;
    }
    return TRUE;
}

}  // namespace memhost
