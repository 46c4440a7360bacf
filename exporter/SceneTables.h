// The host scene sorted into the tables a conversion reads from: meshes,
// lights, cameras, and nodes (everything that becomes a bone: meshes,
// bones, dummies, helpers).
#pragma once

#include <unordered_map>
#include <vector>

#include "hostapi/ExpInterface.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

struct SceneTables {
    std::vector<hostapi::INode*> meshes;
    std::vector<hostapi::INode*> lights;
    std::vector<hostapi::INode*> cameras;
    std::vector<hostapi::INode*> nodes;
};

// Which tables a node's object (evaluated at time 0) puts it in.
struct NodeKinds {
    bool mesh = false;
    bool node = false;
    bool light = false;
    bool camera = false;
};
[[nodiscard]] NodeKinds ClassifyObject(hostapi::Object& object);

// Walks the scene once, in the host's order; with selectedOnly, nodes that
// are not selected are left out. Nodes without an object are left out.
[[nodiscard]] SceneTables CollectScene(hostapi::IScene& scene, bool selectedOnly);

// The place of each node in a table, found in constant time: a walk of the
// table per node made a deep skeleton cost the square of its bones.
class NodeIndex {
public:
    explicit NodeIndex(const std::vector<hostapi::INode*>& table);
    // The node's first index in the table, or -1 (also for null).
    [[nodiscard]] int Of(const hostapi::INode* node) const;

private:
    std::unordered_map<const hostapi::INode*, int> indexOf_;
};

}  // namespace tvx::exporter
