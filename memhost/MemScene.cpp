#include "memhost/MemScene.h"

#include <new>
#include <vector>

#include "memhost/MemNode.h"

namespace memhost {

int MemScene::EnumTree(hostapi::ITreeEnumProc* proc) {
    if (!proc) {
        context_.Error("IScene::EnumTree: no callback");
        return 0;
    }
    const auto& nodes = context_.nodes;
    // Taken before the walk, so that nodes the callback makes are not
    // visited.
    std::vector<std::vector<MemNode*>> children(nodes.size());
    std::vector<MemNode*> roots;
    for (const auto& node : nodes) {
        if (MemNode* parent = node->parent()) {
            children[static_cast<std::size_t>(parent->id())].push_back(node.get());
        } else {
            roots.push_back(node.get());
        }
    }
    std::vector<MemNode*> pending(roots.rbegin(), roots.rend());
    while (!pending.empty()) {
        MemNode* node = pending.back();
        pending.pop_back();
        if (node->inScene()) {
            const int answer = proc->callback(node);
            if (answer == hostapi::TREE_ABORT) {
                return 1;
            }
            if (answer == hostapi::TREE_IGNORECHILDREN) {
                continue;
            }
        }
        const auto& own = children[static_cast<std::size_t>(node->id())];
        pending.insert(pending.end(), own.rbegin(), own.rend());
    }
    return 0;
}

}  // namespace memhost
