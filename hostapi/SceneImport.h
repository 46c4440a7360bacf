// What an import plug-in offers its host: the class descriptor that creates
// the importer, the importer itself, and the library's entry points.
//
// The host loads the library, looks up the five entry points by name (C
// linkage), asks LibClassDesc(i) for each class, and creates the importer
// through its descriptor. For SCENE_IMPORT_CLASS_ID, Create returns a
// SceneImport* (converted to void*); the host deletes it when done.
#pragma once

#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/WinTypes.h"

namespace hostapi {

class ImpInterface;
class Interface;

// The host allocates plug-in classes on its own heap. There is one heap in
// a process here, so this only marks the classes that the SDK derives from
// it.
class MaxHeapOperators {};

class SceneImport : public MaxHeapOperators {
public:
    SceneImport() = default;
    SceneImport(const SceneImport&) = delete;
    SceneImport& operator=(const SceneImport&) = delete;
    virtual ~SceneImport() = default;

    virtual int ExtCount() = 0;
    // Extension n without the dot; never null.
    virtual const MCHAR* Ext(int n) = 0;
    virtual const MCHAR* LongDesc() = 0;
    virtual const MCHAR* ShortDesc() = 0;
    virtual const MCHAR* AuthorName() = 0;
    virtual const MCHAR* CopyrightMessage() = 0;
    virtual const MCHAR* OtherMessage1() = 0;
    virtual const MCHAR* OtherMessage2() = 0;
    // Version times 100.
    virtual unsigned int Version() = 0;
    virtual void ShowAbout(HWND hWnd) = 0;
    // Nonzero when the arguments were usable; the outcome of the import
    // itself is told to the user, not returned.
    virtual int DoImport(const MCHAR* name, ImpInterface* ii, Interface* i, BOOL suppressPrompts = FALSE) = 0;
    // ZOOMEXT_NOT_IMPLEMENTED leaves the zoom after an import to the host's
    // own preference.
    virtual int ZoomExtents() { return ZOOMEXT_NOT_IMPLEMENTED; }
};

class ClassDesc {
public:
    virtual int IsPublic() = 0;
    virtual void* Create(BOOL loading = FALSE) = 0;
    virtual const MCHAR* ClassName() = 0;
    virtual SClass_ID SuperClassID() = 0;
    virtual Class_ID ClassID() = 0;
    virtual const MCHAR* Category() = 0;

protected:
    // Descriptors are static objects of the plug-in library.
    virtual ~ClassDesc() = default;
};

class ClassDesc2 : public ClassDesc {
protected:
    ~ClassDesc2() override = default;
};

// The SDK version an importer reports from LibVersion: release 15000
// (3ds Max 2013), API 0x28, SDK revision 0.
inline constexpr ULONG VERSION_3DSMAX = (15000u << 16) | (0x28u << 8) | 0u;

// The library's entry points, as the host looks them up.
using LibDescriptionFn = const MCHAR* (*)();
using LibNumberClassesFn = int (*)();
using LibClassDescFn = ClassDesc* (*)(int i);
using LibVersionFn = ULONG (*)();
using CanAutoDeferFn = ULONG (*)();

inline constexpr const char* kLibDescriptionName = "LibDescription";
inline constexpr const char* kLibNumberClassesName = "LibNumberClasses";
inline constexpr const char* kLibClassDescName = "LibClassDesc";
inline constexpr const char* kLibVersionName = "LibVersion";
inline constexpr const char* kCanAutoDeferName = "CanAutoDefer";

}  // namespace hostapi
