// Scene nodes. An import creates an ImpNode (ImpInterface::CreateNode) and
// works on the INode behind it for everything but naming and placing.
//
// Transforms: SetNodeTM and ImpNode::SetTransform set the node's WORLD
// transform. A node's local transform is its world transform times the
// inverse of its parent's world transform, so setting a child's world
// transform leaves its parent alone, and AttachChild with keepTM keeps the
// child's world transform (its local transform is recomputed against the
// new parent). A node whose parent is set later must therefore be given its
// world transform, not its parent-relative one.
#pragma once

#include "hostapi/Controllers.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Materials.h"
#include "hostapi/Objects.h"

namespace hostapi {

class INode {
public:
    // Packed as red | green << 8 | blue << 16.
    virtual void SetWireColor(DWORD newcol) = 0;
    virtual void SetNodeTM(TimeValue t, const Matrix3& tm) = 0;
    // The node behaves as a bone (its children follow it as a chain).
    virtual void SetBoneNodeOnOff(BOOL onOff, TimeValue t) = 0;
    virtual void SetRenderable(BOOL onOff) = 0;
    // Bone display of the link to the parent: 0 off, 1 shown as a bone.
    virtual void ShowBone(int boneVis) = 0;
    virtual void Hide(BOOL onOff) = 0;
    // Makes node a child of this one. keepTM: keep its world transform
    // (otherwise its local transform). Refused when node is this node or one
    // of its ancestors.
    virtual void AttachChild(INode* node, int keepTM = 1) = 0;
    // The node's transform controller, or null.
    virtual Control* GetTMController() = 0;
    virtual Object* GetObjectRef() = 0;
    virtual void SetObjectRef(Object* obj) = 0;
    virtual ObjectState EvalWorldState(TimeValue time, BOOL evalHidden = TRUE) = 0;
    virtual void SetMtl(Mtl* matl) = 0;

protected:
    virtual ~INode() = default;
};

class ImpNode {
public:
    // The node now shows obj.
    virtual void Reference(Object* obj) = 0;
    virtual INode* GetINode() = 0;
    // World transform at time t, as INode::SetNodeTM.
    virtual void SetTransform(TimeValue t, const Matrix3& tm) = 0;
    virtual void SetName(const MCHAR* name) = 0;

protected:
    virtual ~ImpNode() = default;
};

}  // namespace hostapi
