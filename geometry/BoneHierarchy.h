// How the matrix passes read a bone's stored parent index.
//
// Files store the index as read, so it may be anything. A bone that names
// itself has no place in the hierarchy and keeps the identity as its world
// matrix. A negative index makes a root; so does an index at or beyond the
// bone count, which names no bone: such a bone keeps its own transform (as
// the importer also leaves it at the top level) instead of losing it.
#pragma once

#include "document/MathTypes.h"
#include "geometry/Matrix.h"

namespace tvx {

enum class ParentLink { Root, Parent, Self };

[[nodiscard]] constexpr ParentLink LinkToParent(int parentIndex, int boneIndex, int boneCount) {
    if (parentIndex == boneIndex) {
        return ParentLink::Self;
    }
    if (parentIndex < 0 || parentIndex >= boneCount) {
        return ParentLink::Root;
    }
    return ParentLink::Parent;
}

// World matrices in one pass in array order: world = parent world x local.
// A parent listed after its child is still the identity when the child reads
// it; files list parents first.
template <class ParentOf, class LocalOf, class WorldOf>
void ComposeWorldMatrices(int count, ParentOf parentOf, LocalOf localOf, WorldOf worldOf) {
    for (int i = 0; i < count; ++i) {
        worldOf(i) = Matrix4::Identity();
    }
    for (int i = 0; i < count; ++i) {
        const int parent = parentOf(i);
        switch (LinkToParent(parent, i, count)) {
        case ParentLink::Root:
            worldOf(i) = localOf(i);
            break;
        case ParentLink::Parent:
            worldOf(i) = MultiplyAffine(worldOf(parent), localOf(i));
            break;
        case ParentLink::Self:
            worldOf(i) = Matrix4::Identity();
            break;
        }
    }
}

}  // namespace tvx
