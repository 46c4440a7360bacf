// The host's core interface, handed to DoImport and DoExport: progress bar,
// creation of objects, materials and controllers by class, animation
// settings, user-interface colours, core interfaces and the platform.
//
// The host SDK spreads these over Interface and global functions; here they
// are all reached from the one Interface pointer a plug-in is given, so a
// plug-in library needs no link-time binding to its host.
//
// Every creation returns the new object, owned by the host, or null; a null
// result is the plug-in's cue to skip that item.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Materials.h"
#include "hostapi/Objects.h"
#include "hostapi/Win32.h"

namespace hostapi {

class Interface {
public:
    // Progress bar. fn is called once, with arg, when the bar starts.
    virtual BOOL ProgressStart(const MCHAR* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg) = 0;
    // title null keeps the current title.
    virtual void ProgressUpdate(int pct, BOOL showPct = TRUE, const MCHAR* title = nullptr) = 0;
    virtual void ProgressEnd() = 0;

    virtual void ForceCompleteRedraw(BOOL doDisabled = TRUE) = 0;

    // An instance of the class (superClassID, classID), or null when the
    // host has no such class. The result is of the type the super class
    // names: an Object for GEOMOBJECT_CLASS_ID, a Control for the
    // CTRL_..._CLASS_IDs, a Modifier for OSM_CLASS_ID, a Texmap for
    // TEXMAP_CLASS_ID; static_cast it to that type.
    [[nodiscard]] virtual Animatable* CreateInstance(SClass_ID superClassID, Class_ID classID) = 0;
    [[nodiscard]] virtual TriObject* CreateNewTriObject() = 0;
    // A derived object whose base is obj.
    [[nodiscard]] virtual IDerivedObject* CreateDerivedObject(Object* obj) = 0;
    [[nodiscard]] virtual MultiMtl* NewDefaultMultiMtl() = 0;
    [[nodiscard]] virtual StdMat* NewDefaultStdMat() = 0;
    [[nodiscard]] virtual BitmapTex* NewDefaultBitmapTex() = 0;
    // A core interface by id (MTLEDIT_INTERFACE gives an IMtlEditInterface),
    // or null when the host does not offer it.
    [[nodiscard]] virtual FPInterface* GetCOREInterface(Interface_ID id) = 0;

    // Animation settings.
    virtual void SetAnimRange(Interval range) = 0;
    virtual void SetFrameRate(int rate) = 0;
    virtual void SetTicksPerFrame(int ticks) = 0;
    virtual Interval GetAnimRange() = 0;
    virtual int GetFrameRate() = 0;
    virtual int GetTicksPerFrame() = 0;
    // Animate mode and set-key mode are suspended and resumed in pairs; a
    // resume restores what the matching suspend found. AnimateOff switches
    // animate mode off (changes then set values instead of making keys).
    virtual void SuspendAnimate() = 0;
    virtual void ResumeAnimate() = 0;
    virtual void AnimateOff() = 0;
    virtual void SuspendSetKeyMode() = 0;
    virtual void ResumeSetKeyMode() = 0;

    // A colour of the host's user interface by number, components 0 to 1.
    virtual Point3 GetUIColor(int which) = 0;

    virtual Platform& GetPlatform() = 0;

protected:
    virtual ~Interface() = default;
};

}  // namespace hostapi
