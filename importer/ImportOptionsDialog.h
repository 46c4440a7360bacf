// The import options dialog: its template and its dialog procedure.
#pragma once

#include "hostapi/DialogTemplate.h"
#include "hostapi/Win32.h"

namespace tvx::importer {

inline constexpr int IDD_IMPORT_OPTIONS = 40020;
inline constexpr int IDC_IMPORT_BONES = 40021;
inline constexpr int IDC_IMPORT_ANIMATION = 40022;
inline constexpr int IDC_HIDE_BONES = 40023;

[[nodiscard]] const hostapi::DialogTemplate& ImportOptionsTemplate();

// Shows the ImportOptions block passed as the initialisation parameter in
// the check boxes; OK writes the boxes back and ends with 1, Cancel (also
// the close box and Escape) ends with 0 and leaves the block alone.
hostapi::INT_PTR ImportOptionsDialogProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                         hostapi::LPARAM lParam);

}  // namespace tvx::importer
