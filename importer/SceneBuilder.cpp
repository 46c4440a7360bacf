#include "importer/SceneBuilder.h"

#include "importer/AnimationBuilder.h"
#include "importer/BoneBuilder.h"
#include "importer/LightCameraBuilder.h"
#include "importer/MeshBuilder.h"

namespace tvx::importer {
namespace {

// Animate and set-key mode stay off for the build and come back as the user
// left them however the build ends, or a failed import would leave the
// host animating every change the user makes afterwards.
class AnimateModesOff {
public:
    explicit AnimateModesOff(hostapi::Interface& ip) : ip_(ip) {
        ip_.SuspendAnimate();
        ip_.SuspendSetKeyMode();
        ip_.AnimateOff();
    }
    AnimateModesOff(const AnimateModesOff&) = delete;
    AnimateModesOff& operator=(const AnimateModesOff&) = delete;
    ~AnimateModesOff() {
        try {
            ip_.ResumeSetKeyMode();
            ip_.ResumeAnimate();
        } catch (...) {
            // A host that cannot resume has nothing left to restore.
        }
    }

private:
    hostapi::Interface& ip_;
};

// The animation settings the build may change, kept so that a build that
// fails leaves the host's timing as it found it.
struct HostTiming {
    explicit HostTiming(hostapi::Interface& ip)
        : frameRate(ip.GetFrameRate()), ticksPerFrame(ip.GetTicksPerFrame()), range(ip.GetAnimRange()) {}

    void Restore(hostapi::Interface& ip) const {
        ip.SetFrameRate(frameRate);
        ip.SetTicksPerFrame(ticksPerFrame);
        ip.SetAnimRange(range);
    }

    int frameRate;
    int ticksPerFrame;
    hostapi::Interval range;
};

void BuildAll(ImportSession& session) {
    if (!session.scene.bones.empty() && IsOn(session.options.importBones)) {
        BuildBones(session);
        BuildAnimation(session);
    }
    session.ip.ForceCompleteRedraw(hostapi::TRUE);
    BuildMesh(session);
    BuildLights(session);
    BuildCameras(session);
}

// The finished build joins the host's scene, in the order it was made.
void ShowBuild(ImportSession& session) {
    for (hostapi::ImpNode* node : session.builtNodes) {
        session.ii.AddNodeToScene(node);
    }
    if (session.editorMaterial == nullptr) {
        return;
    }
    if (auto* editor =
            static_cast<hostapi::IMtlEditInterface*>(session.ip.GetCOREInterface(hostapi::MTLEDIT_INTERFACE))) {
        editor->PutMtlToMtlEditor(session.editorMaterial, 0);
    }
}

}  // namespace

int BuildScene(ImportSession& session) {
    const HostTiming before(session.ip);
    const AnimateModesOff modes(session.ip);
    try {
        BuildAll(session);
    } catch (...) {
        before.Restore(session.ip);
        throw;
    }
    ShowBuild(session);
    return 1;
}

}  // namespace tvx::importer
