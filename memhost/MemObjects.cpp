#include "memhost/MemObjects.h"

#include <algorithm>
#include <string>

#include "memhost/MemSkin.h"

namespace memhost {

using hostapi::Class_ID;

Class_ID MemLight::ClassID() {
    switch (type_) {
    case hostapi::TSPOT_LIGHT:
        return hostapi::SPOT_LIGHT_CLASS_ID;
    case hostapi::DIR_LIGHT:
        return hostapi::DIR_LIGHT_CLASS_ID;
    case hostapi::FSPOT_LIGHT:
        return hostapi::FSPOT_LIGHT_CLASS_ID;
    case hostapi::TDIR_LIGHT:
        return hostapi::TDIR_LIGHT_CLASS_ID;
    default:
        return hostapi::OMNI_LIGHT_CLASS_ID;
    }
}

void MemLight::SetRGBColor(hostapi::TimeValue, const hostapi::Point3& rgb) {
    context().NoteTimedChange("GenLight::SetRGBColor");
    color_ = rgb;
}

void MemLight::SetIntensity(hostapi::TimeValue, float f) {
    context().NoteTimedChange("GenLight::SetIntensity");
    intensity_ = f;
}

void MemLight::SetHotspot(hostapi::TimeValue, float f) {
    context().NoteTimedChange("GenLight::SetHotspot");
    hotspot_ = f;
}

void MemLight::SetFallsize(hostapi::TimeValue, float f) {
    context().NoteTimedChange("GenLight::SetFallsize");
    falloff_ = f;
}

void MemLight::SetAtten(hostapi::TimeValue, int which, float f) {
    context().NoteTimedChange("GenLight::SetAtten");
    if (which < 0 || which >= static_cast<int>(attenuation_.size())) {
        context().Error("GenLight::SetAtten: no attenuation range " + std::to_string(which));
        return;
    }
    attenuation_[static_cast<unsigned>(which)] = f;
}

Class_ID MemCamera::ClassID() {
    return type_ == hostapi::TARGETED_CAMERA ? hostapi::LOOKAT_CAM_CLASS_ID : hostapi::SIMPLE_CAM_CLASS_ID;
}

void MemCamera::SetClipDist(hostapi::TimeValue, int which, float val) {
    context().NoteTimedChange("GenCamera::SetClipDist");
    if (which < 0 || which >= static_cast<int>(clip_.size())) {
        context().Error("GenCamera::SetClipDist: no clipping plane " + std::to_string(which));
        return;
    }
    clip_[static_cast<unsigned>(which)] = val;
}

void MemCamera::SetFOV(hostapi::TimeValue, float f) {
    context().NoteTimedChange("GenCamera::SetFOV");
    fov_ = f;
}

hostapi::BOOL MemBoneParams::SetValue(hostapi::ParamID id, hostapi::TimeValue, float v, int tabIndex) {
    context_.NoteTimedChange("IParamBlock2::SetValue");
    if (id < 0 || id >= kCount || tabIndex != 0) {
        context_.Error("IParamBlock2::SetValue: the bone object has no parameter " + std::to_string(id) +
                       " with table index " + std::to_string(tabIndex));
        return hostapi::FALSE;
    }
    values_[static_cast<unsigned>(id)] = v;
    set_[static_cast<unsigned>(id)] = true;
    return hostapi::TRUE;
}

void MemDerivedObject::AddModifier(hostapi::Modifier* mod, hostapi::ModContext* mc, int before) {
    MemEntity* modifier = context().Find<MemSkin>(mod);
    if (!modifier) {
        context().Error("IDerivedObject::AddModifier: not a modifier of this host");
        return;
    }
    if (before < 0) {
        context().Error("IDerivedObject::AddModifier: negative position " + std::to_string(before));
        return;
    }
    if (HasModifier(modifier)) {
        context().Error("IDerivedObject::AddModifier: modifier " + std::to_string(modifier->id()) +
                        " is already on this object");
        return;
    }
    const auto position = std::min(static_cast<std::size_t>(before), modifiers_.size());
    modifiers_.insert(modifiers_.begin() + static_cast<std::ptrdiff_t>(position), modifier);
    additions_.push_back(
        {modifier->id(), static_cast<int>(position), mc != nullptr, TestAFlag(hostapi::A_LOCK_TARGET)});
}

bool MemDerivedObject::HasModifier(const MemEntity* modifier) const {
    return std::find(modifiers_.begin(), modifiers_.end(), modifier) != modifiers_.end();
}

MemEntity& BaseObject(MemEntity& object) {
    MemEntity* current = &object;
    // A derived object is only ever made over an existing object, so the
    // chain ends.
    while (auto* derived = dynamic_cast<MemDerivedObject*>(current)) {
        current = &derived->base();
    }
    return *current;
}

}  // namespace memhost
