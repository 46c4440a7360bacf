#include "memhost/MemNode.h"

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

bool MemNode::IsSelfOrAncestor(const MemNode* node) const {
    for (const MemNode* p = this; p; p = p->parent_) {
        if (p == node) {
            return true;
        }
    }
    return false;
}

void MemNode::SetWorld(const hostapi::Matrix3& world, const char* call) {
    context().NoteTimedChange(call);
    local_ = parent_ ? Multiply(world, Inverse(parent_->StaticWorld())) : world;
}

void MemNode::SetNodeTM(hostapi::TimeValue, const hostapi::Matrix3& tm) { SetWorld(tm, "INode::SetNodeTM"); }

void MemNode::SetTransform(hostapi::TimeValue, const hostapi::Matrix3& tm) { SetWorld(tm, "ImpNode::SetTransform"); }

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
    const hostapi::Matrix3 world = child->StaticWorld();
    child->parent_ = this;
    if (keepTM) {
        child->local_ = Multiply(world, Inverse(StaticWorld()));
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
    name_ = Utf16ToUtf8(name);
}

}  // namespace memhost
