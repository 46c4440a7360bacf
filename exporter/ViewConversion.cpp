#include "exporter/ViewConversion.h"

#include <algorithm>
#include <optional>
#include <string>

#include "document/SceneAllocation.h"
#include "exporter/ExportRefusal.h"
#include "exporter/NodeTransforms.h"
#include "geometry/Frames.h"
#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"
#include "hostbridge/Angles.h"

namespace tvx::exporter {
namespace {


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

std::string ViewText(const char* kind, hostapi::INode& node) {
    const char* name = node.GetName();
    return std::string(kind) + " \"" + (name != nullptr ? name : "") + "\"";
}

// The values as stored (a cone below 0 is already 0): a light no reader
// could place or shade with is refused, naming the light and the value.
void RequireExportableLight(hostapi::INode& node, const TVXLight& light) {
    const std::string where = ViewText("light", node);
    RequireExportable(hostapi::Color(light.color.r, light.color.g, light.color.b), where, "its colour");
    RequireExportable(light.intensity, where, "its multiplier");
    RequireExportable(light.hotspot, where, "its hotspot");
    RequireExportable(light.falloff, where, "its falloff");
    RequireExportable(light.attenuationStart, where, "its attenuation start");
    RequireExportable(light.attenuationEnd, where, "its attenuation end");
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
        RequireExportableLight(node, light);
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
        camera.fieldOfView = state.fov * hostbridge::kDegreesPerRadianF;
        camera.nearDistance = state.nearRange;
        camera.farDistance = state.farRange;
        const std::string where = ViewText("camera", node);
        RequireExportable(camera.fieldOfView, where, "its field of view");
        RequireExportable(camera.nearDistance, where, "its near distance");
        RequireExportable(camera.farDistance, where, "its far distance");
    }
    return 1;
}

}  // namespace tvx::exporter
