#include "importer/LightCameraBuilder.h"

#include "hostbridge/Angles.h"
#include "importer/ViewTransform.h"

namespace tvx::importer {
namespace {

void SetUpLight(hostapi::GenLight& light, const TVXLight& source) {
    light.SetRGBColor(0, {source.color.r, source.color.g, source.color.b});
    light.SetIntensity(0, source.intensity);
    light.SetHotspot(0, source.hotspot);
    light.SetFallsize(0, source.falloff);
    light.SetUseLight(hostapi::TRUE);
    light.SetAtten(0, hostapi::ATTEN_START, source.attenuationStart);
    light.SetAtten(0, hostapi::ATTEN_END, source.attenuationEnd);
    light.SetUseAtten(hostapi::TRUE);
}

void SetUpCamera(hostapi::GenCamera& camera, const TVXCamera& source) {
    camera.SetClipDist(0, hostapi::CAM_HITHER_CLIP, source.nearDistance);
    camera.SetClipDist(0, hostapi::CAM_YON_CLIP, source.farDistance);
    camera.SetFOV(0, source.fieldOfView * hostbridge::kRadiansPerDegreeF);
    camera.SetManualClip(hostapi::TRUE);
    // The exporter reads near and far from the environment range, so the
    // camera carries them there too, or an import exported again loses them.
    camera.SetEnvRange(0, hostapi::ENV_NEAR_RANGE, source.nearDistance);
    camera.SetEnvRange(0, hostapi::ENV_FAR_RANGE, source.farDistance);
}

// The steps every light and camera node goes through; `makeObject` returns
// the object for the node, or null to leave it without one.
template <class Record, class MakeObject>
void BuildViewNode(ImportSession& session, Record& record, MakeObject makeObject) {
    hostapi::ImpNode* node = session.ii.CreateNode();
    if (node == nullptr) {
        return;
    }
    if (hostapi::Object* object = makeObject()) {
        node->Reference(object);
    }
    session.builtNodes.push_back(node);
    node->SetName(record.name.wide());
    node->SetTransform(0, RebuildViewTransform(record.transform));
}

}  // namespace

int HostLightType(int storedType) {
    switch (storedType) {
    case kLightDirectional:
        return hostapi::DIR_LIGHT;
    case kLightFreeSpot:
        return hostapi::FSPOT_LIGHT;
    default:
        return hostapi::OMNI_LIGHT;
    }
}

void BuildLights(ImportSession& session) {
    for (TVXLight& light : session.scene.lights) {
        BuildViewNode(session, light, [&]() -> hostapi::Object* {
            hostapi::GenLight* object = session.ii.CreateLightObject(HostLightType(light.lightType));
            if (object != nullptr) {
                SetUpLight(*object, light);
            }
            return object;
        });
    }
}

void BuildCameras(ImportSession& session) {
    for (TVXCamera& camera : session.scene.cameras) {
        BuildViewNode(session, camera, [&]() -> hostapi::Object* {
            hostapi::GenCamera* object = session.ii.CreateCameraObject(hostapi::FREE_CAMERA);
            if (object != nullptr) {
                SetUpCamera(*object, camera);
            }
            return object;
        });
    }
}

}  // namespace tvx::importer
