// The Physique modifier's export interface, asked of the modifier with
// GetInterface(I_PHYINTERFACE) and handed back with ReleaseInterface.
//
// Its context for one node lists the vertices of the node's object, each
// with a type and the bone nodes it follows. A rigid vertex moves with its
// bones as a whole; a deformable one follows a spline through them, and
// ConvertToRigid makes deformable vertices report as rigid ones. A blended
// vertex follows several bones with weights; without AllowBlending it
// reports only its most strongly weighted bone, as a non-blended vertex.
// Both settings act on the vertex interfaces asked for afterwards.
//
// Vertex interfaces are asked one at a time and handed back with
// ReleaseVertexInterface, the context with ReleaseContextInterface. A
// vertex interface may be static_cast to the class its type names:
// IPhyRigidVertex for RIGID_NON_BLENDED_TYPE, IPhyBlendedRigidVertex for
// RIGID_BLENDED_TYPE.
#pragma once

#include "hostapi/WinTypes.h"

namespace hostapi {

class INode;

inline constexpr int RIGID_TYPE = 1;
inline constexpr int DEFORMABLE_TYPE = 2;
inline constexpr int BLENDED_TYPE = 4;
inline constexpr int FLOATING_TYPE = 8;
inline constexpr int RIGID_NON_BLENDED_TYPE = RIGID_TYPE;
inline constexpr int DEFORMABLE_NON_BLENDED_TYPE = DEFORMABLE_TYPE;
inline constexpr int RIGID_BLENDED_TYPE = RIGID_TYPE | BLENDED_TYPE;
inline constexpr int DEFORMABLE_BLENDED_TYPE = DEFORMABLE_TYPE | BLENDED_TYPE;

class IPhyVertexExport {
public:
    virtual int GetVertexType() = 0;

protected:
    virtual ~IPhyVertexExport() = default;
};

class IPhyRigidVertex : public IPhyVertexExport {
public:
    virtual INode* GetNode() = 0;

protected:
    ~IPhyRigidVertex() override = default;
};

class IPhyBlendedRigidVertex : public IPhyVertexExport {
public:
    virtual int GetNumberNodes() = 0;
    // Null / 0 out of range.
    virtual INode* GetNode(int i) = 0;
    virtual float GetWeight(int i) = 0;

protected:
    ~IPhyBlendedRigidVertex() override = default;
};

class IPhyContextExport {
public:
    virtual int GetNumberVertices() = 0;
    // Null out of range.
    virtual IPhyVertexExport* GetVertexInterface(int i) = 0;
    virtual void ReleaseVertexInterface(IPhyVertexExport* vertexInterface) = 0;
    // deformable TRUE: deformable vertices report as rigid.
    virtual void ConvertToRigid(BOOL deformable) = 0;
    virtual void AllowBlending(BOOL blending) = 0;

protected:
    virtual ~IPhyContextExport() = default;
};

class IPhysiqueExport {
public:
    // The modifier's data for nodePtr, or null when nodePtr does not carry
    // this modifier.
    virtual IPhyContextExport* GetContextInterface(INode* nodePtr) = 0;
    // false for a context this interface did not give.
    virtual bool ReleaseContextInterface(IPhyContextExport* ContextInterface) = 0;

protected:
    virtual ~IPhysiqueExport() = default;
};

}  // namespace hostapi
