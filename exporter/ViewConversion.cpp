#include "exporter/ViewConversion.h"

#include <algorithm>
#include <optional>

#include "document/SceneAllocation.h"
#include "exporter/ExportRefusal.h"
#include "exporter/NodeTransforms.h"
#include "geometry/Frames.h"
#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"

namespace tvx::exporter {
namespace {

constexpr float kRadiansToDegrees = 57.29578f;

TVXString NameOf(hostapi::INode& node) {
    const char* name = node.GetName();
    return TVXString::FromNarrow(name != nullptr ? name : "");
}

template <class ObjectType>
ObjectType* ObjectOf(hostapi::INode& node, hostapi::SClass_ID superClass) {
    hostapi::Object* object = node.EvalWorldState(0, hostapi::TRUE).obj;
    return object != nullptr && object->SuperClassID() == superClass ? static_cast<ObjectType*>(object) : nullptr;
}

// The matrix a view is stored with: its axes as an orthonormal frame with
// z turned round, so the file carries the roll. Axes from which no up can
// be read keep the look-at frame around the turned z that files have always
// had.
Matrix4 StoredViewMatrix(const Matrix4& axes) {
    const std::optional<Matrix4> frame = OrthonormalViewFrame(axes);
    Matrix4 stored = frame.value_or(axes);
    for (int r = 0; r < 3; ++r) {
        stored(r, 2) = -stored(r, 2);
    }
    return frame ? stored : LookAtFrame(stored);
}

}  // namespace

int StoredLightType(int hostType) {
    switch (hostType) {
    case hostapi::SPOT_LGT:
        return kLightFreeSpot;
    case hostapi::DIRECT_LGT:
        return kLightDirectional;
    case hostapi::AMBIENT_LGT:
        return 3;
    default:
        return 0;
    }
}

TVXTransform ViewTransform(hostapi::INode& node) {
    const hostapi::Matrix3 world = WithoutNearZeros(CheckedNodeTM(node, 0));
    TVXTransform t;
    const Placement placement = DecomposePlacement(world);
    t.position = placement.position;
    t.rotation = placement.rotation;
    t.scale = placement.scale;
    Matrix4 axes = ToDocumentMatrix(world);
    for (int r = 0; r < 3; ++r) {
        axes(r, 3) = 0.0f;
    }
    t.matrix = StoredViewMatrix(axes);
    return t;
}

int ConvertLights(const std::vector<hostapi::INode*>& nodes, TVXScene& scene) {
    if (nodes.empty()) {
        return 1;
    }
    if (!AllocLights(scene, Count(nodes))) {
        return 0;
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        hostapi::INode& node = *nodes[i];
        TVXLight& light = scene.lights[i];
        light.name = NameOf(node);
        light.transform = ViewTransform(node);
        light.lightType = 0;
        hostapi::LightState state;
        hostapi::Interval valid;
        auto* object = ObjectOf<hostapi::LightObject>(node, hostapi::LIGHT_CLASS_ID);
        if (object == nullptr || object->EvalLightState(0, valid, &state) != hostapi::REF_SUCCEED) {
            continue;
        }
        light.lightType = StoredLightType(state.type);
        light.color = {state.color.r, state.color.g, state.color.b, 1.0f};
        light.intensity = state.intens;
        light.hotspot = std::max(state.hotsize, 0.0f);
        light.falloff = std::max(state.fallsize, 0.0f);
        light.attenuationStart = state.attenStart;
        light.attenuationEnd = state.attenEnd;
    }
    return 1;
}

int ConvertCameras(const std::vector<hostapi::INode*>& nodes, TVXScene& scene) {
    if (nodes.empty()) {
        return 1;
    }
    if (!AllocCameras(scene, Count(nodes))) {
        return 0;
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        hostapi::INode& node = *nodes[i];
        TVXCamera& camera = scene.cameras[i];
        camera.name = NameOf(node);
        camera.transform = ViewTransform(node);
        hostapi::CameraState state;
        hostapi::Interval valid;
        auto* object = ObjectOf<hostapi::CameraObject>(node, hostapi::CAMERA_CLASS_ID);
        if (object == nullptr || object->EvalCameraState(0, valid, &state) != hostapi::REF_SUCCEED) {
            continue;
        }
        camera.fieldOfView = state.fov * kRadiansToDegrees;
        camera.nearDistance = state.nearRange;
        camera.farDistance = state.farRange;
    }
    return 1;
}

}  // namespace tvx::exporter
