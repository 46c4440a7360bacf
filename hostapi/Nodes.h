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
//
// Reading at a time: GetNodeTM(t) is the world transform at t, evaluated
// from the node's transform controller and its parents'. GetObjectTM(t) adds
// the object offset, the placement of the object within its node (what the
// object's vertices are given in): object offset * GetNodeTM(t).
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

    // Nonzero when the user has the node selected.
    virtual int Selected() = 0;
    // The node's name as narrow text (see WinTypes.h), "" when it has none.
    // Valid until the node is renamed.
    virtual LPCSTR GetName() = 0;
    // The parent, or null for a node at the top of the hierarchy.
    virtual INode* GetParentNode() = 0;
    virtual Mtl* GetMtl() = 0;
    // valid, when given, is narrowed to the time the result holds for.
    virtual Matrix3 GetNodeTM(TimeValue t, Interval* valid = nullptr) = 0;
    virtual Matrix3 GetObjectTM(TimeValue t, Interval* valid = nullptr) = 0;

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
