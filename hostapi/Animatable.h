// The root of the host's scene classes: what every object, modifier,
// controller and material answers.
//
// Everything created through the host belongs to the host: plug-ins hold
// pointers, never delete them (the destructors are protected for that). The
// one exception is an object that a conversion made for the caller
// (Object::ConvertToType): the caller ends it with DeleteThis.
// GetInterface returns a pointer of exactly the interface type that the id
// names (IKeyControl for I_KEYCONTROL, ISkin for I_SKIN, ISkinImportData
// for I_SKINIMPORTDATA, IPhysiqueExport for I_PHYINTERFACE, IBipedExport
// for I_BIPINTERFACE, IBipMaster for I_BIPMASTER), or null; static_cast it
// to that type. The Physique and biped interfaces are handed back with
// ReleaseInterface when done; the others need no release.
#pragma once

#include "hostapi/HostTypes.h"

namespace hostapi {

class IParamBlock2;

class Animatable {
public:
    virtual Class_ID ClassID() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual void* GetInterface(ULONG id) = 0;
    // Hands back an interface that GetInterface(id) gave.
    virtual void ReleaseInterface(ULONG id, void* i) = 0;
    // Ends an object that was made for the caller; the host refuses it for
    // anything that belongs to the scene.
    virtual void DeleteThis() = 0;

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
