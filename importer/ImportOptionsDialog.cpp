#include "importer/ImportOptionsDialog.h"

#include <array>

#include "importer/ImportOptions.h"

namespace tvx::importer {
namespace {

using hostapi::DialogControl;
using hostapi::DialogControlKind;

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

// The block being edited; valid only while the modal dialog is open.
ImportOptions* g_editedOptions = nullptr;

constexpr std::array<int, 3> kBoxes{IDC_IMPORT_BONES, IDC_IMPORT_ANIMATION, IDC_HIDE_BONES};

std::array<int*, 3> Fields(ImportOptions& options) {
    return {&options.importBones, &options.importAnimation, &options.hideBones};
}

void ShowOptions(hostapi::HWND dialog, ImportOptions& options) {
    const auto fields = Fields(options);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        (void)hostapi::SendDlgItemMessageW(dialog, kBoxes[i], hostapi::BM_SETCHECK,
                                           static_cast<hostapi::WPARAM>(static_cast<unsigned>(*fields[i])), 0);
    }
}

void StoreOptions(hostapi::HWND dialog, ImportOptions& options) {
    const auto fields = Fields(options);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
        *fields[i] = hostapi::IsDlgButtonChecked(dialog, kBoxes[i]) == hostapi::BST_CHECKED ? 1 : 0;
    }
}

}  // namespace

const hostapi::DialogTemplate& ImportOptionsTemplate() { return kTemplate; }

namespace {

hostapi::INT_PTR HandleMessage(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                               hostapi::LPARAM lParam) {
    if (message == hostapi::WM_INITDIALOG) {
        g_editedOptions = reinterpret_cast<ImportOptions*>(lParam);
        if (g_editedOptions != nullptr) {
            ShowOptions(dialog, *g_editedOptions);
        }
        hostapi::CenterWindow(dialog, hostapi::GetParent(dialog));
        return hostapi::TRUE;
    }
    if (message != hostapi::WM_COMMAND) {
        return hostapi::FALSE;
    }
    switch (hostapi::LOWORD(wParam)) {
    case hostapi::IDOK:
        if (g_editedOptions != nullptr) {
            // Read whole before it is kept, so a read that fails keeps none.
            ImportOptions chosen = *g_editedOptions;
            StoreOptions(dialog, chosen);
            *g_editedOptions = chosen;
        }
        (void)hostapi::EndDialog(dialog, 1);
        return hostapi::TRUE;
    case hostapi::IDCANCEL:
        (void)hostapi::EndDialog(dialog, 0);
        return hostapi::TRUE;
    default:
        return hostapi::FALSE;
    }
}

}  // namespace

hostapi::INT_PTR ImportOptionsDialogProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                         hostapi::LPARAM lParam) {
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // The host ran out of memory under the dialog: it ends as one that
        // could not be shown (-1), the options as they were.
        try {
            (void)hostapi::EndDialog(dialog, -1);
        } catch (...) {
        }
        return hostapi::TRUE;
    }
}

}  // namespace tvx::importer
