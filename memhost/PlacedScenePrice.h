// What exporting a host scene builds, priced from the scene before it is
// built: a mesh once for every node that places it (through any chain of
// derived objects), and, when the export samples the animation, every node
// at every frame of the range (the most an exporter samples). The prices are what the exporter
// was measured to take per vertex, face and sample (docs/performance.md).
#pragma once

#include "memhost/SceneBudget.h"

namespace memhost {

class HostContext;

// Takes the price from `budget`; throws OverBudget, naming the nodes and
// what they place, when it is more than the budget holds.
void TakePlacedScene(const HostContext& context, bool sampled, SceneBudget& budget);

}  // namespace memhost
