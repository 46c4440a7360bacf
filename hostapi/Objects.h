// Objects that scene nodes show: triangle meshes, lights, cameras, bones
// (a plain Object with a parameter block), and derived objects that carry a
// modifier stack on top of another object.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Mesh.h"

namespace hostapi {

class Object : public Animatable {
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

// All values are set at a time; with animate mode off they are the
// object's constant values.
class GenLight : public Object {
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

class GenCamera : public Object {
public:
    // which: CAM_HITHER_CLIP or CAM_YON_CLIP.
    virtual void SetClipDist(TimeValue t, int which, float val) = 0;
    // Horizontal field of view in radians.
    virtual void SetFOV(TimeValue t, float f) = 0;
    // The clipping distances are applied.
    virtual void SetManualClip(int onOff) = 0;

protected:
    ~GenCamera() override = default;
};

class Modifier : public Animatable {
protected:
    ~Modifier() override = default;
};

// The host's per-application data of a modifier; plug-ins pass null.
class ModContext;

class IDerivedObject : public Object {
public:
    // before counts from the top of the stack: 0 puts mod on top.
    virtual void AddModifier(Modifier* mod, ModContext* mc = nullptr, int before = 0) = 0;

protected:
    ~IDerivedObject() override = default;
};

}  // namespace hostapi
