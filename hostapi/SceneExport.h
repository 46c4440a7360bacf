// What an export plug-in offers its host: the class descriptor that creates
// the exporter, the exporter itself, and the library's entry points.
//
// The exporter is built against the host's older SDK (release 13000), in
// which text is narrow (WinTypes.h): its texts and the file name it is given
// are LPCSTR. The registration classes whose text differs from the
// importer's SDK live in namespace max2011 under their SDK names, beside the
// importer's wide ones. For SCENE_EXPORT_CLASS_ID, Create returns a
// SceneExport* (converted to void*); the host deletes it when done.
#pragma once

#include "hostapi/ExpInterface.h"
#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/SceneImport.h"
#include "hostapi/WinTypes.h"

namespace hostapi {

class Interface;

// The option bit of DoExport and SupportsOptions: export only the nodes the
// user has selected.
inline constexpr DWORD SCENE_EXPORT_SELECTED = 0x1;

class SceneExport : public MaxHeapOperators {
public:
    SceneExport() = default;
    SceneExport(const SceneExport&) = delete;
    SceneExport& operator=(const SceneExport&) = delete;
    virtual ~SceneExport() = default;

    virtual int ExtCount() = 0;
    // Extension n without the dot; never null.
    virtual LPCSTR Ext(int n) = 0;
    virtual LPCSTR LongDesc() = 0;
    virtual LPCSTR ShortDesc() = 0;
    virtual LPCSTR AuthorName() = 0;
    virtual LPCSTR CopyrightMessage() = 0;
    virtual LPCSTR OtherMessage1() = 0;
    virtual LPCSTR OtherMessage2() = 0;
    // Version times 100.
    virtual unsigned int Version() = 0;
    virtual void ShowAbout(HWND hWnd) = 0;
    // options: SCENE_EXPORT_SELECTED when the user asked for the selection
    // only. Nonzero when the arguments were usable; the outcome is told to
    // the user, not returned.
    virtual int DoExport(LPCSTR name, ExpInterface* ei, Interface* i, BOOL suppressPrompts = FALSE,
                         DWORD options = 0) = 0;
    // Whether the exporter honours the option bits for extension ext.
    virtual BOOL SupportsOptions(int ext, DWORD options) = 0;
};

namespace max2011 {

class ClassDesc {
public:
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual LPCSTR ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual LPCSTR Category() = 0;

protected:
    // Descriptors are static objects of the plug-in library.
    virtual ~ClassDesc() = default;
};

class ClassDesc2 : public ClassDesc {
protected:
    ~ClassDesc2() override = default;
};

// The SDK version an exporter reports from LibVersion: release 13000
// (3ds Max 2011), API 35, SDK revision 0.
inline constexpr ULONG VERSION_3DSMAX = (13000u << 16) | (35u << 8) | 0u;

// The entry points whose types differ from the importer's (the names to
// look them up by are those of SceneImport.h).
using LibDescriptionFn = LPCSTR (*)();
using LibClassDescFn = ClassDesc* (*)(int i);

}  // namespace max2011

}  // namespace hostapi
