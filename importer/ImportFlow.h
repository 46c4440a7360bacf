// The import as the host asks for it: load, report a failed load, ask for
// the options, build.
#pragma once

#include "hostapi/ImpInterface.h"
#include "hostapi/Interface.h"
#include "importer/ImportOptions.h"

namespace tvx::importer {

// 0 when a pointer is missing, else 1 whatever happened: the user has been
// told of a failed load, and a cancelled dialog builds nothing. `options`
// are the importer instance's; an accepted dialog updates them.
int RunImport(const hostapi::MCHAR* fileName, hostapi::ImpInterface* ii, hostapi::Interface* ip, bool suppressPrompts,
              ImportOptions& options);

// RunImport with nothing thrown past it, for the host's call. An import
// that ends by an exception (memory running out, in the plug-in or in the
// host) has put nothing into the scene; the user is told, with a text that
// needs no memory, and the result is 0.
int GuardedImport(const hostapi::MCHAR* fileName, hostapi::ImpInterface* ii, hostapi::Interface* ip,
                  bool suppressPrompts, ImportOptions& options) noexcept;

}  // namespace tvx::importer
