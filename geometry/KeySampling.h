// Reading a bone's animation track at a time.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

struct SampledKeys {
    Vector3 position{};
    Quaternion rotation{};
    Vector3 scale{1.0f, 1.0f, 1.0f};
};

// Track `track` of the scene's first animation at time t (seconds): between
// the two keys around t positions and scales are interpolated linearly and
// rotations spherically; outside the keys the nearest key holds. Each kind
// without keys (or without an animation or such a track) gives its default:
// no move, no turn, unit scale.
//
// The key found is the first whose time is not below t, compared as the
// unsigned bit patterns of the two floats: the order of non-negative
// floats, and how stored files have always been sampled.
[[nodiscard]] SampledKeys SampleTrack(const TVXScene& scene, int track, float t);

}  // namespace tvx
