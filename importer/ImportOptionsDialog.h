// The import options dialog: its template and its dialog procedure.
#pragma once

#include "hostapi/DialogTemplate.h"
#include "hostapi/Win32.h"

namespace tvx::importer {

[[nodiscard]] const hostapi::DialogTemplate& ImportOptionsTemplate();

// Edits the ImportOptions block passed as the initialisation parameter in
// the check boxes (pluginkit/OptionsDialog.h).
hostapi::INT_PTR ImportOptionsDialogProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                         hostapi::LPARAM lParam);

}  // namespace tvx::importer
