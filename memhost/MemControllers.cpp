#include "memhost/MemControllers.h"

#include <new>
#include <string>

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
void MemLinearController<Key>::SetNumKeys(int n) {
    if (n < 0) {
        context().Error("IKeyControl::SetNumKeys: negative count " + std::to_string(n));
        return;
    }
    try {
        keys_.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        context().Error("IKeyControl::SetNumKeys: out of memory for " + std::to_string(n));
    }
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
    return TRUE;
}

BOOL MemTMController::SetPositionController(hostapi::Control* c) {
    return Assign(c, position_, "SetPositionController");
}

BOOL MemTMController::SetRotationController(hostapi::Control* c) {
    return Assign(c, rotation_, "SetRotationController");
}

BOOL MemTMController::SetScaleController(hostapi::Control* c) { return Assign(c, scale_, "SetScaleController"); }

}  // namespace memhost
