#include "memhost/MemControllers.h"

#include <algorithm>
#include <new>
#include <numeric>
#include <string>

#include "memhost/HostMath.h"

namespace memhost {

using hostapi::BOOL;
using hostapi::FALSE;
using hostapi::TRUE;

BOOL MemKeyControllerBase::Refuse(const char* call) {
    context().Error(std::string("Control::") + call + ": a key controller has no such part");
    return FALSE;
}

template <class Key>
void* MemLinearController<Key>::GetInterface(hostapi::ULONG id) {
    if (id != hostapi::I_KEYCONTROL) {
        return nullptr;
    }
    CallDetail detail;
    detail.interfaceId = id;
    if (context().failures.ShouldFail(HostCall::GetInterface, detail)) {
        return nullptr;
    }
    return static_cast<hostapi::IKeyControl*>(this);
}

template <class Key>
const std::vector<std::size_t>& MemLinearController<Key>::TimeOrder() const {
    if (orderStale_) {
        order_.resize(keys_.size());
        std::iota(order_.begin(), order_.end(), std::size_t{0});
        std::stable_sort(order_.begin(), order_.end(),
                         [this](std::size_t a, std::size_t b) { return keys_[a].time < keys_[b].time; });
        orderStale_ = false;
    }
    return order_;
}

namespace {

hostapi::Point3 Blend(const hostapi::Point3& a, const hostapi::Point3& b, double u) { return Lerp(a, b, u); }

hostapi::Quat Blend(const hostapi::Quat& a, const hostapi::Quat& b, double u) { return Slerp(a, b, u); }

hostapi::ScaleValue Blend(const hostapi::ScaleValue& a, const hostapi::ScaleValue& b, double u) {
    return hostapi::ScaleValue(Lerp(a.s, b.s, u), Slerp(a.q, b.q, u));
}

}  // namespace

template <class Key>
typename MemLinearController<Key>::Value MemLinearController<Key>::ValueAt(hostapi::TimeValue t) const {
    const std::vector<std::size_t>& order = TimeOrder();
    if (order.empty()) {
        return Value();
    }
    // The last key at or before t.
    const auto after = std::upper_bound(
        order.begin(), order.end(), t, [this](hostapi::TimeValue time, std::size_t k) { return time < keys_[k].time; });
    if (after == order.begin()) {
        return keys_[order.front()].val;
    }
    if (after == order.end()) {
        return keys_[order.back()].val;
    }
    const Key& a = keys_[*(after - 1)];
    const Key& b = keys_[*after];
    // b is later than t and a is not, so the keys' times differ.
    const double u = (static_cast<double>(t) - static_cast<double>(a.time)) /
                     (static_cast<double>(b.time) - static_cast<double>(a.time));
    return Blend(a.val, b.val, u);
}

template <class Key>
void MemLinearController<Key>::SetNumKeys(int n) {
    if (n < 0) {
        context().Error("IKeyControl::SetNumKeys: negative count " + std::to_string(n));
        return;
    }
    keys_.resize(static_cast<std::size_t>(n));
    orderStale_ = true;
    context().TransformsChanged();
}

template <class Key>
void MemLinearController<Key>::SetKey(int i, hostapi::IKey* key) {
    // The real host reads the key through the controller's own key type
    // whatever it was given; this one refuses a key of another type rather
    // than read past its end.
    const Key* typed = dynamic_cast<const Key*>(key);
    if (!typed) {
        context().Error("IKeyControl::SetKey: not a key of this controller's type");
        return;
    }
    if (i < 0 || static_cast<std::size_t>(i) >= keys_.size()) {
        context().Error("IKeyControl::SetKey: key " + std::to_string(i) + " of " + std::to_string(keys_.size()));
        return;
    }
    keys_[static_cast<std::size_t>(i)] = *typed;
    orderStale_ = true;
    context().TransformsChanged();
}

template class MemLinearController<hostapi::ILinPoint3Key>;
template class MemLinearController<hostapi::ILinRotKey>;
template class MemLinearController<hostapi::ILinScaleKey>;

template <class Controller>
BOOL MemTMController::Assign(hostapi::Control* c, Controller*& slot, const char* call) {
    Controller* found = context().Find<Controller>(c);
    if (!found) {
        context().Error(std::string("Control::") + call + ": not a controller of that kind from this host");
        return FALSE;
    }
    slot = found;
    context().TransformsChanged();
    return TRUE;
}

BOOL MemTMController::SetPositionController(hostapi::Control* c) {
    return Assign(c, position_, "SetPositionController");
}

BOOL MemTMController::SetRotationController(hostapi::Control* c) {
    return Assign(c, rotation_, "SetRotationController");
}

BOOL MemTMController::SetScaleController(hostapi::Control* c) { return Assign(c, scale_, "SetScaleController"); }

hostapi::Class_ID MemTMController::ClassID() {
    switch (class_) {
    case TMControllerClass::BipedBody:
        return hostapi::BIPBODY_CONTROL_CLASS_ID;
    case TMControllerClass::BipedSlave:
        return hostapi::BIPSLAVE_CONTROL_CLASS_ID;
    case TMControllerClass::Footstep:
        return hostapi::FOOTPRINT_CLASS_ID;
    case TMControllerClass::PositionRotationScale:
        break;
    }
    return hostapi::Class_ID(hostapi::PRS_CONTROL_CLASS_ID, 0);
}

void* MemTMController::GetInterface(hostapi::ULONG id) {
    if (!isBiped() || (id != hostapi::I_BIPINTERFACE && id != hostapi::I_BIPMASTER)) {
        return nullptr;
    }
    CallDetail detail;
    detail.interfaceId = id;
    if (context().failures.ShouldFail(HostCall::GetInterface, detail)) {
        return nullptr;
    }
    if (id == hostapi::I_BIPINTERFACE) {
        ++bipedExportHeld_;
        return static_cast<hostapi::IBipedExport*>(&bipedExport_);
    }
    ++bipMasterHeld_;
    return static_cast<hostapi::IBipMaster*>(&bipMaster_);
}

void MemTMController::ReleaseInterface(hostapi::ULONG id, void* i) {
    const bool isExport = id == hostapi::I_BIPINTERFACE && i == static_cast<hostapi::IBipedExport*>(&bipedExport_);
    const bool isMaster = id == hostapi::I_BIPMASTER && i == static_cast<hostapi::IBipMaster*>(&bipMaster_);
    int* held = isExport ? &bipedExportHeld_ : isMaster ? &bipMasterHeld_ : nullptr;
    if (!held || *held == 0) {
        context().Error("Animatable::ReleaseInterface: interface " + HexText(id) + " of node " +
                        std::to_string(this->id()) + "'s controller is not held");
        return;
    }
    --*held;
}

void MemTMController::RecordBipedCall(BipedCall call) {
    call.node = id();
    context().session.AddBipedCall(std::move(call));
}

void MemBipedExport::RemoveNonUniformScale(hostapi::BOOL onOff) {
    owner_.RecordBipedCall({-1, "RemoveNonUniformScale", onOff, std::nullopt});
}

void MemBipedExport::BeginFigureMode(int redraw) {
    owner_.RecordBipedCall({-1, "BeginFigureMode", redraw, std::nullopt});
}

void MemBipedExport::EndFigureMode(int redraw) { owner_.RecordBipedCall({-1, "EndFigureMode", redraw, std::nullopt}); }

void MemBipMaster::ExitModes(hostapi::Interval range) {
    owner_.RecordBipedCall({-1, "ExitModes", std::nullopt, range});
}

hostapi::Matrix3 MemTMController::LocalAt(hostapi::TimeValue t, const hostapi::Matrix3& staticLocal) const {
    if (!animated()) {
        return staticLocal;
    }
    hostapi::Matrix3 local = staticLocal;
    if (rotation_ || scale_) {
        const ScaleRotation parts = SplitScaleRotation(staticLocal);
        const hostapi::Matrix3 turn = rotation_ ? QuatToMatrix(rotation_->ValueAt(t)) : parts.rotation;
        const hostapi::Matrix3 stretch =
            ScaleValueMatrix(scale_ ? scale_->ValueAt(t) : hostapi::ScaleValue(parts.scale, hostapi::Quat()));
        local = Multiply(stretch, turn);
    }
    local.SetRow(3, position_ ? position_->ValueAt(t) : staticLocal.GetTrans());
    return local;
}

}  // namespace memhost
