// The Skin modifier's interfaces, asked of the modifier with GetInterface.
//
// Bones are registered with AddBoneEx; the update flag asks the modifier to
// rebuild its bone tables and is meant for the last bone of a batch only.
// AddWeights gives one vertex of the skinned node its bone influences: two
// tables of equal length, entry l pairing a bone node with its weight.
#pragma once

#include <vector>

#include "hostapi/WinTypes.h"

namespace hostapi {

class INode;

// The host SDK's table type.
template <class T>
using Tab = std::vector<T>;

// Offered by every Skin modifier; the import needs only that it exists.
class ISkin {
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
