// The document's bones from the host's node table, and its one animation
// sampled frame by frame from the host's controllers.
#pragma once

#include <vector>

#include "document/TVXScene.h"
#include "hostapi/Interface.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

// One bone per node: its parent's index in the table (-1 when the parent is
// not in it), its placement relative to that parent at time 0 (in the world
// when the parent is not in the table), white. 0 when memory runs out.
[[nodiscard]] int ConvertBones(const std::vector<hostapi::INode*>& nodes, TVXScene& scene);

// "DefaultAnim": one track per node, one key of each kind per frame of the
// host's animation range (sampled from the range's start, key times counted
// from it), each relative to the node's own placement at time 0; then the
// range pass. 0 when memory runs out. Without sampleKeys (the animation
// is not exported) the tracks stay empty. A range of more frames than the
// exporter samples is refused (ExportRefusal), not sampled.
[[nodiscard]] int ConvertAnimation(const std::vector<hostapi::INode*>& nodes, hostapi::Interface& ip,
                                   TVXScene& scene, bool sampleKeys = true);

// The range pass: key times are made non-negative, and start and end become
// the first and last key's frame.
void StoreAnimationRange(TVXAnimation& animation);

}  // namespace tvx::exporter
