#include "pluginkit/OptionsDialog.h"

#include <array>
#include <cstdio>

namespace tvx::pluginkit {
namespace {

constexpr int kNumberTextLength = 128;

}  // namespace

// The button messages carry no text, so the wide and narrow forms are one.
void ShowCheckBox(hostapi::HWND dialog, int control, std::int32_t value) {
    (void)hostapi::SendDlgItemMessageW(dialog, control, hostapi::BM_SETCHECK,
                                       static_cast<hostapi::WPARAM>(static_cast<std::uint32_t>(value)), 0);
}

std::int32_t CheckBoxValue(hostapi::HWND dialog, int control) {
    return hostapi::IsDlgButtonChecked(dialog, control) == hostapi::BST_CHECKED ? 1 : 0;
}

void ShowNumber(hostapi::HWND dialog, int control, std::int32_t value) {
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%d", value);
    (void)hostapi::SetDlgItemTextA(dialog, control, text.data());
}

std::int32_t NumberValue(hostapi::HWND dialog, int control, int (*fromText)(const char*)) {
    std::array<char, kNumberTextLength + 1> text{};
    (void)hostapi::GetDlgItemTextA(dialog, control, text.data(), static_cast<int>(text.size()));
    return fromText(text.data());
}

void EndAsNotShown(hostapi::HWND dialog) noexcept {
    try {
        (void)hostapi::EndDialog(dialog, -1);
    } catch (...) {
    }
}

DialogStep StepOf(hostapi::UINT message, hostapi::WPARAM wParam) {
    if (message == hostapi::WM_INITDIALOG) {
        return DialogStep::Open;
    }
    if (message != hostapi::WM_COMMAND) {
        return DialogStep::Other;
    }
    switch (hostapi::LOWORD(wParam)) {
    case hostapi::IDOK:
        return DialogStep::Accept;
    case hostapi::IDCANCEL:
        return DialogStep::Cancel;
    default:
        return DialogStep::Other;
    }
}

}  // namespace tvx::pluginkit
