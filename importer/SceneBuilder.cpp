#include "importer/SceneBuilder.h"

#include "importer/AnimationBuilder.h"
#include "importer/BoneBuilder.h"
#include "importer/LightCameraBuilder.h"
#include "importer/MeshBuilder.h"

namespace tvx::importer {

int BuildScene(ImportSession& session) {
    hostapi::Interface& ip = session.ip;
    ip.SuspendAnimate();
    ip.SuspendSetKeyMode();
    ip.AnimateOff();
    if (!session.scene.bones.empty() && IsOn(session.options.importBones)) {
        BuildBones(session);
        BuildAnimation(session);
    }
    ip.ForceCompleteRedraw(hostapi::TRUE);
    BuildMesh(session);
    BuildLights(session);
    BuildCameras(session);
    ip.ResumeSetKeyMode();
    ip.ResumeAnimate();
    return 1;
}

}  // namespace tvx::importer
