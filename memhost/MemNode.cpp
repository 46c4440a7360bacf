#include "memhost/MemNode.h"

#include <algorithm>
#include <string>

#include "memhost/HostMath.h"
#include "memhost/MemObjects.h"
#include "memhost/Text.h"

namespace memhost {

MemNode::MemNode(HostContext& context, int id) : MemEntity(context, id), tm_(context, id) {}

hostapi::Matrix3 MemNode::StaticWorld() const {
    hostapi::Matrix3 world = local_;
    for (const MemNode* p = parent_; p; p = p->parent_) {
        world = Multiply(world, p->local_);
    }
    return world;
}

hostapi::Matrix3 MemNode::WorldAt(hostapi::TimeValue t) const {
    hostapi::Matrix3 world = LocalAt(t);
    for (const MemNode* p = parent_; p; p = p->parent_) {
        world = Multiply(world, p->LocalAt(t));
    }
    return world;
}

bool MemNode::AnimatedChain() const {
    for (const MemNode* p = this; p; p = p->parent_) {
        if (p->tm_.animated()) {
            return true;
        }
    }
    return false;
}

namespace {

void NarrowValidity(hostapi::Interval* valid, hostapi::TimeValue t, bool animated) {
    if (valid && animated) {
        valid->Set(std::max(valid->Start(), t), std::min(valid->End(), t));
    }
}

}  // namespace

hostapi::Matrix3 MemNode::GetNodeTM(hostapi::TimeValue t, hostapi::Interval* valid) {
    NarrowValidity(valid, t, AnimatedChain());
    return WorldAt(t);
}

hostapi::Matrix3 MemNode::GetObjectTM(hostapi::TimeValue t, hostapi::Interval* valid) {
    NarrowValidity(valid, t, AnimatedChain());
    return Multiply(objectOffset_, WorldAt(t));
}

hostapi::Mtl* MemNode::GetMtl() { return material_ ? dynamic_cast<hostapi::Mtl*>(material_) : nullptr; }

bool MemNode::IsSelfOrAncestor(const MemNode* node) const {
    for (const MemNode* p = this; p; p = p->parent_) {
        if (p == node) {
            return true;
        }
    }
    return false;
}

void MemNode::SetWorld(hostapi::TimeValue t, const hostapi::Matrix3& world, const char* call) {
    context().NoteTimedChange(call);
    local_ = parent_ ? Multiply(world, memhost::Inverse(parent_->WorldAt(t))) : world;
}

void MemNode::SetNodeTM(hostapi::TimeValue t, const hostapi::Matrix3& tm) { SetWorld(t, tm, "INode::SetNodeTM"); }

void MemNode::SetTransform(hostapi::TimeValue t, const hostapi::Matrix3& tm) {
    SetWorld(t, tm, "ImpNode::SetTransform");
}

void MemNode::SetBoneNodeOnOff(hostapi::BOOL onOff, hostapi::TimeValue) { boneOn_ = onOff != 0; }

void MemNode::AttachChild(hostapi::INode* node, int keepTM) {
    MemNode* child = context().Find<MemNode>(node);
    if (!child) {
        context().Error("INode::AttachChild: not a node of this host");
        return;
    }
    if (IsSelfOrAncestor(child)) {
        // Linking would make a loop: the world transform could never be
        // worked out.
        context().Error("INode::AttachChild: node " + std::to_string(child->id()) + " is node " +
                        std::to_string(id()) + " or one of its ancestors");
        return;
    }
    const hostapi::Matrix3 world = child->WorldAt(0);
    child->parent_ = this;
    if (keepTM) {
        child->local_ = Multiply(world, memhost::Inverse(WorldAt(0)));
    }
}

hostapi::Control* MemNode::GetTMController() {
    return context().failures.ShouldFail(HostCall::GetTMController) ? nullptr : &tm_;
}

hostapi::Object* MemNode::GetObjectRef() { return object_ ? dynamic_cast<hostapi::Object*>(object_) : nullptr; }

void MemNode::SetObject(hostapi::Object* obj, const char* call) {
    if (!obj) {
        object_ = nullptr;
        return;
    }
    MemEntity* found = context().Find<MemEntity>(obj);
    if (!found) {
        context().Error(std::string(call) + ": not an object of this host");
        return;
    }
    object_ = found;
}

void MemNode::SetObjectRef(hostapi::Object* obj) { SetObject(obj, "INode::SetObjectRef"); }

hostapi::ObjectState MemNode::EvalWorldState(hostapi::TimeValue, hostapi::BOOL) {
    // No modifier changes what it is given here, so the pipeline's result is
    // its base object.
    hostapi::ObjectState state;
    if (object_) {
        state.obj = dynamic_cast<hostapi::Object*>(&BaseObject(*object_));
    }
    return state;
}

void MemNode::SetMtl(hostapi::Mtl* matl) {
    if (!matl) {
        material_ = nullptr;
        return;
    }
    MemEntity* found = context().Find<MemEntity>(matl);
    if (!found) {
        context().Error("INode::SetMtl: not a material of this host");
        return;
    }
    material_ = found;
}

void MemNode::SetName(const hostapi::MCHAR* name) {
    if (!name) {
        context().Error("ImpNode::SetName: null name");
    }
    SetNameUtf8(Utf16ToUtf8(name));
}

void MemNode::SetNameUtf8(std::string name) {
    narrowName_ = Utf8ToLatin1(name);
    name_ = std::move(name);
}

}  // namespace memhost
