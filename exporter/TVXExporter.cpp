#include "exporter/TVXExporter.h"

#include <new>

#include "exporter/ExportFlow.h"

namespace tvx::exporter {

TVXExporter::~TVXExporter() { ClearScene(data.scene); }

int TVXExporter::ExtCount() { return 1; }
hostapi::LPCSTR TVXExporter::Ext(int n) { return n == 0 ? "TVX" : ""; }
hostapi::LPCSTR TVXExporter::LongDesc() { return "Tarvex Pro TVX File"; }
hostapi::LPCSTR TVXExporter::ShortDesc() { return "Tarvex Pro "; }
hostapi::LPCSTR TVXExporter::AuthorName() { return "The TVX plug-in developers"; }
hostapi::LPCSTR TVXExporter::CopyrightMessage() { return "Copyright the TVX plug-in developers"; }
hostapi::LPCSTR TVXExporter::OtherMessage1() { return ""; }
hostapi::LPCSTR TVXExporter::OtherMessage2() { return ""; }
unsigned int TVXExporter::Version() { return 300; }
void TVXExporter::ShowAbout(hostapi::HWND) {}

int TVXExporter::DoExport(hostapi::LPCSTR name, hostapi::ExpInterface* ei, hostapi::Interface* i,
                          hostapi::BOOL suppressPrompts, hostapi::DWORD options) {
    return GuardedExport(data, name, ei, i, suppressPrompts != hostapi::FALSE, options);
}

hostapi::BOOL TVXExporter::SupportsOptions(int, hostapi::DWORD options) {
    return options == hostapi::SCENE_EXPORT_SELECTED ? hostapi::TRUE : hostapi::FALSE;
}

int TVXClassDesc::IsPublic() { return 1; }
void* TVXClassDesc::Create(hostapi::BOOL) {
    return static_cast<hostapi::SceneExport*>(new (std::nothrow) TVXExporter);
}
hostapi::LPCSTR TVXClassDesc::ClassName() { return "TarvexPro"; }
hostapi::SClass_ID TVXClassDesc::SuperClassID() { return hostapi::SCENE_EXPORT_CLASS_ID; }
hostapi::Class_ID TVXClassDesc::ClassID() { return kTVXExporterClassID; }
hostapi::LPCSTR TVXClassDesc::Category() { return "Scene Export"; }

}  // namespace tvx::exporter
