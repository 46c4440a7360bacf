#include "memhost/MemObjects.h"

#include <algorithm>
#include <new>
#include <string>


namespace memhost {

using hostapi::Class_ID;

namespace {

bool ConversionFails(HostContext& context, Class_ID obtype) {
    CallDetail detail;
    detail.classId = obtype;
    return context.failures.ShouldFail(HostCall::ConvertToType, detail);
}

// A new triangle object made for the caller, holding the mesh that make
// fills.
template <class Fill>
hostapi::Object* NewConversion(MemEntity& source, Fill fill) {
    HostContext& context = source.context();
    MemTriObject& tri = context.Adopt<MemTriObject>(context.conversions);
    tri.MarkConversionOf(source.id());
    fill(tri.mesh());
    return &tri;
}

hostapi::Object* ConvertCopy(MemEntity& source, const MemMesh* mesh, Class_ID obtype) {
    if (!mesh || obtype != hostapi::triObjectClassID || ConversionFails(source.context(), obtype)) {
        return nullptr;
    }
    return NewConversion(source, [mesh](MemMesh& out) { out.AssignCopy(*mesh); });
}

}  // namespace

hostapi::Object* MemTriObject::ConvertToType(hostapi::TimeValue, Class_ID obtype) {
    if (obtype != hostapi::triObjectClassID || ConversionFails(context(), obtype)) {
        return nullptr;
    }
    return this;
}

void MemTriObject::DeleteThis() {
    if (conversionOf_ < 0) {
        context().Error("Animatable::DeleteThis: mesh object " + std::to_string(id()) + " belongs to the scene");
        return;
    }
    if (deleted_) {
        context().Error("Animatable::DeleteThis: the conversion of object " + std::to_string(conversionOf_) +
                        " was already deleted");
        return;
    }
    deleted_ = true;
    mesh_.Clear();
}

int MemLight::CanConvertToType(Class_ID obtype) {
    return mesh_.has() && obtype == hostapi::triObjectClassID;
}

hostapi::Object* MemLight::ConvertToType(hostapi::TimeValue, Class_ID obtype) {
    return ConvertCopy(*this, mesh_.get(), obtype);
}

hostapi::RefResult MemLight::EvalLightState(hostapi::TimeValue, hostapi::Interval&, hostapi::LightState* ls) {
    if (!ls) {
        context().Error("LightObject::EvalLightState: no state to fill");
        return hostapi::REF_FAIL;
    }
    switch (type_) {
    case hostapi::TSPOT_LIGHT:
    case hostapi::FSPOT_LIGHT:
        ls->type = hostapi::SPOT_LGT;
        break;
    case hostapi::DIR_LIGHT:
    case hostapi::TDIR_LIGHT:
        ls->type = hostapi::DIRECT_LGT;
        break;
    default:
        ls->type = ambientOnly_ ? hostapi::AMBIENT_LGT : hostapi::OMNI_LGT;
        break;
    }
    ls->color = hostapi::Color(color_.x, color_.y, color_.z);
    ls->intens = intensity_;
    ls->hotsize = hotspot_;
    ls->fallsize = falloff_;
    ls->attenStart = attenuation_[hostapi::ATTEN_START];
    ls->attenEnd = attenuation_[hostapi::ATTEN_END];
    return hostapi::REF_SUCCEED;
}

int MemCamera::CanConvertToType(Class_ID obtype) {
    return mesh_.has() && obtype == hostapi::triObjectClassID;
}

hostapi::Object* MemCamera::ConvertToType(hostapi::TimeValue, Class_ID obtype) {
    return ConvertCopy(*this, mesh_.get(), obtype);
}

hostapi::RefResult MemCamera::EvalCameraState(hostapi::TimeValue, hostapi::Interval&, hostapi::CameraState* cs) {
    if (!cs) {
        context().Error("CameraObject::EvalCameraState: no state to fill");
        return hostapi::REF_FAIL;
    }
    cs->fov = fov_;
    cs->manualClip = manualClip_ ? hostapi::TRUE : hostapi::FALSE;
    cs->hither = clip_[0];
    cs->yon = clip_[1];
    cs->nearRange = envRange_[0];
    cs->farRange = envRange_[1];
    return hostapi::REF_SUCCEED;
}

hostapi::Object* MemBoneObject::ConvertToType(hostapi::TimeValue, Class_ID obtype) {
    if (obtype != hostapi::triObjectClassID || ConversionFails(context(), obtype)) {
        return nullptr;
    }
    const float length = params_.value(MemBoneParams::kLength);
    const float halfWidth = 0.5f * params_.value(MemBoneParams::kWidth);
    const float halfHeight = 0.5f * params_.value(MemBoneParams::kHeight);
    const float end = 1.0f - params_.value(MemBoneParams::kTaper);
    return NewConversion(*this, [&](MemMesh& out) {
        std::vector<hostapi::Point3> verts;
        for (int corner = 0; corner < 8; ++corner) {
            const float k = corner < 4 ? 1.0f : end;
            const float y = (corner & 1) ? halfWidth : -halfWidth;
            const float z = (corner & 2) ? halfHeight : -halfHeight;
            verts.emplace_back(corner < 4 ? 0.0f : length, k * y, k * z);
        }
        // Two triangles per side of the box, wound outwards.
        constexpr int kQuads[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                                      {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
        std::vector<hostapi::Face> faces;
        for (const auto& q : kQuads) {
            hostapi::Face a;
            a.setVerts(q[0], q[1], q[2]);
            a.setEdgeVisFlags(1, 1, 0);
            hostapi::Face b;
            b.setVerts(q[2], q[3], q[0]);
            b.setEdgeVisFlags(1, 1, 0);
            faces.push_back(a);
            faces.push_back(b);
        }
        out.Assign(std::move(verts), std::move(faces), {});
    });
}

hostapi::Object* MemGeometry::ConvertToType(hostapi::TimeValue, Class_ID obtype) {
    return ConvertCopy(*this, &mesh_, obtype);
}

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

void MemCamera::SetEnvRange(hostapi::TimeValue, int which, float f) {
    context().NoteTimedChange("GenCamera::SetEnvRange");
    if (which < 0 || which >= static_cast<int>(envRange_.size())) {
        context().Error("GenCamera::SetEnvRange: no range end " + std::to_string(which));
        return;
    }
    envRange_[static_cast<unsigned>(which)] = f;
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

int MemDerivedObject::CanConvertToType(Class_ID obtype) {
    auto* base = dynamic_cast<hostapi::Object*>(&BaseObject(*this));
    return base ? base->CanConvertToType(obtype) : 0;
}

hostapi::Object* MemDerivedObject::ConvertToType(hostapi::TimeValue t, Class_ID obtype) {
    auto* base = dynamic_cast<hostapi::Object*>(&BaseObject(*this));
    return base ? base->ConvertToType(t, obtype) : nullptr;
}

hostapi::Modifier* MemDerivedObject::GetModifier(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= modifiers_.size()) {
        context().Error("IDerivedObject::GetModifier: modifier " + std::to_string(index) + " of " +
                        std::to_string(modifiers_.size()));
        return nullptr;
    }
    return dynamic_cast<hostapi::Modifier*>(modifiers_[static_cast<std::size_t>(index)]);
}

void MemDerivedObject::AddModifier(hostapi::Modifier* mod, hostapi::ModContext* mc, int before) {
    MemEntity* modifier = context().Find<MemEntity>(mod);
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
    // A derived object is only ever made over an existing object (and a
    // host-scene file with a loop in its chain is refused), so the chain
    // ends.
    while (auto* derived = dynamic_cast<MemDerivedObject*>(current)) {
        current = &derived->base();
    }
    return *current;
}

bool ChainHasModifier(MemEntity* object, const MemEntity* modifier) {
    for (MemEntity* current = object; current;) {
        auto* derived = dynamic_cast<MemDerivedObject*>(current);
        if (!derived) {
            return false;
        }
        if (derived->HasModifier(modifier)) {
            return true;
        }
        current = &derived->base();
    }
    return false;
}

const MemMesh* BaseMesh(MemEntity& object) {
    MemEntity& base = BaseObject(object);
    if (const auto* tri = dynamic_cast<const MemTriObject*>(&base)) {
        return &tri->mesh();
    }
    if (const auto* geometry = dynamic_cast<const MemGeometry*>(&base)) {
        return &geometry->mesh();
    }
    return nullptr;
}

}  // namespace memhost
