#include "memhost/MemNode.h"

#include <algorithm>
#include <string>

#include "memhost/HostMath.h"
#include "memhost/MemObjects.h"
#include "memhost/Text.h"

namespace memhost {

MemNode::MemNode(HostContext& context, int id) : MemEntity(context, id), tm_(context, id) {}

bool MemNode::Stale() const { return !fresh_ || epoch_ != context().transformEpoch; }

void MemNode::RefreshOne() const {
    staticWorld_ = parent_ ? Multiply(local_, parent_->staticWorld_) : local_;
    animatedChain_ = tm_.animated() || (parent_ && parent_->animatedChain_);
    hasTimedWorld_ = false;
    fresh_ = true;
    epoch_ = context().transformEpoch;
}

void MemNode::Refresh() const {
    // Up to the first fresh ancestor, each stale node noting the one below
    // it, then back down working each out once: no stack, nothing allocated.
    const MemNode* top = this;
    refreshDown_ = nullptr;
    while (top->parent_ && top->parent_->Stale()) {
        top->parent_->refreshDown_ = top;
        top = top->parent_;
    }
    for (const MemNode* n = top; n; n = n->refreshDown_) {
        n->RefreshOne();
    }
}

void MemNode::Invalidate() {
    if (Stale()) {
        return;  // so are all its descendants
    }
    fresh_ = false;
    // Depth first over the fresh descendants through the sibling links.
    const auto nextFresh = [](MemNode* n) {
        while (n && n->Stale()) {
            n = n->nextSibling_;
        }
        return n;
    };
    MemNode* n = this;
    for (;;) {
        MemNode* next = nextFresh(n->firstChild_);
        while (!next && n != this) {
            next = nextFresh(n->nextSibling_);
            if (!next) {
                n = n->parent_;
            }
        }
        if (!next) {
            return;
        }
        next->fresh_ = false;
        n = next;
    }
}

hostapi::Matrix3 MemNode::StaticWorld() const {
    if (Stale()) {
        Refresh();
    }
    return staticWorld_;
}

bool MemNode::HasWorldAt(hostapi::TimeValue t) const { return !animatedChain_ || (hasTimedWorld_ && timedAt_ == t); }

hostapi::Matrix3 MemNode::WorldAt(hostapi::TimeValue t) const {
    if (Stale()) {
        Refresh();
    }
    if (!animatedChain_) {
        return staticWorld_;
    }
    // As Refresh: up to the first ancestor known at t, then down. Every
    // ancestor is fresh now, and one without animation is its static world.
    const MemNode* top = this;
    refreshDown_ = nullptr;
    while (!top->HasWorldAt(t) && top->parent_ && !top->parent_->HasWorldAt(t)) {
        top->parent_->refreshDown_ = top;
        top = top->parent_;
    }
    for (const MemNode* n = top; n; n = n->refreshDown_) {
        if (n->HasWorldAt(t)) {
            continue;
        }
        const hostapi::Matrix3 local = n->LocalAt(t);
        n->timedWorld_ = n->parent_ ? Multiply(local, n->parent_->KnownWorld()) : local;
        n->timedAt_ = t;
        n->hasTimedWorld_ = true;
    }
    return timedWorld_;
}

bool MemNode::AnimatedChain() const {
    if (Stale()) {
        Refresh();
    }
    return animatedChain_;
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
    if (node != this && node->firstChild_ == nullptr) {
        return false;  // a node without children is no one's ancestor
    }
    for (const MemNode* p = this; p; p = p->parent_) {
        if (p == node) {
            return true;
        }
    }
    return false;
}

void MemNode::SetStaticLocal(const hostapi::Matrix3& local) {
    local_ = local;
    Invalidate();
}

void MemNode::Unlink() {
    if (previousSibling_) {
        previousSibling_->nextSibling_ = nextSibling_;
    } else if (parent_) {
        parent_->firstChild_ = nextSibling_;
    }
    if (nextSibling_) {
        nextSibling_->previousSibling_ = previousSibling_;
    }
    nextSibling_ = previousSibling_ = nullptr;
    parent_ = nullptr;
}

void MemNode::SetParentKeepLocal(MemNode* parent) {
    Invalidate();
    Unlink();
    parent_ = parent;
    if (parent) {
        nextSibling_ = parent->firstChild_;
        if (nextSibling_) {
            nextSibling_->previousSibling_ = this;
        }
        parent->firstChild_ = this;
    }
}

void MemNode::SetWorld(hostapi::TimeValue t, const hostapi::Matrix3& world, const char* call) {
    context().NoteTimedChange(call);
    SetStaticLocal(parent_ ? Multiply(world, memhost::Inverse(parent_->WorldAt(t))) : world);
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
    child->SetParentKeepLocal(this);
    if (keepTM) {
        child->SetStaticLocal(Multiply(world, memhost::Inverse(WorldAt(0))));
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
