// Records for the scene's lights, cameras, groups, bones and animations.
//
// A default-constructed record is exactly what allocation leaves in the
// scene's arrays (apart from the per-index default names): allocation
// zero-fills each record and then sets a few defaults, and those are the
// member initializers here. So a field without an initializer is zero.
#pragma once

#include <vector>

#include "document/MathTypes.h"
#include "document/TVXString.h"
#include "document/TVXTransform.h"

namespace tvx {

namespace detail {
// Lights and cameras get the constructed axes, position, scale and matrix,
// but keep the zero fill's rotation and final vector.
inline TVXTransform ViewTransformDefaults() {
    TVXTransform t;
    t.rotation = Quaternion::Zero();
    return t;
}

inline TVXTransform BoneTransformDefaults() {
    TVXTransform t = TVXTransform::Zero();
    t.scale = {1.0f, 1.0f, 1.0f};
    t.rotation = Quaternion{};
    return t;
}
}  // namespace detail

enum TVXLightType : int {
    kLightDirectional = 1,
    kLightFreeSpot = 2,
    // Any other value is an omni light.
};

struct TVXLight {
    int lightCode = 1600;  // carried only; the exporter always writes 1600
    int lightType = kLightDirectional;
    TVXTransform transform = detail::ViewTransformDefaults();
    float hotspot = 10.0f;
    float falloff = 20.0f;
    float value3 = 0.0f;  // carried only
    float value4 = 1.0f;  // carried only
    float intensity = 1.0f;
    RGBA color{1.0f, 1.0f, 1.0f, 1.0f};
    float attenuationStart = 2.0f;
    float attenuationEnd = 8.0f;
    TVXString name;
};

struct TVXCamera {
    int cameraInt1 = 0;  // carried only
    int cameraInt2 = 0;  // carried only
    TVXTransform transform = detail::ViewTransformDefaults();
    float fieldOfView = 45.0f;  // degrees
    float nearDistance = 1.0f;
    float farDistance = 1000.0f;
    TVXString name;
};

// One row of a group's material table: how many of the group's polygons use
// a material.
struct TVXGroupMaterial {
    int materialIndex = 0;
    int polygonCount = 0;
};

struct TVXGroup {
    TVXString name;
    int groupInt1 = 0;  // carried only
    int groupInt2 = 0;  // carried only
    TVXTransform transform = TVXTransform::Zero();
    std::vector<TVXGroupMaterial> materialTable;  // built after loading
};

struct TVXBone {
    TVXString name;
    int parentIndex = -1;  // -1: a root
    TVXTransform transform = detail::BoneTransformDefaults();
    RGBA color{1.0f, 1.0f, 1.0f, 1.0f};
    int weightedVertexCount = 0;  // derived after loading
    // Derived from the transform and the parent chain; never stored in a file.
    Matrix4 localMatrix = Matrix4::Zero();
    Matrix4 worldMatrix = Matrix4::Zero();
};

// Key times are in seconds.
struct TVXPositionKey {
    float time = 0.0f;
    Vector3 position{};
};

struct TVXRotationKey {
    float time = 0.0f;
    Quaternion rotation = Quaternion::Zero();
};

struct TVXScaleKey {
    float time = 0.0f;
    Vector3 scale{};
};

struct TVXBoneTrack {
    std::vector<TVXPositionKey> positionKeys;
    std::vector<TVXRotationKey> rotationKeys;
    std::vector<TVXScaleKey> scaleKeys;
};

struct TVXAnimation {
    TVXString name;
    int reserved = 0;
    float start = 0.0f;      // frames
    float end = 0.0f;        // frames
    float frameRate = 0.0f;  // frames per second
    std::vector<TVXBoneTrack> tracks;  // one per bone, in bone order
};

}  // namespace tvx
