// The objects a node can show: triangle mesh, light, camera, bone, and the
// derived object that carries a modifier stack over another object.
//
// Values set "at a time" are the objects' constant values: the stand-in
// host does not animate object parameters.
#pragma once

#include <array>
#include <vector>

#include "hostapi/HostConstants.h"
#include "hostapi/Objects.h"
#include "memhost/HostContext.h"
#include "memhost/MemMesh.h"

namespace memhost {

class MemTriObject final : public MemAnimatable<hostapi::TriObject> {
public:
    MemTriObject(HostContext& context, int id) : MemAnimatable(context, id), mesh_(context) {}

    hostapi::Class_ID ClassID() override { return hostapi::triObjectClassID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEOMOBJECT_CLASS_ID; }
    hostapi::Mesh& GetMesh() override { return mesh_; }

    const MemMesh& mesh() const { return mesh_; }
    MemMesh& mesh() { return mesh_; }

private:
    MemMesh mesh_;
};

class MemLight final : public MemAnimatable<hostapi::GenLight> {
public:
    MemLight(HostContext& context, int id, int type) : MemAnimatable(context, id), type_(type) {}

    hostapi::Class_ID ClassID() override;
    hostapi::SClass_ID SuperClassID() override { return hostapi::LIGHT_CLASS_ID; }
    void SetRGBColor(hostapi::TimeValue t, const hostapi::Point3& rgb) override;
    void SetIntensity(hostapi::TimeValue t, float f) override;
    void SetHotspot(hostapi::TimeValue t, float f) override;
    void SetFallsize(hostapi::TimeValue t, float f) override;
    void SetAtten(hostapi::TimeValue t, int which, float f) override;
    void SetUseLight(int onOff) override { useLight_ = onOff != 0; }
    void SetUseAtten(int onOff) override { useAtten_ = onOff != 0; }

    int type() const { return type_; }
    hostapi::Point3 color() const { return color_; }
    float intensity() const { return intensity_; }
    float hotspot() const { return hotspot_; }
    float falloff() const { return falloff_; }
    // By which: near start, near end, far start, far end.
    const std::array<float, 4>& attenuation() const { return attenuation_; }
    bool useLight() const { return useLight_; }
    bool useAtten() const { return useAtten_; }

private:
    int type_;
    hostapi::Point3 color_{1.0f, 1.0f, 1.0f};
    float intensity_ = 1.0f;
    float hotspot_ = 43.0f;
    float falloff_ = 45.0f;
    std::array<float, 4> attenuation_{0.0f, 40.0f, 80.0f, 200.0f};
    bool useLight_ = false;
    bool useAtten_ = false;
};

class MemCamera final : public MemAnimatable<hostapi::GenCamera> {
public:
    MemCamera(HostContext& context, int id, int type) : MemAnimatable(context, id), type_(type) {}

    hostapi::Class_ID ClassID() override;
    hostapi::SClass_ID SuperClassID() override { return hostapi::CAMERA_CLASS_ID; }
    void SetClipDist(hostapi::TimeValue t, int which, float val) override;
    void SetFOV(hostapi::TimeValue t, float f) override;
    void SetManualClip(int onOff) override { manualClip_ = onOff != 0; }

    int type() const { return type_; }
    float fov() const { return fov_; }
    // Near (hither), far (yon).
    const std::array<float, 2>& clip() const { return clip_; }
    bool manualClip() const { return manualClip_; }

private:
    int type_;
    float fov_ = 0.7853982f;
    std::array<float, 2> clip_{1.0f, 1000.0f};
    bool manualClip_ = false;
};

// The bone object's parameters. Its block has four float parameters; the
// ids are the host's.
class MemBoneParams final : public hostapi::IParamBlock2 {
public:
    static constexpr hostapi::ParamID kWidth = 0;
    static constexpr hostapi::ParamID kHeight = 1;
    static constexpr hostapi::ParamID kTaper = 2;
    static constexpr hostapi::ParamID kLength = hostapi::BONE_OBJ_LENGTH;
    static constexpr int kCount = 4;

    explicit MemBoneParams(HostContext& context) : context_(context) {}
    ~MemBoneParams() override = default;

    hostapi::BOOL SetValue(hostapi::ParamID id, hostapi::TimeValue t, float v, int tabIndex) override;

    float value(hostapi::ParamID id) const { return values_[static_cast<unsigned>(id)]; }
    // Which parameters a plug-in has set.
    bool wasSet(hostapi::ParamID id) const { return set_[static_cast<unsigned>(id)]; }

private:
    HostContext& context_;
    std::array<float, kCount> values_{10.0f, 10.0f, 0.9f, 10.0f};
    std::array<bool, kCount> set_{};
};

class MemBoneObject final : public MemAnimatable<hostapi::Object> {
public:
    MemBoneObject(HostContext& context, int id) : MemAnimatable(context, id), params_(context) {}

    hostapi::Class_ID ClassID() override { return hostapi::BONE_OBJ_CLASSID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEOMOBJECT_CLASS_ID; }
    hostapi::IParamBlock2* GetParamBlock(int i) override { return i == 0 ? &params_ : nullptr; }

    const MemBoneParams& params() const { return params_; }
    float length() const { return params_.value(MemBoneParams::kLength); }

private:
    MemBoneParams params_;
};

// One AddModifier call, as the derived object saw it.
struct ModifierAddition {
    int modifier = -1;
    int position = 0;
    bool withContext = false;
    // Whether A_LOCK_TARGET was set on the derived object during the call.
    bool lockTarget = false;
};

class MemDerivedObject final : public MemAnimatable<hostapi::IDerivedObject> {
public:
    MemDerivedObject(HostContext& context, int id, MemEntity& base)
        : MemAnimatable(context, id), base_(&base) {}

    hostapi::Class_ID ClassID() override { return hostapi::derivObjClassID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEN_DERIVOB_CLASS_ID; }
    void AddModifier(hostapi::Modifier* mod, hostapi::ModContext* mc, int before) override;

    // The object the stack works on.
    MemEntity& base() const { return *base_; }
    // The modifiers, top of the stack first.
    const std::vector<MemEntity*>& modifiers() const { return modifiers_; }
    bool HasModifier(const MemEntity* modifier) const;
    const std::vector<ModifierAddition>& additions() const { return additions_; }

private:
    MemEntity* base_;
    std::vector<MemEntity*> modifiers_;
    std::vector<ModifierAddition> additions_;
};

// The object at the bottom of an object's derived-object chain.
MemEntity& BaseObject(MemEntity& object);

}  // namespace memhost
