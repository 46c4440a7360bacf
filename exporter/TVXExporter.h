// The exporter class the host creates for the "TVX" extension, and its class
// descriptor.
#pragma once

#include "fileformat/legacy/ExporterData.h"
#include "hostapi/SceneExport.h"

namespace tvx::exporter {

class TVXExporter : public hostapi::SceneExport {
public:
    ~TVXExporter() override;

    int ExtCount() override;
    hostapi::LPCSTR Ext(int n) override;
    hostapi::LPCSTR LongDesc() override;
    hostapi::LPCSTR ShortDesc() override;
    hostapi::LPCSTR AuthorName() override;
    hostapi::LPCSTR CopyrightMessage() override;
    hostapi::LPCSTR OtherMessage1() override;
    hostapi::LPCSTR OtherMessage2() override;
    unsigned int Version() override;
    void ShowAbout(hostapi::HWND hWnd) override;
    int DoExport(hostapi::LPCSTR name, hostapi::ExpInterface* ei, hostapi::Interface* i,
                 hostapi::BOOL suppressPrompts = hostapi::FALSE, hostapi::DWORD options = 0) override;
    hostapi::BOOL SupportsOptions(int ext, hostapi::DWORD options) override;

    // The options (the dialog edits them; they last as long as this
    // instance), the document a conversion fills, and the creator texts.
    TVXExporterData data;
};

class TVXClassDesc : public hostapi::max2011::ClassDesc2 {
public:
    int IsPublic() override;
    void* Create(hostapi::BOOL loading = hostapi::FALSE) override;
    hostapi::LPCSTR ClassName() override;
    hostapi::SClass_ID SuperClassID() override;
    hostapi::Class_ID ClassID() override;
    hostapi::LPCSTR Category() override;
};

inline constexpr hostapi::Class_ID kTVXExporterClassID{0x5A1B40B4, 0x4DDF55AA};

}  // namespace tvx::exporter
