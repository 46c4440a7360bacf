// The library's entry points, looked up by name by the host, and the library
// entry that runs when the library is loaded.
#include "hostapi/SceneImport.h"
#include "importer/TVXImporter.h"
#include "pluginkit/ModuleState.h"

#define TVX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

tvx::importer::TVXClassDesc g_classDesc;

}  // namespace

TVX_EXPORT hostapi::BOOL DllMain(hostapi::HINSTANCE module, hostapi::DWORD, hostapi::LPVOID) {
    tvx::pluginkit::EnterModule(module);
    return hostapi::TRUE;
}

TVX_EXPORT const hostapi::MCHAR* LibDescription() { return u"Tarvex Pro TVX Importer"; }
TVX_EXPORT int LibNumberClasses() { return 1; }
TVX_EXPORT hostapi::ClassDesc* LibClassDesc(int i) { return i == 0 ? &g_classDesc : nullptr; }
TVX_EXPORT hostapi::ULONG LibVersion() { return hostapi::VERSION_3DSMAX; }
TVX_EXPORT hostapi::ULONG CanAutoDefer() { return 0; }

namespace {

// What the host's loader does on Windows: the library entry, with the
// library's own handle, as soon as the library is loaded.
__attribute__((constructor)) void EnterLibrary() {
    (void)DllMain(tvx::pluginkit::ModuleContaining(reinterpret_cast<void*>(&EnterLibrary)), 1, nullptr);
}

}  // namespace
