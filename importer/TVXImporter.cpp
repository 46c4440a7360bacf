#include "importer/TVXImporter.h"

#include <new>

#include "importer/ImportFlow.h"

namespace tvx::importer {

int TVXImporter::ExtCount() { return 1; }
const hostapi::MCHAR* TVXImporter::Ext(int n) { return n == 0 ? u"TVX" : u""; }
const hostapi::MCHAR* TVXImporter::LongDesc() { return u"Tarvex Pro TVX File"; }
const hostapi::MCHAR* TVXImporter::ShortDesc() { return u"Tarvex Pro"; }
const hostapi::MCHAR* TVXImporter::AuthorName() { return u"The TVX plug-in developers"; }
const hostapi::MCHAR* TVXImporter::CopyrightMessage() { return u"Copyright the TVX plug-in developers"; }
const hostapi::MCHAR* TVXImporter::OtherMessage1() { return u""; }
const hostapi::MCHAR* TVXImporter::OtherMessage2() { return u""; }
unsigned int TVXImporter::Version() { return 300; }
void TVXImporter::ShowAbout(hostapi::HWND) {}

int TVXImporter::DoImport(const hostapi::MCHAR* name, hostapi::ImpInterface* ii, hostapi::Interface* i,
                          hostapi::BOOL suppressPrompts) {
    return GuardedImport(name, ii, i, suppressPrompts != hostapi::FALSE, options);
}

int TVXClassDesc::IsPublic() { return 1; }
void* TVXClassDesc::Create(hostapi::BOOL) {
    return static_cast<hostapi::SceneImport*>(new (std::nothrow) TVXImporter);
}
const hostapi::MCHAR* TVXClassDesc::ClassName() { return u"TarvexPro"; }
hostapi::SClass_ID TVXClassDesc::SuperClassID() { return hostapi::SCENE_IMPORT_CLASS_ID; }
hostapi::Class_ID TVXClassDesc::ClassID() { return kTVXImporterClassID; }
const hostapi::MCHAR* TVXClassDesc::Category() { return u"Scene Import"; }

}  // namespace tvx::importer
