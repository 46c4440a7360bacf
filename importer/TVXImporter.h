// The importer class the host creates for the "TVX" extension, and its class
// descriptor.
#pragma once

#include "hostapi/SceneImport.h"
#include "importer/ImportOptions.h"

namespace tvx::importer {

class TVXImporter : public hostapi::SceneImport {
public:
    int ExtCount() override;
    const hostapi::MCHAR* Ext(int n) override;
    const hostapi::MCHAR* LongDesc() override;
    const hostapi::MCHAR* ShortDesc() override;
    const hostapi::MCHAR* AuthorName() override;
    const hostapi::MCHAR* CopyrightMessage() override;
    const hostapi::MCHAR* OtherMessage1() override;
    const hostapi::MCHAR* OtherMessage2() override;
    unsigned int Version() override;
    void ShowAbout(hostapi::HWND hWnd) override;
    int DoImport(const hostapi::MCHAR* name, hostapi::ImpInterface* ii, hostapi::Interface* i,
                 hostapi::BOOL suppressPrompts = hostapi::FALSE) override;

    // The dialog edits these; they last as long as this instance.
    ImportOptions options;
};

class TVXClassDesc : public hostapi::ClassDesc2 {
public:
    int IsPublic() override;
    void* Create(hostapi::BOOL loading = hostapi::FALSE) override;
    const hostapi::MCHAR* ClassName() override;
    hostapi::SClass_ID SuperClassID() override;
    hostapi::Class_ID ClassID() override;
    const hostapi::MCHAR* Category() override;
};

inline constexpr hostapi::Class_ID kTVXImporterClassID{0x30DC7F56, 0x762829A1};

}  // namespace tvx::importer
