// The dialog and control ids of both plug-ins' options dialogs. The tvx
// command answers the dialogs by these ids, so they live in one place.
#pragma once

namespace tvx::pluginkit {

// The importer's dialog.
inline constexpr int IDD_IMPORT_OPTIONS = 40020;
inline constexpr int IDC_IMPORT_BONES = 40021;
inline constexpr int IDC_IMPORT_ANIMATION = 40022;
inline constexpr int IDC_HIDE_BONES = 40023;

// The exporter's dialog.
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

}  // namespace tvx::pluginkit
