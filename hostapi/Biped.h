// The interfaces of a biped's transform controllers (BIPBODY_CONTROL_CLASS_ID
// and BIPSLAVE_CONTROL_CLASS_ID), asked of the controller with GetInterface
// and handed back with ReleaseInterface.
//
// A biped poses its nodes by modes (figure mode shows the figure pose, not
// the animation) and may scale them non-uniformly, which a plain transform
// cannot carry. An exporter asks for uniform scale and brings the biped
// out of its modes before it samples the nodes; what that changes in the
// biped is the host's business.
#pragma once

#include "hostapi/HostTypes.h"
#include "hostapi/WinTypes.h"

namespace hostapi {

// I_BIPINTERFACE.
class IBipedExport {
public:
    virtual void RemoveNonUniformScale(BOOL onOff) = 0;
    virtual void BeginFigureMode(int redraw) = 0;
    virtual void EndFigureMode(int redraw) = 0;

protected:
    virtual ~IBipedExport() = default;
};

// I_BIPMASTER: the biped master's mode interface.
class IBipMaster {
public:
    // Leaves every special mode over range, so that the biped shows its
    // animation there.
    virtual void ExitModes(Interval range) = 0;

protected:
    virtual ~IBipMaster() = default;
};

}  // namespace hostapi
