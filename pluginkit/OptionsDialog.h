// The options dialog procedure both plug-ins use, driven by a table of the
// controls that stand for fields of their options block.
//
// The block is passed as the dialog's initialisation parameter and shown in
// the controls; OK reads the controls into a copy, keeps the copy and ends
// the dialog with 1; Cancel (also the close box and Escape) ends it with 0
// and leaves the block alone. Anything thrown under the dialog (the host
// running out of memory) ends it as one that could not be shown (-1), the
// block as it was.
#pragma once

#include <cstdint>
#include <span>

#include "hostapi/Win32.h"

namespace tvx::pluginkit {

// A check box standing for one int of the options: 1 checked, 0 not.
template <class Options>
struct CheckBoxField {
    int control;
    std::int32_t Options::*field;
};

// An edit box standing for one int of the options: shown as its decimal
// text, read back through `fromText`.
template <class Options>
struct NumberBoxField {
    int control;
    std::int32_t Options::*field;
    int (*fromText)(const char* text);
};

template <class Options>
struct OptionsDialogFields {
    std::span<const CheckBoxField<Options>> checkBoxes;
    std::span<const NumberBoxField<Options>> numberBoxes = {};
};

void ShowCheckBox(hostapi::HWND dialog, int control, std::int32_t value);
[[nodiscard]] std::int32_t CheckBoxValue(hostapi::HWND dialog, int control);
void ShowNumber(hostapi::HWND dialog, int control, std::int32_t value);
// The box's text, read up to 128 characters.
[[nodiscard]] std::int32_t NumberValue(hostapi::HWND dialog, int control, int (*fromText)(const char*));
void EndAsNotShown(hostapi::HWND dialog) noexcept;

enum class DialogStep { Open, Accept, Cancel, Other };
[[nodiscard]] DialogStep StepOf(hostapi::UINT message, hostapi::WPARAM wParam);

template <class Options>
void ShowFields(hostapi::HWND dialog, const Options& options, const OptionsDialogFields<Options>& fields) {
    for (const CheckBoxField<Options>& box : fields.checkBoxes) {
        ShowCheckBox(dialog, box.control, options.*box.field);
    }
    for (const NumberBoxField<Options>& box : fields.numberBoxes) {
        ShowNumber(dialog, box.control, options.*box.field);
    }
}

template <class Options>
void StoreFields(hostapi::HWND dialog, Options& options, const OptionsDialogFields<Options>& fields) {
    for (const CheckBoxField<Options>& box : fields.checkBoxes) {
        options.*box.field = CheckBoxValue(dialog, box.control);
    }
    for (const NumberBoxField<Options>& box : fields.numberBoxes) {
        options.*box.field = NumberValue(dialog, box.control, box.fromText);
    }
}

template <class Options, const OptionsDialogFields<Options>& kFields>
hostapi::INT_PTR OptionsDialogProc(hostapi::HWND dialog, hostapi::UINT message, hostapi::WPARAM wParam,
                                   hostapi::LPARAM lParam) {
    // The block being edited; valid only while the modal dialog is open.
    static Options* edited = nullptr;
    try {
        switch (StepOf(message, wParam)) {
        case DialogStep::Open:
            edited = reinterpret_cast<Options*>(lParam);
            if (edited != nullptr) {
                ShowFields(dialog, *edited, kFields);
            }
            hostapi::CenterWindow(dialog, hostapi::GetParent(dialog));
            return hostapi::TRUE;
        case DialogStep::Accept:
            if (edited != nullptr) {
                // Read whole before it is kept, so a read that fails keeps none.
                Options chosen = *edited;
                StoreFields(dialog, chosen, kFields);
                *edited = chosen;
            }
            (void)hostapi::EndDialog(dialog, 1);
            return hostapi::TRUE;
        case DialogStep::Cancel:
            (void)hostapi::EndDialog(dialog, 0);
            return hostapi::TRUE;
        case DialogStep::Other:
            break;
        }
        return hostapi::FALSE;
    } catch (...) {
        EndAsNotShown(dialog);
        return hostapi::TRUE;
    }
}

}  // namespace tvx::pluginkit
