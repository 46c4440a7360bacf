// One glTF animation sampled at the host's frame rate into linear key
// controllers on the nodes it animates.
#pragma once

#include <map>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/HostAxes.h"
#include "gltf/HostScene.h"
#include "gltf/Nodes.h"
#include "gltf/ReadBudget.h"

namespace tvx::gltf {

inline constexpr int kFrameRate = 30;
inline constexpr int kTicksPerFrame = 160;

struct SampledAnimation {
    int endTicks = 0;
    std::map<int, Json> controllers;  // by node
    std::map<int, TRS> atTimeZero;  // the animated nodes' TRS at time 0
    int keys = 0;
};

// `statics` gives each node's parts that the animation leaves alone,
// `frames` how each node's keys pass into the host. The keys are taken
// from `budget` before any is made.
SampledAnimation SampleAnimation(const tinygltf::Model& model, int index, const std::vector<TRS>& statics,
                                 const std::vector<Frames>& frames, HostScene& scene, memhost::SceneBudget& budget);

}  // namespace tvx::gltf
