// The Skin modifier: bones registered in order, and per vertex the bone
// nodes and weights it was given, kept exactly as given (not normalised,
// zero weights and bones that were never registered included, null bone
// entries as null).
#pragma once

#include <map>
#include <vector>

#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"
#include "hostapi/Skin.h"
#include "memhost/HostContext.h"

namespace memhost {

class MemNode;

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

    const std::vector<Bone>& bones() const { return bones_; }
    // By vertex id.
    const std::map<int, VertexWeights>& weights() const { return weights_; }

private:
    std::vector<Bone> bones_;
    std::map<int, VertexWeights> weights_;
};

}  // namespace memhost
