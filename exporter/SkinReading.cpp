#include "exporter/SkinReading.h"

#include <algorithm>
#include <cmath>

#include "exporter/SceneTables.h"
#include "hostapi/HostConstants.h"
#include "hostapi/Physique.h"
#include "hostapi/Skin.h"

namespace tvx::exporter {
namespace {

// The first modifier of the class in the node's stack, from the top.
hostapi::Modifier* FindModifier(hostapi::INode& node, const hostapi::Class_ID& id) {
    hostapi::Object* object = node.GetObjectRef();
    while (object != nullptr && object->SuperClassID() == hostapi::GEN_DERIVOB_CLASS_ID) {
        auto* derived = static_cast<hostapi::IDerivedObject*>(object);
        for (int i = 0; i < derived->NumModifiers(); ++i) {
            hostapi::Modifier* modifier = derived->GetModifier(i);
            if (modifier != nullptr && modifier->ClassID() == id) {
                return modifier;
            }
        }
        object = derived->GetObjRef();
    }
    return nullptr;
}

void ReadSkin(hostapi::Modifier& modifier, MeshEntry& entry) {
    entry.skin = true;
    auto* skin = static_cast<hostapi::ISkin*>(modifier.GetInterface(hostapi::I_SKIN));
    hostapi::ISkinContextData* context = skin != nullptr ? skin->GetContextInterface(entry.node) : nullptr;
    if (context == nullptr || static_cast<std::size_t>(context->GetNumPoints()) != entry.vertices.size()) {
        return;
    }
    const int bones = skin->GetNumBones();
    for (std::size_t v = 0; v < entry.vertices.size(); ++v) {
        const int point = static_cast<int>(v);
        const int count = context->GetNumAssignedBones(point);
        bool dropped = false;
        for (int b = 0; b < count; ++b) {
            // The host reads its bone list at whatever index it is given, so
            // an influence naming no bone of the list is dropped unread.
            const int bone = context->GetAssignedBone(point, b);
            if (bone < 0 || bone >= bones) {
                dropped = true;
                continue;
            }
            entry.vertices[v].weights.push_back({skin->GetBone(bone), -1, context->GetBoneWeight(point, b)});
        }
        if (dropped) {
            CleanWeights(entry.vertices[v].weights, true);
        }
    }
}

void ReadPhysiqueVertex(hostapi::IPhyVertexExport& vertex, std::vector<SkinWeightEntry>& weights) {
    switch (vertex.GetVertexType()) {
    case hostapi::RIGID_NON_BLENDED_TYPE:
        weights.push_back({static_cast<hostapi::IPhyRigidVertex&>(vertex).GetNode(), -1, 1.0f});
        break;
    case hostapi::RIGID_BLENDED_TYPE: {
        auto& blended = static_cast<hostapi::IPhyBlendedRigidVertex&>(vertex);
        for (int n = 0; n < blended.GetNumberNodes(); ++n) {
            weights.push_back({blended.GetNode(n), -1, blended.GetWeight(n)});
        }
        break;
    }
    default:
        break;
    }
}

void ReadPhysiqueContext(hostapi::IPhyContextExport& context, MeshEntry& entry) {
    context.ConvertToRigid(hostapi::TRUE);
    context.AllowBlending(hostapi::TRUE);
    if (static_cast<std::size_t>(context.GetNumberVertices()) != entry.vertices.size()) {
        return;
    }
    for (std::size_t v = 0; v < entry.vertices.size(); ++v) {
        hostapi::IPhyVertexExport* vertex = context.GetVertexInterface(static_cast<int>(v));
        if (vertex == nullptr) {
            continue;
        }
        // Handed back even when the weights cannot be stored.
        struct Release {
            hostapi::IPhyContextExport& context;
            hostapi::IPhyVertexExport* vertex;
            ~Release() { context.ReleaseVertexInterface(vertex); }
        } release{context, vertex};
        ReadPhysiqueVertex(*vertex, entry.vertices[v].weights);
    }
}

void ReadPhysique(hostapi::Modifier& modifier, MeshEntry& entry) {
    entry.physique = true;
    auto* physique = static_cast<hostapi::IPhysiqueExport*>(modifier.GetInterface(hostapi::I_PHYINTERFACE));
    if (physique == nullptr) {
        return;
    }
    struct Release {
        hostapi::Modifier& modifier;
        hostapi::IPhysiqueExport* physique;
        hostapi::IPhyContextExport* context = nullptr;
        ~Release() {
            if (context != nullptr) {
                (void)physique->ReleaseContextInterface(context);
            }
            modifier.ReleaseInterface(hostapi::I_PHYINTERFACE, physique);
        }
    } release{modifier, physique};
    release.context = physique->GetContextInterface(entry.node);
    if (release.context != nullptr) {
        ReadPhysiqueContext(*release.context, entry);
    }
}

}  // namespace

void ReadSkinWeights(MeshEntry& entry) {
    if (hostapi::Modifier* skin = FindModifier(*entry.node, hostapi::SKIN_CLASSID)) {
        ReadSkin(*skin, entry);
    } else if (hostapi::Modifier* physique = FindModifier(*entry.node, hostapi::PHYSIQUE_CLASS_ID)) {
        ReadPhysique(*physique, entry);
    }
    for (MeshVertexEntry& vertex : entry.vertices) {
        CleanWeights(vertex.weights);
    }
}

void CleanWeights(std::vector<SkinWeightEntry>& weights, bool oneWasDropped) {
    const auto unusable = [](const SkinWeightEntry& w) { return !std::isfinite(w.weight) || w.weight < 0.0f; };
    const auto kept = std::remove_if(weights.begin(), weights.end(), unusable);
    bool rescale = oneWasDropped || kept != weights.end();
    weights.erase(kept, weights.end());
    double sum = 0.0;
    for (const SkinWeightEntry& w : weights) {
        sum += static_cast<double>(w.weight);
        rescale = rescale || w.weight > 1.0f;
    }
    if (rescale && sum > 0.0) {
        for (SkinWeightEntry& w : weights) {
            w.weight = static_cast<float>(static_cast<double>(w.weight) / sum);
        }
    }
}

void ResolveSkin(std::vector<MeshEntry>& meshes, const std::vector<hostapi::INode*>& nodes) {
    const NodeIndex index(nodes);
    for (MeshEntry& mesh : meshes) {
        if (!mesh.skinned()) {
            continue;
        }
        for (MeshVertexEntry& vertex : mesh.vertices) {
            for (SkinWeightEntry& weight : vertex.weights) {
                weight.nodeIndex = index.Of(weight.bone);
                if (weight.nodeIndex < 0) {
                    weight.weight = 1.0f;
                }
            }
        }
    }
}

}  // namespace tvx::exporter
