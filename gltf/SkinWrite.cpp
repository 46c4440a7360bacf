#include "gltf/SkinWrite.h"

#include <algorithm>
#include <map>

#include "hostapi/HostConstants.h"
#include "hostapi/Skin.h"

namespace tvx::gltf {
namespace {

// glTF joint indices are unsigned shorts.
constexpr int kMaxJoints = 65535;

hostapi::ISkin* FindSkin(memhost::MemNode& node) {
    hostapi::Object* object = node.GetObjectRef();
    while (object != nullptr && object->SuperClassID() == hostapi::GEN_DERIVOB_CLASS_ID) {
        auto* derived = static_cast<hostapi::IDerivedObject*>(object);
        for (int i = 0; i < derived->NumModifiers(); ++i) {
            hostapi::Modifier* modifier = derived->GetModifier(i);
            if (modifier != nullptr && modifier->ClassID() == hostapi::SKIN_CLASSID) {
                return static_cast<hostapi::ISkin*>(modifier->GetInterface(hostapi::I_SKIN));
            }
        }
        object = derived->GetObjRef();
    }
    return nullptr;
}

}  // namespace

int WriteSkin(GltfScene& scene, int meshNode, int vertexCount, VertexWeights& weights) {
    memhost::MemNode& node = *scene.nodes[static_cast<std::size_t>(meshNode)];
    hostapi::ISkin* skin = FindSkin(node);
    hostapi::ISkinContextData* context = skin != nullptr ? skin->GetContextInterface(&node) : nullptr;
    if (context == nullptr) {
        return -1;
    }
    tinygltf::Skin out;
    std::map<int, int> jointOf;  // the skin's bone index -> joint
    const int bones = std::min(skin->GetNumBones(), kMaxJoints);
    for (int b = 0; b < bones; ++b) {
        hostapi::INode* bone = skin->GetBone(b);
        if (bone == nullptr) {
            continue;
        }
        const int index = scene.IndexOf(static_cast<memhost::MemNode*>(bone));
        if (index >= 0) {
            jointOf[b] = static_cast<int>(out.joints.size());
            out.joints.push_back(index);
        } else {
            scene.Warn("a skin bone that is not exported was left out");
        }
    }
    if (out.joints.empty()) {
        return -1;
    }
    weights.assign(static_cast<std::size_t>(vertexCount), {});
    const int points = std::min(context->GetNumPoints(), vertexCount);
    for (int v = 0; v < points; ++v) {
        for (int k = 0; k < context->GetNumAssignedBones(v); ++k) {
            const auto joint = jointOf.find(context->GetAssignedBone(v, k));
            if (joint != jointOf.end()) {
                weights[static_cast<std::size_t>(v)].emplace_back(joint->second, context->GetBoneWeight(v, k));
            }
        }
    }
    // Bound as the scene stands at time 0: the mesh's vertices are in its
    // node's frame, so each inverse bind matrix takes them from there.
    const Mat4 meshWorld = scene.WorldAt(meshNode, 0);
    std::vector<float> inverseBinds;
    for (const int joint : out.joints) {
        const Mat4 ibm = Multiply(InverseAffine(scene.WorldAt(joint, 0)), meshWorld);
        for (const double e : ibm.m) {
            inverseBinds.push_back(static_cast<float>(e));
        }
    }
    out.inverseBindMatrices = scene.buffer.AddFloats(inverseBinds, 16, false, 0);
    out.name = node.name();
    scene.model.skins.push_back(std::move(out));
    return static_cast<int>(scene.model.skins.size() - 1);
}

}  // namespace tvx::gltf
