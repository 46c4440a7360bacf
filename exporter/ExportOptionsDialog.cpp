#include "exporter/ExportOptionsDialog.h"

#include <algorithm>
#include <array>
#include <limits>
#include <cstdlib>

#include "fileformat/legacy/ExporterData.h"
#include "pluginkit/DialogIds.h"
#include "pluginkit/OptionsDialog.h"

namespace tvx::exporter {
namespace {

using hostapi::DialogControl;
using hostapi::DialogControlKind;
using Kind = DialogControlKind;
using namespace pluginkit;  // the control ids

constexpr std::array<DialogControl, 19> kControls{{
    {hostapi::IDOK, Kind::DefPushButton, u"OK", {145, 10, 50, 14}},
    {hostapi::IDCANCEL, Kind::PushButton, u"Cancel", {145, 27, 50, 14}},
    {hostapi::IDC_STATIC, Kind::GroupBox, u"Animation Options", {5, 5, 130, 40}},
    {IDC_EXPORT_BONES, Kind::AutoCheckBox, u"Export bones", {15, 20, 90, 9}},
    {IDC_EXPORT_ANIMATION, Kind::AutoCheckBox, u"Export animation", {15, 30, 90, 9}},
    {hostapi::IDC_STATIC, Kind::GroupBox, u"Vertex Color Options", {5, 50, 130, 40}},
    {IDC_EXPORT_COLOR, Kind::AutoCheckBox, u"Export color channel", {15, 65, 90, 9}},
    {IDC_EXPORT_ALPHA, Kind::AutoCheckBox, u"Export alpha channel", {15, 75, 90, 9}},
    {hostapi::IDC_STATIC, Kind::GroupBox, u"UVW Mapping Options", {5, 95, 130, 50}},
    {IDC_EXPORT_MAPPING, Kind::AutoCheckBox, u"Export mapping channel", {15, 110, 95, 9}},
    {hostapi::IDC_STATIC, Kind::LText, u"index:", {15, 126, 20, 8}},
    {IDC_MAPPING_INDEX, Kind::EditText, u"", {40, 124, 20, 12}},
    {hostapi::IDC_STATIC, Kind::LText, u"for uvset 2", {65, 126, 45, 8}},
    {hostapi::IDC_STATIC, Kind::GroupBox, u"Smoothing Group Options", {5, 150, 130, 30}},
    {IDC_REWELD_VERTICES, Kind::AutoCheckBox, u"Reweld vertices", {15, 166, 105, 9}},
    {hostapi::IDC_STATIC, Kind::GroupBox, u"Misc Options", {5, 185, 130, 50}},
    {IDC_SWAP_SCENE, Kind::AutoCheckBox, u"Swap scene", {15, 200, 90, 9}},
    {IDC_CENTER_SCENE, Kind::AutoCheckBox, u"Center scene", {15, 210, 90, 9}},
    {IDC_EXPORT_LEGACY, Kind::AutoCheckBox, u"Export as TVX v2.x", {15, 220, 90, 9}},
}};

constexpr hostapi::DialogTemplate kTemplate{
    IDD_EXPORT_OPTIONS,
    hostapi::DS_SETFONT | hostapi::DS_MODALFRAME | hostapi::WS_POPUP | hostapi::WS_CAPTION | hostapi::WS_SYSMENU,
    hostapi::LANG_ENGLISH_US,
    u"Tarvex Pro Exporter",
    u"MS Sans Serif",
    8,
    202,
    241,
    kControls};

// In the order the dialog sets and reads them.
constexpr std::array<pluginkit::CheckBoxField<ExportOptions>, 9> kBoxes{{
    {IDC_EXPORT_BONES, &ExportOptions::exportBones},
    {IDC_EXPORT_ANIMATION, &ExportOptions::exportAnimation},
    {IDC_EXPORT_COLOR, &ExportOptions::exportColorChannel},
    {IDC_EXPORT_ALPHA, &ExportOptions::exportAlphaChannel},
    {IDC_EXPORT_MAPPING, &ExportOptions::exportMappingChannel},
    {IDC_SWAP_SCENE, &ExportOptions::swapScene},
    {IDC_CENTER_SCENE, &ExportOptions::centerScene},
    {IDC_REWELD_VERTICES, &ExportOptions::reweldVertices},
    {IDC_EXPORT_LEGACY, &ExportOptions::exportLegacyLayout},
}};

constexpr std::array<pluginkit::NumberBoxField<ExportOptions>, 1> kNumbers{{
    {IDC_MAPPING_INDEX, &ExportOptions::mappingChannelIndex, MappingChannelFromText},
}};

constexpr pluginkit::OptionsDialogFields<ExportOptions> kFields{kBoxes, kNumbers};

}  // namespace

const hostapi::DialogTemplate& ExportOptionsTemplate() { return kTemplate; }

int MappingChannelFromText(const char* text) {
    if (text == nullptr || text[0] == '\0') {
        return 2;
    }
    // atoi's own reading, without its undefined result for numbers beyond
    // int: those stop at the int's ends.
    const long long value = std::strtoll(text, nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

hostapi::INT_PTR ExportOptionsDlgProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                      hostapi::LPARAM lParam) {
    return pluginkit::OptionsDialogProc<ExportOptions, kFields>(dialog, message, wParam, lParam);
}

}  // namespace tvx::exporter
