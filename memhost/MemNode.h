// A scene node of the stand-in host; it is also the import node that
// ImpInterface::CreateNode hands out (GetINode returns the node itself).
//
// Transforms follow the host's rules: the node stores its static local
// transform (relative to its parent); SetNodeTM(t) and SetTransform(t) take
// a world transform and store world * inverse(parent world at t). The
// transform at a time comes from the node's transform controller, which
// animates the parts that have key controllers and takes the rest from the
// static local transform (see MemControllers.h); the world transform at t
// is local(t) * parent world(t), up the chain. AttachChild with keepTM keeps
// the child's world transform at time 0. A key controller overrides what
// SetNodeTM set for its part at every time.
//
// The object offset places the node's object within the node: GetObjectTM
// is objectOffset * GetNodeTM. It is static.
//
// World transforms are cached per node, so that building or reading a deep
// hierarchy costs each node once rather than its depth. A node's cache is
// fresh while neither its own local transform and parent nor an ancestor's
// have changed since it was worked out, and the host's transform epoch
// (bumped by any change of keys or controllers, which nodes may share) is
// the one it was worked out in. A fresh node has fresh ancestors, so a
// change marks the node and its fresh descendants stale and stops at stale
// ones: each mark pays for one earlier computation.
#pragma once

#include <cstdint>
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
    int Selected() override { return selected_ ? 1 : 0; }
    hostapi::LPCSTR GetName() override { return narrowName_.c_str(); }
    hostapi::INode* GetParentNode() override { return parent_; }
    hostapi::Mtl* GetMtl() override;
    hostapi::Matrix3 GetNodeTM(hostapi::TimeValue t, hostapi::Interval* valid = nullptr) override;
    hostapi::Matrix3 GetObjectTM(hostapi::TimeValue t, hostapi::Interval* valid = nullptr) override;

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
    // Evaluated from the controllers.
    hostapi::Matrix3 LocalAt(hostapi::TimeValue t) const { return tm_.LocalAt(t, local_); }
    hostapi::Matrix3 WorldAt(hostapi::TimeValue t) const;
    // Whether this node or one of its ancestors is animated.
    bool AnimatedChain() const;
    const hostapi::Matrix3& objectOffset() const { return objectOffset_; }
    bool selected() const { return selected_; }
    MemEntity* object() const { return object_; }
    MemEntity* material() const { return material_; }
    const MemTMController& tmController() const { return tm_; }
    MemTMController& tmController() { return tm_; }
    hostapi::DWORD wireColor() const { return wireColor_; }
    bool hidden() const { return hidden_; }
    bool renderable() const { return renderable_; }
    bool boneOn() const { return boneOn_; }
    int showBone() const { return showBone_; }
    // True when node is this node or an ancestor of it.
    bool IsSelfOrAncestor(const MemNode* node) const;

    // Setting the node up outside a plug-in (a test, a host-scene file).
    void SetSelected(bool on) { selected_ = on; }
    void SetObjectOffset(const hostapi::Matrix3& offset) { objectOffset_ = offset; }
    void SetStaticLocal(const hostapi::Matrix3& local);
    void SetNameUtf8(std::string name);
    // Links to parent keeping the local transform; the caller makes sure
    // no loop results.
    void SetParentKeepLocal(MemNode* parent);

private:
    void SetWorld(hostapi::TimeValue t, const hostapi::Matrix3& world, const char* call);
    void SetObject(hostapi::Object* obj, const char* call);
    void Unlink();
    bool Stale() const;
    // Marks this node and its fresh descendants stale.
    void Invalidate();
    // Makes this node and its ancestors fresh.
    void Refresh() const;
    void RefreshOne() const;
    // Whether the cache holds the world transform at t (see WorldAt), and
    // that transform.
    bool HasWorldAt(hostapi::TimeValue t) const;
    const hostapi::Matrix3& KnownWorld() const { return animatedChain_ ? timedWorld_ : staticWorld_; }

    std::string name_;
    std::string narrowName_;
    MemNode* parent_ = nullptr;
    // Children as an intrusive list, so that linking allocates nothing.
    MemNode* firstChild_ = nullptr;
    MemNode* nextSibling_ = nullptr;
    MemNode* previousSibling_ = nullptr;
    // The world cache (see above); mutable since evaluation is const.
    mutable bool fresh_ = false;
    mutable std::uint64_t epoch_ = 0;
    mutable hostapi::Matrix3 staticWorld_;
    mutable bool animatedChain_ = false;
    mutable bool hasTimedWorld_ = false;
    mutable hostapi::TimeValue timedAt_ = 0;
    mutable hostapi::Matrix3 timedWorld_;
    // The stale child a refresh comes back down to.
    mutable const MemNode* refreshDown_ = nullptr;
    bool selected_ = false;
    hostapi::Matrix3 objectOffset_;
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
