#include "importer/ImportOptionsDialog.h"

#include <array>

#include "importer/ImportOptions.h"
#include "pluginkit/DialogIds.h"
#include "pluginkit/OptionsDialog.h"

namespace tvx::importer {
namespace {

using hostapi::DialogControl;
using hostapi::DialogControlKind;
using namespace pluginkit;  // the control ids

constexpr std::array<DialogControl, 7> kControls{{
    {hostapi::IDOK, DialogControlKind::DefPushButton, u"OK", {145, 10, 50, 14}},
    {hostapi::IDCANCEL, DialogControlKind::PushButton, u"Cancel", {145, 27, 50, 14}},
    {hostapi::IDC_STATIC, DialogControlKind::GroupBox, u"Animation Options", {5, 5, 130, 40}},
    {IDC_IMPORT_BONES, DialogControlKind::AutoCheckBox, u"Import bones", {15, 20, 90, 9}},
    {IDC_IMPORT_ANIMATION, DialogControlKind::AutoCheckBox, u"Import animation", {15, 30, 90, 9}},
    {hostapi::IDC_STATIC, DialogControlKind::GroupBox, u"Misc Options", {5, 50, 130, 30}},
    {IDC_HIDE_BONES, DialogControlKind::AutoCheckBox, u"Hide bones", {15, 65, 90, 8}},
}};

constexpr hostapi::DialogTemplate kTemplate{
    IDD_IMPORT_OPTIONS,
    hostapi::DS_SETFONT | hostapi::DS_MODALFRAME | hostapi::WS_POPUP | hostapi::WS_CAPTION | hostapi::WS_SYSMENU,
    hostapi::LANG_ENGLISH_US,
    u"Tarvex Pro Importer",
    u"MS Sans Serif",
    8,
    202,
    85,
    kControls};

constexpr std::array<pluginkit::CheckBoxField<ImportOptions>, 3> kBoxes{{
    {IDC_IMPORT_BONES, &ImportOptions::importBones},
    {IDC_IMPORT_ANIMATION, &ImportOptions::importAnimation},
    {IDC_HIDE_BONES, &ImportOptions::hideBones},
}};

constexpr pluginkit::OptionsDialogFields<ImportOptions> kFields{kBoxes};

}  // namespace

const hostapi::DialogTemplate& ImportOptionsTemplate() { return kTemplate; }

hostapi::INT_PTR ImportOptionsDialogProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                         hostapi::LPARAM lParam) {
    return pluginkit::OptionsDialogProc<ImportOptions, kFields>(dialog, message, wParam, lParam);
}

}  // namespace tvx::importer
