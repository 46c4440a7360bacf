// The export options dialog: its template and its dialog procedure.
#pragma once

#include "hostapi/DialogTemplate.h"
#include "hostapi/Win32.h"

namespace tvx::exporter {

inline constexpr int IDD_EXPORT_OPTIONS = 101;
inline constexpr int IDC_EXPORT_BONES = 1000;
inline constexpr int IDC_EXPORT_ANIMATION = 1001;
inline constexpr int IDC_SWAP_SCENE = 1003;
inline constexpr int IDC_CENTER_SCENE = 1004;
inline constexpr int IDC_REWELD_VERTICES = 1006;
inline constexpr int IDC_EXPORT_COLOR = 1008;
inline constexpr int IDC_EXPORT_ALPHA = 1009;
inline constexpr int IDC_EXPORT_MAPPING = 1010;
inline constexpr int IDC_EXPORT_LEGACY = 1011;
inline constexpr int IDC_MAPPING_INDEX = 105;

[[nodiscard]] const hostapi::DialogTemplate& ExportOptionsTemplate();

// Shows the ExportOptions passed as the initialisation parameter; OK writes
// the check boxes and the channel index back and ends with 1, Cancel ends
// with 0 and leaves them alone.
hostapi::INT_PTR ExportOptionsDlgProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                      hostapi::LPARAM lParam);

// The channel index the edit box's text stands for: its leading decimal
// number as atoi reads it (0 when there is none), 2 for an empty box.
[[nodiscard]] int MappingChannelFromText(const char* text);

}  // namespace tvx::exporter
