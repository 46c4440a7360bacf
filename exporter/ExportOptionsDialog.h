// The export options dialog: its template and its dialog procedure.
#pragma once

#include "hostapi/DialogTemplate.h"
#include "hostapi/Win32.h"

namespace tvx::exporter {

[[nodiscard]] const hostapi::DialogTemplate& ExportOptionsTemplate();

// Edits the ExportOptions passed as the initialisation parameter in the
// check boxes and the channel index box (pluginkit/OptionsDialog.h).
hostapi::INT_PTR ExportOptionsDlgProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                      hostapi::LPARAM lParam);

// The channel index the edit box's text stands for: its leading decimal
// number as atoi reads it (0 when there is none), 2 for an empty box.
[[nodiscard]] int MappingChannelFromText(const char* text);

}  // namespace tvx::exporter
