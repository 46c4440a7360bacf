// The host's export interface, handed to DoExport: the scene to walk.
//
// IScene::EnumTree calls the callback once for every node of the scene,
// depth first: each node before its children, siblings in the order the
// scene keeps them. The callback's result steers the walk: TREE_CONTINUE,
// TREE_IGNORECHILDREN (skip this node's children) or TREE_ABORT (stop).
// Nodes made during a walk are not visited by it.
#pragma once

#include "hostapi/Nodes.h"

namespace hostapi {

inline constexpr int TREE_CONTINUE = 0;
inline constexpr int TREE_IGNORECHILDREN = 1;
inline constexpr int TREE_ABORT = 2;

class ITreeEnumProc {
public:
    ITreeEnumProc() = default;
    ITreeEnumProc(const ITreeEnumProc&) = default;
    ITreeEnumProc& operator=(const ITreeEnumProc&) = default;
    virtual ~ITreeEnumProc() = default;

    virtual int callback(INode* node) = 0;
};

class IScene {
public:
    // Nonzero when the callback aborted the walk.
    virtual int EnumTree(ITreeEnumProc* proc) = 0;

protected:
    virtual ~IScene() = default;
};

class ExpInterface {
public:
    IScene* theScene = nullptr;
};

}  // namespace hostapi
