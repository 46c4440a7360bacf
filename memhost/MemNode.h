// A scene node of the stand-in host; it is also the import node that
// ImpInterface::CreateNode hands out (GetINode returns the node itself).
//
// Transforms follow the host's rules: the node stores its local transform
// (relative to its parent); SetNodeTM and SetTransform take a world
// transform and store world * inverse(parent world); the world transform is
// local * parent world, up the chain. AttachChild with keepTM keeps the
// child's world transform. The stored local transform is the static one:
// key controllers given to the node's transform controller are kept beside
// it and not yet evaluated (see MemControllers.h).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "hostapi/Nodes.h"
#include "memhost/HostContext.h"
#include "memhost/MemControllers.h"

namespace memhost {

class MemNode final : public hostapi::INode, public hostapi::ImpNode, public MemEntity {
public:
    MemNode(HostContext& context, int id);

    // hostapi::INode
    void SetWireColor(hostapi::DWORD newcol) override { wireColor_ = newcol; }
    void SetNodeTM(hostapi::TimeValue t, const hostapi::Matrix3& tm) override;
    void SetBoneNodeOnOff(hostapi::BOOL onOff, hostapi::TimeValue t) override;
    void SetRenderable(hostapi::BOOL onOff) override { renderable_ = onOff != 0; }
    void ShowBone(int boneVis) override { showBone_ = boneVis; }
    void Hide(hostapi::BOOL onOff) override { hidden_ = onOff != 0; }
    void AttachChild(hostapi::INode* node, int keepTM) override;
    hostapi::Control* GetTMController() override;
    hostapi::Object* GetObjectRef() override;
    void SetObjectRef(hostapi::Object* obj) override;
    hostapi::ObjectState EvalWorldState(hostapi::TimeValue time, hostapi::BOOL evalHidden) override;
    void SetMtl(hostapi::Mtl* matl) override;

    // hostapi::ImpNode
    void Reference(hostapi::Object* obj) override { SetObject(obj, "ImpNode::Reference"); }
    hostapi::INode* GetINode() override { return this; }
    void SetTransform(hostapi::TimeValue t, const hostapi::Matrix3& tm) override;
    void SetName(const hostapi::MCHAR* name) override;

    // What the host holds.
    const std::string& name() const { return name_; }
    MemNode* parent() const { return parent_; }
    bool inScene() const { return inScene_; }
    void PutInScene() { inScene_ = true; }
    const hostapi::Matrix3& staticLocal() const { return local_; }
    // The static local transform composed up the parent chain.
    hostapi::Matrix3 StaticWorld() const;
    MemEntity* object() const { return object_; }
    MemEntity* material() const { return material_; }
    const MemTMController& tmController() const { return tm_; }
    hostapi::DWORD wireColor() const { return wireColor_; }
    bool hidden() const { return hidden_; }
    bool renderable() const { return renderable_; }
    bool boneOn() const { return boneOn_; }
    int showBone() const { return showBone_; }
    // True when node is this node or an ancestor of it.
    bool IsSelfOrAncestor(const MemNode* node) const;

private:
    void SetWorld(const hostapi::Matrix3& world, const char* call);
    void SetObject(hostapi::Object* obj, const char* call);

    std::string name_;
    MemNode* parent_ = nullptr;
    bool inScene_ = false;
    hostapi::Matrix3 local_;
    MemEntity* object_ = nullptr;
    MemEntity* material_ = nullptr;
    MemTMController tm_;
    hostapi::DWORD wireColor_ = 0;
    bool hidden_ = false;
    bool renderable_ = true;
    bool boneOn_ = false;
    int showBone_ = 0;
};

}  // namespace memhost
