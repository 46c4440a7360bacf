// The scene an exporter walks: IScene over the host's nodes.
//
// EnumTree visits the nodes that are in the scene, depth first, each before
// its children; top-level nodes and the children of a node come in id
// order. A node that was never added to the scene is not visited, though
// its children are when they are in the scene. The walk keeps its own
// stack, so a deep hierarchy cannot exhaust the call stack.
#pragma once

#include "hostapi/ExpInterface.h"
#include "memhost/HostContext.h"

namespace memhost {

class MemScene final : public hostapi::IScene {
public:
    explicit MemScene(HostContext& context) : context_(context) {}
    ~MemScene() override = default;

    int EnumTree(hostapi::ITreeEnumProc* proc) override;

private:
    HostContext& context_;
};

}  // namespace memhost
