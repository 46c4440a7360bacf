#include "memhost/MemHost.h"

#include <cstdio>
#include <string>

#include "memhost/Text.h"

namespace memhost {
namespace {

using hostapi::Class_ID;

std::string ClassText(hostapi::SClass_ID superClass, Class_ID classId) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "0x%X (0x%X, 0x%X)", superClass, classId.PartA(), classId.PartB());
    return buffer;
}


}  // namespace

MemHost::MemHost() : platform_(context_), editor_(context_), scene_(context_) {
    exportInterface_.theScene = &scene_;
}

MemHost::~MemHost() = default;

hostapi::BOOL MemHost::ProgressStart(const hostapi::MCHAR* title, hostapi::BOOL dispBar,
                                     hostapi::LPTHREAD_START_ROUTINE fn, hostapi::LPVOID arg) {
    if (progressOpen_) {
        context_.Error("Interface::ProgressStart: the progress bar is already open");
    }
    progressOpen_ = true;
    ProgressStartEvent event{Utf16ToUtf8(title), dispBar != 0, fn != nullptr, 0};
    if (fn) {
        event.workerResult = fn(arg);
    }
    context_.session.Add(std::move(event));
    return hostapi::TRUE;
}

void MemHost::ProgressUpdate(int pct, hostapi::BOOL showPct, const hostapi::MCHAR* title) {
    if (!progressOpen_) {
        context_.Error("Interface::ProgressUpdate: no progress bar is open");
    }
    ProgressUpdateEvent event{pct, showPct != 0, std::nullopt};
    if (title) {
        event.title = Utf16ToUtf8(title);
    }
    context_.session.Add(std::move(event));
}

void MemHost::ProgressEnd() {
    if (!progressOpen_) {
        context_.Error("Interface::ProgressEnd: no progress bar is open");
    }
    progressOpen_ = false;
    context_.session.Add(ProgressEndEvent{});
}

void MemHost::ForceCompleteRedraw(hostapi::BOOL doDisabled) {
    context_.session.Add(CompleteRedrawEvent{doDisabled != 0});
}

hostapi::Animatable* MemHost::CreateInstance(hostapi::SClass_ID superClassID, Class_ID classID) {
    CallDetail detail;
    detail.superClass = superClassID;
    detail.classId = classID;
    if (context_.failures.ShouldFail(HostCall::CreateInstance, detail)) {
        return nullptr;
    }
    if (superClassID == hostapi::GEOMOBJECT_CLASS_ID && classID == hostapi::BONE_OBJ_CLASSID) {
        return &context_.Adopt<MemBoneObject>(context_.objects);
    }
    if (superClassID == hostapi::OSM_CLASS_ID && classID == hostapi::SKIN_CLASSID) {
        return &context_.Adopt<MemSkin>(context_.modifiers);
    }
    if (superClassID == hostapi::TEXMAP_CLASS_ID && classID == Class_ID(hostapi::RGBMULT_CLASS_ID, 0)) {
        return &context_.Adopt<MemRGBMultiply>(context_.texmaps);
    }
    if (superClassID == hostapi::CTRL_POSITION_CLASS_ID &&
        classID == Class_ID(hostapi::LININTERP_POSITION_CLASS_ID, 0)) {
        return &context_.Adopt<MemPositionController>(context_.controllers);
    }
    if (superClassID == hostapi::CTRL_ROTATION_CLASS_ID &&
        classID == Class_ID(hostapi::LININTERP_ROTATION_CLASS_ID, 0)) {
        return &context_.Adopt<MemRotationController>(context_.controllers);
    }
    if (superClassID == hostapi::CTRL_SCALE_CLASS_ID &&
        classID == Class_ID(hostapi::LININTERP_SCALE_CLASS_ID, 0)) {
        return &context_.Adopt<MemScaleController>(context_.controllers);
    }
    context_.Error("Interface::CreateInstance: the host has no class " + ClassText(superClassID, classID));
    return nullptr;
}

hostapi::TriObject* MemHost::CreateNewTriObject() {
    if (context_.failures.ShouldFail(HostCall::CreateNewTriObject)) {
        return nullptr;
    }
    return &context_.Adopt<MemTriObject>(context_.objects);
}

hostapi::IDerivedObject* MemHost::CreateDerivedObject(hostapi::Object* obj) {
    if (context_.failures.ShouldFail(HostCall::CreateDerivedObject)) {
        return nullptr;
    }
    MemEntity* base = context_.Find<MemEntity>(obj);
    if (!base) {
        context_.Error("CreateDerivedObject: not an object of this host");
        return nullptr;
    }
    return &context_.Adopt<MemDerivedObject>(context_.objects, *base);
}

hostapi::MultiMtl* MemHost::NewDefaultMultiMtl() {
    if (context_.failures.ShouldFail(HostCall::NewDefaultMultiMtl)) {
        return nullptr;
    }
    return &context_.Adopt<MemMultiMtl>(context_.materials);
}

hostapi::StdMat* MemHost::NewDefaultStdMat() {
    if (context_.failures.ShouldFail(HostCall::NewDefaultStdMat)) {
        return nullptr;
    }
    return &context_.Adopt<MemStdMat>(context_.materials);
}

hostapi::BitmapTex* MemHost::NewDefaultBitmapTex() {
    if (context_.failures.ShouldFail(HostCall::NewDefaultBitmapTex)) {
        return nullptr;
    }
    return &context_.Adopt<MemBitmapTex>(context_.texmaps);
}

hostapi::FPInterface* MemHost::GetCOREInterface(hostapi::Interface_ID id) {
    CallDetail detail;
    detail.coreInterface = id;
    if (context_.failures.ShouldFail(HostCall::GetCOREInterface, detail)) {
        return nullptr;
    }
    return id == hostapi::MTLEDIT_INTERFACE ? &editor_ : nullptr;
}

void MemHost::SetAnimRange(hostapi::Interval range) {
    if (range.Start() > range.End()) {
        context_.Error("Interface::SetAnimRange: start " + std::to_string(range.Start()) + " after end " +
                       std::to_string(range.End()));
        return;
    }
    context_.animation.range = range;
}

// The real host ties the frame rate to the ticks per frame through its 4800
// ticks per second. This one keeps the two values as they were set, so a
// scene shows exactly what a plug-in asked for.
void MemHost::SetFrameRate(int rate) {
    if (rate <= 0) {
        context_.Error("SetFrameRate: " + std::to_string(rate) + " frames per second");
        return;
    }
    context_.animation.frameRate = rate;
}

void MemHost::SetTicksPerFrame(int ticks) {
    if (ticks <= 0) {
        context_.Error("SetTicksPerFrame: " + std::to_string(ticks) + " ticks");
        return;
    }
    context_.animation.ticksPerFrame = ticks;
}

void MemHost::SuspendAnimate() { context_.animation.suspendedAnimate.push_back(context_.animation.animateOn); }

void MemHost::ResumeAnimate() {
    AnimationSettings& a = context_.animation;
    if (a.suspendedAnimate.empty()) {
        context_.Error("ResumeAnimate: animate mode is not suspended");
        return;
    }
    a.animateOn = a.suspendedAnimate.back();
    a.suspendedAnimate.pop_back();
}

void MemHost::AnimateOff() { context_.animation.animateOn = false; }

// There is no call to switch set-key mode off, so suspending it does.
void MemHost::SuspendSetKeyMode() {
    AnimationSettings& a = context_.animation;
    a.suspendedSetKeyMode.push_back(a.setKeyModeOn);
    a.setKeyModeOn = false;
}

void MemHost::ResumeSetKeyMode() {
    AnimationSettings& a = context_.animation;
    if (a.suspendedSetKeyMode.empty()) {
        context_.Error("ResumeSetKeyMode: set-key mode is not suspended");
        return;
    }
    a.setKeyModeOn = a.suspendedSetKeyMode.back();
    a.suspendedSetKeyMode.pop_back();
}

hostapi::Point3 MemHost::GetUIColor(int which) {
    if (which < 0) {
        context_.Error("GetUIColor: no colour " + std::to_string(which));
        return hostapi::Point3();
    }
    const auto it = uiColors_.find(which);
    return it != uiColors_.end() ? it->second : hostapi::Point3(0.5f, 0.5f, 0.5f);
}

hostapi::ImpNode* MemHost::CreateNode() {
    if (context_.failures.ShouldFail(HostCall::CreateNode)) {
        return nullptr;
    }
    auto owned = std::make_unique<MemNode>(context_, static_cast<int>(context_.nodes.size()));
    MemNode& node = *owned;
    context_.nodes.push_back(std::move(owned));
    return &node;
}

void MemHost::AddNodeToScene(hostapi::ImpNode* node) {
    MemNode* found = context_.Find<MemNode>(node);
    if (!found) {
        context_.Error("ImpInterface::AddNodeToScene: not a node of this host");
        return;
    }
    if (found->inScene()) {
        context_.Error("ImpInterface::AddNodeToScene: node " + std::to_string(found->id()) + " is already in the scene");
        return;
    }
    found->PutInScene();
}

void MemHost::RedrawViews() { context_.session.Add(RedrawViewsEvent{}); }

hostapi::GenLight* MemHost::CreateLightObject(int type) {
    if (context_.failures.ShouldFail(HostCall::CreateLightObject)) {
        return nullptr;
    }
    if (type < hostapi::OMNI_LIGHT || type > hostapi::TDIR_LIGHT) {
        context_.Error("ImpInterface::CreateLightObject: no light type " + std::to_string(type));
        return nullptr;
    }
    return &context_.Adopt<MemLight>(context_.objects, type);
}

hostapi::GenCamera* MemHost::CreateCameraObject(int type) {
    if (context_.failures.ShouldFail(HostCall::CreateCameraObject)) {
        return nullptr;
    }
    if (type != hostapi::FREE_CAMERA && type != hostapi::TARGETED_CAMERA) {
        context_.Error("ImpInterface::CreateCameraObject: no camera type " + std::to_string(type));
        return nullptr;
    }
    return &context_.Adopt<MemCamera>(context_.objects, type);
}

const MemNode* MemHost::FindNode(std::string_view name) const {
    for (const auto& node : context_.nodes) {
        if (node->name() == name) {
            return node.get();
        }
    }
    return nullptr;
}

MemNode* MemHost::FindNode(std::string_view name) {
    return const_cast<MemNode*>(static_cast<const MemHost&>(*this).FindNode(name));
}

void MemHost::SelectAll(bool selected) {
    for (const auto& node : context_.nodes) {
        node->SetSelected(selected);
    }
}

}  // namespace memhost
