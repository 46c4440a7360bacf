// Transform controllers and their keys.
//
// A node's transform controller (INode::GetTMController) combines a
// position, a rotation and a scale controller. A linear key controller is
// created with Interface::CreateInstance, given to the transform controller,
// and filled through its key-control interface. Each controller takes keys
// of its own type only: ILinPoint3Key for positions, ILinRotKey for
// rotations, ILinScaleKey for scales.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Quat.h"

namespace hostapi {

class Control : public Animatable {
public:
    // FALSE when this controller has no such part or c is not a controller
    // of that kind.
    [[nodiscard]] virtual BOOL SetPositionController(Control* c) = 0;
    [[nodiscard]] virtual BOOL SetRotationController(Control* c) = 0;
    [[nodiscard]] virtual BOOL SetScaleController(Control* c) = 0;

protected:
    ~Control() override = default;
};

class IKey {
public:
    TimeValue time = 0;
    DWORD flags = 0;

    IKey() = default;
    IKey(const IKey&) = default;
    IKey& operator=(const IKey&) = default;
    // Polymorphic so that a controller can refuse a key of the wrong type.
    virtual ~IKey() = default;
};

class ILinPoint3Key : public IKey {
public:
    Point3 val;
};

class ILinRotKey : public IKey {
public:
    Quat val;
};

class ILinScaleKey : public IKey {
public:
    ScaleValue val;
};

class IKeyControl {
public:
    // Keys beyond the new count are dropped; new keys are at time 0 with
    // the identity value (no offset, no rotation, scale 1).
    virtual void SetNumKeys(int n) = 0;
    // Replaces key i (0 <= i < the key count) by a copy of *key.
    virtual void SetKey(int i, IKey* key) = 0;

protected:
    virtual ~IKeyControl() = default;
};

inline IKeyControl* GetKeyControlInterface(Animatable* anim) {
    return anim ? static_cast<IKeyControl*>(anim->GetInterface(I_KEYCONTROL)) : nullptr;
}

}  // namespace hostapi
