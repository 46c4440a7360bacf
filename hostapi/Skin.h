// The Skin modifier's interfaces, asked of the modifier with GetInterface.
//
// Bones are registered with AddBoneEx; the update flag asks the modifier to
// rebuild its bone tables and is meant for the last bone of a batch only.
// AddWeights gives one vertex of the skinned node its bone influences: two
// tables of equal length, entry l pairing a bone node with its weight.
//
// Reading: ISkin lists the registered bones; its context for one skinned
// node gives, per point (vertex) of that node's object, the influences as
// indices into that list with their weights. An influence on a node that
// was never registered as a bone is no influence of the skin and is not
// listed. Nothing promises that an index lies within the list: a reader
// checks it against GetNumBones before asking for the bone.
#pragma once

#include <vector>

#include "hostapi/WinTypes.h"

namespace hostapi {

class INode;

// The host SDK's table type.
template <class T>
using Tab = std::vector<T>;

class ISkinContextData {
public:
    // The points of the skinned object.
    virtual int GetNumPoints() = 0;
    // 0 for a point out of range.
    virtual int GetNumAssignedBones(int vertexIdx) = 0;
    // Index into ISkin's bones of the point's boneIdx-th influence, -1 out of
    // range.
    virtual int GetAssignedBone(int vertexIdx, int boneIdx) = 0;
    // 0 out of range.
    virtual float GetBoneWeight(int vertexIdx, int boneIdx) = 0;

protected:
    virtual ~ISkinContextData() = default;
};

// Offered by every Skin modifier.
class ISkin {
public:
    // The registered bones.
    virtual int GetNumBones() = 0;
    // Registered bone idx, for 0 <= idx < GetNumBones(); the host does not
    // check it.
    virtual INode* GetBone(int idx) = 0;
    // The skin's data for pNode, or null when pNode does not carry this
    // modifier. It stays valid for as long as the host lives.
    virtual ISkinContextData* GetContextInterface(INode* pNode) = 0;

protected:
    virtual ~ISkin() = default;
};

class ISkinImportData {
public:
    // FALSE for a null node or a bone already registered.
    virtual BOOL AddBoneEx(INode* boneNode, BOOL update) = 0;
    // FALSE when the tables differ in length, the vertex is not a vertex of
    // skinNode's mesh, or skinNode does not carry this modifier. Replaces
    // the weights the vertex had.
    virtual BOOL AddWeights(INode* skinNode, int vertexID, const Tab<INode*>& boneNodeList,
                            const Tab<float>& weights) = 0;

protected:
    virtual ~ISkinImportData() = default;
};

}  // namespace hostapi
