#include "importer/BoneBuilder.h"

#include "geometry/BoneHierarchy.h"
#include "geometry/Matrix.h"
#include "importer/HostConversions.h"

namespace tvx::importer {
namespace {

// Linking a bone while keeping its world transform has the host work out
// its local one through the inverse of the parent's world. A parent scaled
// to nothing along an axis has none: the host's attempt gives the bone a
// wrong transform, or one of infinities and NaN, and so all its children.
// Such a bone is placed at its bind local transform instead and linked
// keeping that, which needs no inverse and puts it at the same bind world.
bool KeepsWorldWhenLinked(const ImportSession& session, int bone) {
    const auto& poses = session.poses.bonePoses;
    const int parent = session.scene.bones[static_cast<std::size_t>(bone)].parentIndex;
    return tvx::LinkToParent(parent, bone, Count(session.scene.bones)) != ParentLink::Parent ||
           parent >= static_cast<int>(poses.size()) ||
           InverseIfAny(poses[static_cast<std::size_t>(parent)].bindWorld).has_value();
}

// The bone placed where its bind pose puts it in the scene. The host takes a
// node transform as a world transform and keeps it when the bone is linked
// to its parent afterwards, so the world matrix is what it needs; the local
// one would drop every child at its offset from the scene's origin.
hostapi::Matrix3 BindTransform(const ImportSession& session, int bone) {
    const auto& poses = session.poses.bonePoses;
    if (bone >= static_cast<int>(poses.size())) {
        return {};
    }
    const BonePose& pose = poses[static_cast<std::size_t>(bone)];
    return ToHostMatrix(KeepsWorldWhenLinked(session, bone) ? pose.bindWorld : pose.bindLocal);
}

// Roots (and bones whose parent index names no bone, which the pose takes
// as roots) are drawn 1 long; the others reach back to their parent.
float BoneLength(const ImportSession& session, int bone) {
    const auto& poses = session.poses.bonePoses;
    const int parent = session.scene.bones[static_cast<std::size_t>(bone)].parentIndex;
    if (tvx::LinkToParent(parent, bone, Count(session.scene.bones)) == ParentLink::Root ||
        bone >= static_cast<int>(poses.size())) {
        return 1.0f;
    }
    return poses[static_cast<std::size_t>(bone)].length;
}

void MakeBoneObject(ImportSession& session, int bone, hostapi::ImpNode& node) {
    auto* object = static_cast<hostapi::Object*>(
        session.ip.CreateInstance(hostapi::GEOMOBJECT_CLASS_ID, hostapi::BONE_OBJ_CLASSID));
    if (object == nullptr) {
        return;
    }
    node.Reference(object);
    hostapi::INode* scene = node.GetINode();
    session.boneNodes[static_cast<std::size_t>(bone)] = {scene, object};
    if (scene != nullptr) {
        scene->SetWireColor(PackWireColor(session.ip.GetUIColor(kBoneUIColor)));
        scene->SetNodeTM(0, BindTransform(session, bone));
        scene->SetBoneNodeOnOff(hostapi::TRUE, 0);
        scene->SetRenderable(hostapi::FALSE);
        scene->ShowBone(1);
        scene->Hide(IsOn(session.options.hideBones) ? hostapi::TRUE : hostapi::FALSE);
    }
    if (hostapi::IParamBlock2* block = object->GetParamBlock(0)) {
        (void)block->SetValue(kBoneLength, 0, BoneLength(session, bone), 0);
    }
}

void LinkToParent(ImportSession& session, int bone) {
    const int parent = session.scene.bones[static_cast<std::size_t>(bone)].parentIndex;
    if (tvx::LinkToParent(parent, bone, Count(session.scene.bones)) != ParentLink::Parent) {
        return;
    }
    hostapi::INode* parentNode = session.BoneNode(parent);
    hostapi::INode* node = session.BoneNode(bone);
    if (parentNode != nullptr && node != nullptr) {
        parentNode->AttachChild(node, KeepsWorldWhenLinked(session, bone) ? 1 : 0);
    }
}

}  // namespace

hostapi::DWORD PackWireColor(const hostapi::Point3& color) {
    const auto channel = [](float c) { return static_cast<hostapi::DWORD>(TruncateToInt(c * 255.0f)) & 0xFFu; };
    return channel(color.x) | channel(color.y) << 8 | channel(color.z) << 16;
}

void BuildBones(ImportSession& session) {
    const int count = Count(session.scene.bones);
    session.boneNodes.assign(static_cast<std::size_t>(count), {});
    for (int i = 0; i < count; ++i) {
        hostapi::ImpNode* node = session.ii.CreateNode();
        if (node == nullptr) {
            continue;
        }
        MakeBoneObject(session, i, *node);
        LinkToParent(session, i);
        node->SetName(session.scene.bones[static_cast<std::size_t>(i)].name.wide());
        session.builtNodes.push_back(node);
    }
}

}  // namespace tvx::importer
