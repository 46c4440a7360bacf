// The root of the host's scene classes: what every object, modifier,
// controller and material answers.
//
// Everything created through the host belongs to the host: plug-ins hold
// pointers, never delete them (the destructors are protected for that).
// GetInterface returns a pointer of exactly the interface type that the id
// names (IKeyControl for I_KEYCONTROL, ISkin for I_SKIN, ISkinImportData
// for I_SKINIMPORTDATA), or null; static_cast it to that type.
#pragma once

#include "hostapi/HostTypes.h"

namespace hostapi {

class IParamBlock2;

class Animatable {
public:
    virtual Class_ID ClassID() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual void* GetInterface(ULONG id) = 0;

    // The A_ flags of HostConstants.h.
    virtual void SetAFlag(DWORD mask) = 0;
    virtual void ClearAFlag(DWORD mask) = 0;

    // Parameter block i of the object, or null when it has none.
    virtual IParamBlock2* GetParamBlock(int i) = 0;

protected:
    virtual ~Animatable() = default;
};

// The values of an object's parameters, by parameter id.
class IParamBlock2 {
public:
    // FALSE when the block has no float parameter with that id or the
    // table index is out of range.
    virtual BOOL SetValue(ParamID id, TimeValue t, float v, int tabIndex = 0) = 0;

protected:
    virtual ~IParamBlock2() = default;
};

}  // namespace hostapi
