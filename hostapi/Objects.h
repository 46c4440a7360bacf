// Objects that scene nodes show: triangle meshes, lights, cameras, bones
// (a plain Object with a parameter block), helpers, and derived objects that
// carry a modifier stack on top of another object.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Mesh.h"

namespace hostapi {

class Object : public Animatable {
public:
    // Nonzero when the object can give itself as an object of class obtype
    // (triObjectClassID: a triangle mesh).
    virtual int CanConvertToType(Class_ID obtype) = 0;
    // The object as class obtype at time t, or null. A triangle object
    // converts to itself; any other object gives a new object that belongs
    // to the caller, who ends it with DeleteThis once done with it.
    [[nodiscard]] virtual Object* ConvertToType(TimeValue t, Class_ID obtype) = 0;

protected:
    ~Object() override = default;
};

// What evaluating a node's pipeline gives: the object at the top of it.
struct ObjectState {
    Object* obj = nullptr;
};

class TriObject : public Object {
public:
    virtual Mesh& GetMesh() = 0;

protected:
    ~TriObject() override = default;
};

// A light's values at one time, as EvalLightState gives them.
struct LightState {
    LightType type = OMNI_LGT;
    Color color{1.0f, 1.0f, 1.0f};
    // The multiplier.
    float intens = 1.0f;
    // Cone angles of a spot, degrees.
    float hotsize = 0.0f;
    float fallsize = 0.0f;
    // The far attenuation range.
    float attenStart = 0.0f;
    float attenEnd = 0.0f;
};

class LightObject : public Object {
public:
    // Fills *ls with the light's values at t and narrows valid to the time
    // they hold for. REF_FAIL (and *ls untouched) for a null ls.
    virtual RefResult EvalLightState(TimeValue t, Interval& valid, LightState* ls) = 0;

protected:
    ~LightObject() override = default;
};

// All values are set at a time; with animate mode off they are the
// object's constant values.
class GenLight : public LightObject {
public:
    virtual void SetRGBColor(TimeValue t, const Point3& rgb) = 0;
    virtual void SetIntensity(TimeValue t, float f) = 0;
    virtual void SetHotspot(TimeValue t, float f) = 0;
    virtual void SetFallsize(TimeValue t, float f) = 0;
    // which: ATTEN1_START, ATTEN1_END, ATTEN_START or ATTEN_END.
    virtual void SetAtten(TimeValue t, int which, float f) = 0;
    // The light shines (off: it is in the scene but lights nothing).
    virtual void SetUseLight(int onOff) = 0;
    // The far attenuation range is applied.
    virtual void SetUseAtten(int onOff) = 0;

protected:
    ~GenLight() override = default;
};

// A camera's values at one time, as EvalCameraState gives them.
struct CameraState {
    // Horizontal field of view, radians.
    float fov = 0.0f;
    // The clipping planes, and whether they are applied.
    BOOL manualClip = FALSE;
    float hither = 0.0f;
    float yon = 0.0f;
    // The environment range (the near and far distances of atmospheric
    // effects), which is not the clipping.
    float nearRange = 0.0f;
    float farRange = 0.0f;
};

class CameraObject : public Object {
public:
    // As LightObject::EvalLightState.
    virtual RefResult EvalCameraState(TimeValue t, Interval& valid, CameraState* cs) = 0;

protected:
    ~CameraObject() override = default;
};

class GenCamera : public CameraObject {
public:
    // which: CAM_HITHER_CLIP or CAM_YON_CLIP.
    virtual void SetClipDist(TimeValue t, int which, float val) = 0;
    // Horizontal field of view in radians.
    virtual void SetFOV(TimeValue t, float f) = 0;
    // The clipping distances are applied.
    virtual void SetManualClip(int onOff) = 0;
    // which: ENV_NEAR_RANGE or ENV_FAR_RANGE.
    virtual void SetEnvRange(TimeValue t, int which, float f) = 0;

protected:
    ~GenCamera() override = default;
};

class Modifier : public Animatable {
protected:
    ~Modifier() override = default;
};

// The host's per-application data of a modifier; plug-ins pass null.
class ModContext;

// Its SuperClassID is GEN_DERIVOB_CLASS_ID, which is how a walk down a
// node's object references (INode::GetObjectRef, then GetObjRef) tells a
// derived object from the object at the bottom.
class IDerivedObject : public Object {
public:
    // before counts from the top of the stack: 0 puts mod on top.
    virtual void AddModifier(Modifier* mod, ModContext* mc = nullptr, int before = 0) = 0;
    virtual int NumModifiers() = 0;
    // Modifier index (0 is the top of the stack), or null out of range.
    virtual Modifier* GetModifier(int index) = 0;
    // The object the stack works on: the base object or another derived
    // object.
    virtual Object* GetObjRef() = 0;

protected:
    ~IDerivedObject() override = default;
};

}  // namespace hostapi
