// The host's import interface, handed to DoImport: import nodes, the light
// and camera objects of an import, and the viewports.
#pragma once

#include "hostapi/Nodes.h"
#include "hostapi/Objects.h"

namespace hostapi {

class ImpInterface {
public:
    // A new node, not yet in the scene, or null.
    [[nodiscard]] virtual ImpNode* CreateNode() = 0;
    // Puts the node into the scene; its parent link, if any, stays.
    virtual void AddNodeToScene(ImpNode* node) = 0;
    virtual void RedrawViews() = 0;
    // type: OMNI_LIGHT, TSPOT_LIGHT, DIR_LIGHT, FSPOT_LIGHT, TDIR_LIGHT; null
    // for other types or when creation fails.
    [[nodiscard]] virtual GenLight* CreateLightObject(int type) = 0;
    // type: FREE_CAMERA or TARGETED_CAMERA.
    [[nodiscard]] virtual GenCamera* CreateCameraObject(int type) = 0;

protected:
    virtual ~ImpInterface() = default;
};

}  // namespace hostapi
