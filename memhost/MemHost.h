// The stand-in host: an in-memory 3ds Max for plug-ins to import into and
// export from.
//
// A MemHost is both the core interface and the import interface that
// DoImport receives:
//
//     memhost::MemHost host;
//     host.QueueDialog({});                      // answer the options dialog with OK
//     importer->DoImport(u"scene.tvx", &host, &host, FALSE);
//     std::string json = memhost::HostSceneText(host);
//
// and it offers the export interface that DoExport receives, over a scene
// built that way or read from a host-scene file (HostSceneRead.h):
//
//     std::unique_ptr<memhost::MemHost> host = memhost::ReadHostScene(json, error);
//     exporter->DoExport("scene.tvx", host->exportInterface(), host.get(), TRUE, 0);
//
// It records the scene the plug-in builds (nodes, objects, materials, skin,
// keys, animation settings) and, apart from it, the session (progress bar,
// message boxes, dialogs, current directory). It fails single creations on
// request (failures()) and answers dialogs from scripts (QueueDialog). Calls
// it cannot honour (bad indices, foreign objects, unbalanced resumes) do
// nothing and are listed in session().hostErrors().
//
// Running out of memory is no refusal: a call that cannot allocate throws
// std::bad_alloc to its caller and leaves what it was to change as it was.
// A null result would pass for "the host has no such thing", and the plug-in
// would go on to report a scene with pieces missing as a success.
#pragma once

#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "hostapi/ExpInterface.h"
#include "hostapi/ImpInterface.h"
#include "hostapi/Interface.h"
#include "memhost/HostContext.h"
#include "memhost/MemControllers.h"
#include "memhost/MemMaterials.h"
#include "memhost/MemModifiers.h"
#include "memhost/MemNode.h"
#include "memhost/MemObjects.h"
#include "memhost/MemPlatform.h"
#include "memhost/MemScene.h"
#include "memhost/MemSkin.h"

namespace memhost {

class MemHost final : public hostapi::Interface, public hostapi::ImpInterface {
public:
    MemHost();
    MemHost(const MemHost&) = delete;
    MemHost& operator=(const MemHost&) = delete;
    ~MemHost() override;

    // hostapi::Interface
    hostapi::BOOL ProgressStart(const hostapi::MCHAR* title, hostapi::BOOL dispBar, hostapi::LPTHREAD_START_ROUTINE fn,
                                hostapi::LPVOID arg) override;
    void ProgressUpdate(int pct, hostapi::BOOL showPct, const hostapi::MCHAR* title) override;
    void ProgressEnd() override;
    void ForceCompleteRedraw(hostapi::BOOL doDisabled) override;
    [[nodiscard]] hostapi::Animatable* CreateInstance(hostapi::SClass_ID superClassID,
                                                      hostapi::Class_ID classID) override;
    [[nodiscard]] hostapi::TriObject* CreateNewTriObject() override;
    [[nodiscard]] hostapi::IDerivedObject* CreateDerivedObject(hostapi::Object* obj) override;
    [[nodiscard]] hostapi::MultiMtl* NewDefaultMultiMtl() override;
    [[nodiscard]] hostapi::StdMat* NewDefaultStdMat() override;
    [[nodiscard]] hostapi::BitmapTex* NewDefaultBitmapTex() override;
    [[nodiscard]] hostapi::FPInterface* GetCOREInterface(hostapi::Interface_ID id) override;
    void SetAnimRange(hostapi::Interval range) override;
    void SetFrameRate(int rate) override;
    void SetTicksPerFrame(int ticks) override;
    hostapi::Interval GetAnimRange() override { return context_.animation.range; }
    int GetFrameRate() override { return context_.animation.frameRate; }
    int GetTicksPerFrame() override { return context_.animation.ticksPerFrame; }
    void SuspendAnimate() override;
    void ResumeAnimate() override;
    void AnimateOff() override;
    void SuspendSetKeyMode() override;
    void ResumeSetKeyMode() override;
    hostapi::Point3 GetUIColor(int which) override;
    hostapi::Platform& GetPlatform() override { return platform_; }

    // hostapi::ImpInterface
    [[nodiscard]] hostapi::ImpNode* CreateNode() override;
    void AddNodeToScene(hostapi::ImpNode* node) override;
    void RedrawViews() override;
    [[nodiscard]] hostapi::GenLight* CreateLightObject(int type) override;
    [[nodiscard]] hostapi::GenCamera* CreateCameraObject(int type) override;

    // What DoExport receives: its scene is this host's.
    hostapi::ExpInterface* exportInterface() { return &exportInterface_; }

    // Setting the host up before a plug-in runs.
    FailureInjector& failures() { return context_.failures; }
    void QueueDialog(DialogScript script) { platform_.QueueDialog(std::move(script)); }
    MemPlatform& platform() { return platform_; }
    // Every colour is (0.5, 0.5, 0.5) until set.
    void SetUIColor(int which, const hostapi::Point3& color) { uiColors_[which] = color; }
    // Animate and set-key mode as the user left them before the plug-in runs.
    void SetAnimateMode(bool on) { context_.animation.animateOn = on; }
    void SetSetKeyMode(bool on) { context_.animation.setKeyModeOn = on; }

    // What the plug-in built.
    const HostContext& context() const { return context_; }
    const Session& session() const { return context_.session; }
    Session& session() { return context_.session; }
    const AnimationSettings& animation() const { return context_.animation; }
    const std::vector<std::unique_ptr<MemNode>>& nodes() const { return context_.nodes; }
    // The first node with that name, or null.
    const MemNode* FindNode(std::string_view name) const;
    MemNode* FindNode(std::string_view name);
    // Clears or sets every node's selection flag.
    void SelectAll(bool selected);
    const MemMtlEditor& materialEditor() const { return editor_; }

    // The host's own things of type T in a list, in creation order.
    template <class T>
    static std::vector<const T*> OfType(const std::vector<std::unique_ptr<MemEntity>>& list) {
        std::vector<const T*> out;
        for (const auto& entity : list) {
            if (const auto* typed = dynamic_cast<const T*>(entity.get())) {
                out.push_back(typed);
            }
        }
        return out;
    }

private:
    // Reading a host-scene file fills a host from outside the plug-in
    // interfaces.
    friend class HostSceneReader;

    HostContext context_;
    MemPlatform platform_;
    MemMtlEditor editor_;
    MemScene scene_;
    hostapi::ExpInterface exportInterface_;
    std::map<int, hostapi::Point3> uiColors_;
    bool progressOpen_ = false;
};

}  // namespace memhost
