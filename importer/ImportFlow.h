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

}  // namespace tvx::importer
