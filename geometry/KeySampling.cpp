#include "geometry/KeySampling.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "geometry/QuaternionOps.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

Vector3 Between(const Vector3& a, const Vector3& b, float u) { return Lerp(a, b, u); }
Quaternion Between(const Quaternion& a, const Quaternion& b, float u) { return Slerp(a, b, u); }

const Vector3& ValueOf(const TVXPositionKey& key) { return key.position; }
const Quaternion& ValueOf(const TVXRotationKey& key) { return key.rotation; }
const Vector3& ValueOf(const TVXScaleKey& key) { return key.scale; }

template <class Key, class Value>
Value Sample(const std::vector<Key>& keys, float t, const Value& fallback) {
    if (keys.empty()) {
        return fallback;
    }
    const std::uint32_t tBits = std::bit_cast<std::uint32_t>(t);
    const auto found = std::find_if(keys.begin(), keys.end(),
                                    [&](const Key& key) { return std::bit_cast<std::uint32_t>(key.time) >= tBits; });
    const std::size_t k = static_cast<std::size_t>(found - keys.begin());
    const std::size_t prev = k > 0 ? k - 1 : 0;
    const std::size_t next = std::min(k, keys.size() - 1);
    if (prev == next) {
        return ValueOf(keys[next]);
    }
    float span = keys[next].time - keys[prev].time;
    if (span == 0.0f) {
        span = 1.0f;
    }
    const float u = std::clamp((t - keys[prev].time) / span, 0.0f, 1.0f);
    return Between(ValueOf(keys[prev]), ValueOf(keys[next]), u);
}

}  // namespace

SampledKeys SampleTrack(const TVXScene& scene, int track, float t) {
    SampledKeys sampled;
    if (scene.animations.empty() || track < 0) {
        return sampled;
    }
    const auto& tracks = scene.animations.front().tracks;
    if (static_cast<std::size_t>(track) >= tracks.size()) {
        return sampled;
    }
    const TVXBoneTrack& keys = tracks[static_cast<std::size_t>(track)];
    sampled.position = Sample(keys.positionKeys, t, sampled.position);
    sampled.rotation = Sample(keys.rotationKeys, t, sampled.rotation);
    sampled.scale = Sample(keys.scaleKeys, t, sampled.scale);
    return sampled;
}

}  // namespace tvx
