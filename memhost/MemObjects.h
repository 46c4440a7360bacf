// The objects a node can show: triangle mesh, light, camera, bone, other
// geometry, helpers and targets, and the derived object that carries a
// modifier stack over another object.
//
// Values set "at a time" are the objects' constant values: the stand-in
// host does not animate object parameters, so a light's or camera's state
// is the same at every time.
//
// Conversion to a triangle mesh: a triangle object is its own conversion.
// Every other object that has geometry (bones, other geometry, and lights
// or cameras given a mesh) converts to a new triangle object, made for the
// caller and kept in the host's list of conversions, outside the scene; the
// caller ends it with DeleteThis, which frees its mesh. Helpers, targets
// and lights or cameras without a mesh do not convert. A derived object
// converts as the object at the bottom of its stack does.
#pragma once

#include <array>
#include <memory>
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
    int CanConvertToType(hostapi::Class_ID obtype) override { return obtype == hostapi::triObjectClassID; }
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;
    void DeleteThis() override;
    hostapi::Mesh& GetMesh() override { return mesh_; }

    const MemMesh& mesh() const { return mesh_; }
    MemMesh& mesh() { return mesh_; }

    // For a conversion's result: the id of the scene object it was made
    // from, and whether the caller has ended it. -1 for a scene object.
    int conversionOf() const { return conversionOf_; }
    bool deleted() const { return deleted_; }
    void MarkConversionOf(int objectId) { conversionOf_ = objectId; }

private:
    MemMesh mesh_;
    int conversionOf_ = -1;
    bool deleted_ = false;
};

// A mesh that an object converts to, for objects that are not meshes
// themselves.
class ConvertibleMesh {
public:
    bool has() const { return mesh_ != nullptr; }
    // Null when the object has none.
    const MemMesh* get() const { return mesh_.get(); }
    void Set(std::unique_ptr<MemMesh> mesh) { mesh_ = std::move(mesh); }

private:
    std::unique_ptr<MemMesh> mesh_;
};

class MemLight final : public MemAnimatable<hostapi::GenLight> {
public:
    MemLight(HostContext& context, int id, int type) : MemAnimatable(context, id), type_(type) {}

    hostapi::Class_ID ClassID() override;
    hostapi::SClass_ID SuperClassID() override { return hostapi::LIGHT_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID obtype) override;
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;
    hostapi::RefResult EvalLightState(hostapi::TimeValue t, hostapi::Interval& valid,
                                      hostapi::LightState* ls) override;
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
    // An omni light that lights only the ambient term.
    bool ambientOnly() const { return ambientOnly_; }
    void SetAmbientOnly(bool on) { ambientOnly_ = on; }
    ConvertibleMesh& convertible() { return mesh_; }
    const ConvertibleMesh& convertible() const { return mesh_; }

private:
    int type_;
    hostapi::Point3 color_{1.0f, 1.0f, 1.0f};
    float intensity_ = 1.0f;
    float hotspot_ = 43.0f;
    float falloff_ = 45.0f;
    std::array<float, 4> attenuation_{0.0f, 40.0f, 80.0f, 200.0f};
    bool useLight_ = false;
    bool useAtten_ = false;
    bool ambientOnly_ = false;
    ConvertibleMesh mesh_;
};

class MemCamera final : public MemAnimatable<hostapi::GenCamera> {
public:
    MemCamera(HostContext& context, int id, int type) : MemAnimatable(context, id), type_(type) {}

    hostapi::Class_ID ClassID() override;
    hostapi::SClass_ID SuperClassID() override { return hostapi::CAMERA_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID obtype) override;
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;
    hostapi::RefResult EvalCameraState(hostapi::TimeValue t, hostapi::Interval& valid,
                                       hostapi::CameraState* cs) override;
    void SetClipDist(hostapi::TimeValue t, int which, float val) override;
    void SetFOV(hostapi::TimeValue t, float f) override;
    void SetManualClip(int onOff) override { manualClip_ = onOff != 0; }
    void SetEnvRange(hostapi::TimeValue t, int which, float f) override;

    int type() const { return type_; }
    float fov() const { return fov_; }
    // Near (hither), far (yon).
    const std::array<float, 2>& clip() const { return clip_; }
    bool manualClip() const { return manualClip_; }
    // The environment range: near, far.
    const std::array<float, 2>& envRange() const { return envRange_; }
    void SetEnvRange(float nearRange, float farRange) { envRange_ = {nearRange, farRange}; }
    ConvertibleMesh& convertible() { return mesh_; }
    const ConvertibleMesh& convertible() const { return mesh_; }

private:
    int type_;
    float fov_ = 0.7853982f;
    std::array<float, 2> clip_{1.0f, 1000.0f};
    bool manualClip_ = false;
    std::array<float, 2> envRange_{0.0f, 1000.0f};
    ConvertibleMesh mesh_;
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
    // Setting a value outside a plug-in (a host-scene file); not counted as
    // set by a plug-in.
    void Load(hostapi::ParamID id, float v) { values_[static_cast<unsigned>(id)] = v; }

private:
    HostContext& context_;
    std::array<float, kCount> values_{10.0f, 10.0f, 0.9f, 10.0f};
    std::array<bool, kCount> set_{};
};

// Its geometry is a box along x from the node's origin to its length,
// width along y and height along z, the far end narrowed by the taper
// (0 none, 1 to a point).
class MemBoneObject final : public MemAnimatable<hostapi::Object> {
public:
    MemBoneObject(HostContext& context, int id) : MemAnimatable(context, id), params_(context) {}

    hostapi::Class_ID ClassID() override { return hostapi::BONE_OBJ_CLASSID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEOMOBJECT_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID obtype) override { return obtype == hostapi::triObjectClassID; }
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;
    hostapi::IParamBlock2* GetParamBlock(int i) override { return i == 0 ? &params_ : nullptr; }

    const MemBoneParams& params() const { return params_; }
    MemBoneParams& params() { return params_; }
    float length() const { return params_.value(MemBoneParams::kLength); }

private:
    MemBoneParams params_;
};

// Geometry of any other class (a biped's body part, a primitive, an
// editable poly), held as the mesh it converts to.
class MemGeometry final : public MemAnimatable<hostapi::Object> {
public:
    MemGeometry(HostContext& context, int id, hostapi::Class_ID classId)
        : MemAnimatable(context, id), classId_(classId), mesh_(context) {}

    hostapi::Class_ID ClassID() override { return classId_; }
    hostapi::Class_ID classId() const { return classId_; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEOMOBJECT_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID obtype) override { return obtype == hostapi::triObjectClassID; }
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;

    const MemMesh& mesh() const { return mesh_; }
    MemMesh& mesh() { return mesh_; }

private:
    hostapi::Class_ID classId_;
    MemMesh mesh_;
};

// A helper object (a dummy, a point, an old-style bone): no geometry.
class MemHelper final : public MemAnimatable<hostapi::Object> {
public:
    MemHelper(HostContext& context, int id, hostapi::Class_ID classId)
        : MemAnimatable(context, id), classId_(classId) {}

    hostapi::Class_ID ClassID() override { return classId_; }
    hostapi::Class_ID classId() const { return classId_; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::HELPER_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID) override { return 0; }
    hostapi::Object* ConvertToType(hostapi::TimeValue, hostapi::Class_ID) override { return nullptr; }

private:
    hostapi::Class_ID classId_;
};

// The target a target light or camera looks at.
class MemTarget final : public MemAnimatable<hostapi::Object> {
public:
    MemTarget(HostContext& context, int id) : MemAnimatable(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::TARGET_CLASS_ID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEOMOBJECT_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID) override { return 0; }
    hostapi::Object* ConvertToType(hostapi::TimeValue, hostapi::Class_ID) override { return nullptr; }
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
    // One whose stack a host-scene reader sets with Load; until then it
    // stands on itself, and nothing may walk its chain.
    MemDerivedObject(HostContext& context, int id) : MemAnimatable(context, id), base_(this) {}

    hostapi::Class_ID ClassID() override { return hostapi::derivObjClassID; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::GEN_DERIVOB_CLASS_ID; }
    int CanConvertToType(hostapi::Class_ID obtype) override;
    hostapi::Object* ConvertToType(hostapi::TimeValue t, hostapi::Class_ID obtype) override;
    void AddModifier(hostapi::Modifier* mod, hostapi::ModContext* mc, int before) override;
    int NumModifiers() override { return static_cast<int>(modifiers_.size()); }
    hostapi::Modifier* GetModifier(int index) override;
    hostapi::Object* GetObjRef() override { return dynamic_cast<hostapi::Object*>(base_); }

    // The object the stack works on.
    MemEntity& base() const { return *base_; }
    // The modifiers, top of the stack first.
    const std::vector<MemEntity*>& modifiers() const { return modifiers_; }
    bool HasModifier(const MemEntity* modifier) const;
    const std::vector<ModifierAddition>& additions() const { return additions_; }
    // Setting the stack up outside a plug-in (a host-scene file), top first;
    // the caller makes sure the base chain has no loop.
    void Load(MemEntity& base, std::vector<MemEntity*> modifiers) {
        base_ = &base;
        modifiers_ = std::move(modifiers);
    }

private:
    MemEntity* base_;
    std::vector<MemEntity*> modifiers_;
    std::vector<ModifierAddition> additions_;
};

// The object at the bottom of an object's derived-object chain.
MemEntity& BaseObject(MemEntity& object);

// The derived objects of a node's object chain carry modifier.
bool ChainHasModifier(MemEntity* object, const MemEntity* modifier);

// The mesh of an object's base: its own mesh for a triangle object or other
// geometry, null for anything else.
const MemMesh* BaseMesh(MemEntity& object);

}  // namespace memhost
