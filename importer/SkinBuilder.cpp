#include "importer/SkinBuilder.h"

#include <vector>

#include "hostapi/Skin.h"

namespace tvx::importer {
namespace {

// Distinct bone indices in order of first use by a face's corner.
std::vector<int> InfluencingBones(const TVXScene& scene) {
    std::vector<bool> seen(scene.bones.size(), false);
    std::vector<int> bones;
    for (const TVXFaceList& list : scene.faceLists) {
        for (const TVXPolygon& polygon : list.polygons) {
            for (int vertex : polygon.vertexIndices()) {
                if (vertex < 0 || vertex >= Count(scene.vertices)) {
                    continue;
                }
                for (const TVXBoneWeight& weight : scene.vertices[static_cast<std::size_t>(vertex)].weights) {
                    const int b = weight.boneIndex;
                    if (b >= 0 && b < Count(scene.bones) && !seen[static_cast<std::size_t>(b)] &&
                        scene.bones[static_cast<std::size_t>(b)].weightedVertexCount > 0) {
                        seen[static_cast<std::size_t>(b)] = true;
                        bones.push_back(b);
                    }
                }
            }
        }
    }
    return bones;
}

// The node's object with the Skin modifier on top of its stack, or null.
hostapi::Modifier* AddSkinModifier(ImportSession& session, hostapi::INode& node) {
    hostapi::Object* object = node.GetObjectRef();
    if (object == nullptr) {
        return nullptr;
    }
    auto* skin = static_cast<hostapi::Modifier*>(session.ip.CreateInstance(hostapi::OSM_CLASS_ID, hostapi::SKIN_CLASSID));
    if (skin == nullptr) {
        return nullptr;
    }
    const hostapi::Class_ID kind = object->ClassID();
    hostapi::IDerivedObject* derived = kind == hostapi::derivObjClassID || kind == hostapi::WSMDerivObjClassID
                                           ? static_cast<hostapi::IDerivedObject*>(object)
                                           : session.ip.CreateDerivedObject(object);
    if (derived == nullptr) {
        return nullptr;
    }
    derived->SetAFlag(hostapi::A_LOCK_TARGET);
    derived->AddModifier(skin, nullptr, 0);
    derived->ClearAFlag(hostapi::A_LOCK_TARGET);
    node.SetObjectRef(derived);
    (void)node.EvalWorldState(0, hostapi::TRUE);
    return skin;
}

void RegisterBones(ImportSession& session, hostapi::ISkinImportData& data, const std::vector<int>& bones) {
    for (std::size_t i = 0; i < bones.size(); ++i) {
        if (hostapi::INode* bone = session.BoneNode(bones[i])) {
            (void)bone->EvalWorldState(0, hostapi::TRUE);
            (void)data.AddBoneEx(bone, i + 1 == bones.size() ? hostapi::TRUE : hostapi::FALSE);
        }
    }
}

// Weights naming a bone the document does not have are left out; a negative
// index stays, with no node, as the host takes it.
void AddAllWeights(ImportSession& session, hostapi::ISkinImportData& data, hostapi::INode& meshNode) {
    const TVXScene& scene = session.scene;
    hostapi::Tab<hostapi::INode*> nodes;
    hostapi::Tab<float> weights;
    for (int v = 0; v < Count(scene.vertices); ++v) {
        nodes.clear();
        weights.clear();
        for (const TVXBoneWeight& weight : scene.vertices[static_cast<std::size_t>(v)].weights) {
            if (weight.boneIndex >= Count(scene.bones)) {
                continue;
            }
            nodes.push_back(session.BoneNode(weight.boneIndex));
            weights.push_back(weight.weight);
        }
        if (!nodes.empty()) {
            (void)data.AddWeights(&meshNode, v, nodes, weights);
        }
    }
}

}  // namespace

void BuildSkin(ImportSession& session, hostapi::INode* meshNode) {
    if (session.scene.bones.empty()) {
        return;
    }
    const std::vector<int> bones = InfluencingBones(session.scene);
    if (bones.empty() || meshNode == nullptr) {
        return;
    }
    hostapi::Modifier* skin = AddSkinModifier(session, *meshNode);
    if (skin == nullptr) {
        return;
    }
    auto* skinInterface = static_cast<hostapi::ISkin*>(skin->GetInterface(hostapi::I_SKIN));
    auto* data = static_cast<hostapi::ISkinImportData*>(skin->GetInterface(hostapi::I_SKINIMPORTDATA));
    if (skinInterface == nullptr || data == nullptr) {
        return;
    }
    RegisterBones(session, *data, bones);
    (void)meshNode->EvalWorldState(0, hostapi::TRUE);
    AddAllWeights(session, *data, *meshNode);
}

}  // namespace tvx::importer
