// The export as the host asks for it: the options dialog, the conversion of
// the host scene into the document, the save, and one message saying how
// it went.
#pragma once

#include <filesystem>

#include "fileformat/legacy/ExporterData.h"
#include "hostapi/ExpInterface.h"
#include "hostapi/Interface.h"

namespace tvx::exporter {

// 0 when a pointer is missing, else 1 whatever happened (the user has been
// told). The document is empty again afterwards; the options keep what an
// accepted dialog set.
int RunExport(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::ExpInterface* ei, hostapi::Interface* ip,
              bool suppressPrompts, hostapi::DWORD optionBits);

// RunExport with nothing thrown past it, for the host's call. An export
// that ends by an exception (memory running out in the host, outside the
// conversion's and the save's own handling) is told with a text that needs
// no memory, gives 0 and leaves the document empty. The target is replaced
// only by a complete file, so it then holds what it held before, or the
// whole new file when nothing but the closing message failed.
int GuardedExport(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::ExpInterface* ei, hostapi::Interface* ip,
                  bool suppressPrompts, hostapi::DWORD optionBits) noexcept;

// Applies the chosen transforms and writes the document through a
// temporary file from the host into the target. Nonzero when the target
// was written; failures to make or open the temporary file are told to the
// user.
int SaveDocument(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::Platform& platform);

}  // namespace tvx::exporter
