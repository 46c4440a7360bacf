#include "memhost/MemPlatform.h"

#include <memory>
#include <string>

#include "memhost/Text.h"

namespace memhost {
namespace {

using hostapi::BOOL;
using hostapi::DialogControlKind;
using hostapi::HWND;
using hostapi::INT_PTR;
using hostapi::LPARAM;
using hostapi::LRESULT;
using hostapi::UINT;
using hostapi::WPARAM;

class MemControlWindow final : public MemWindow {
public:
    MemControlWindow(const hostapi::DialogControl& control, MemWindow* dialog)
        : MemWindow("control", dialog), id_(control.id), kind_(control.kind) {}

    int id() const { return id_; }
    bool isCheckBox() const { return kind_ == DialogControlKind::AutoCheckBox; }
    bool checked() const { return checked_; }
    void Toggle() { checked_ = !checked_; }

    // A button's answer to a message sent to it.
    LRESULT Receive(HostContext& context, UINT message, WPARAM wParam) {
        if (message == hostapi::BM_GETCHECK) {
            return checked_ ? hostapi::BST_CHECKED : hostapi::BST_UNCHECKED;
        }
        if (message == hostapi::BM_SETCHECK && isCheckBox()) {
            if (wParam != hostapi::BST_CHECKED && wParam != hostapi::BST_UNCHECKED) {
                context.Error("BM_SETCHECK: state " + std::to_string(wParam) + " on the two-state check box " +
                              std::to_string(id_));
            }
            checked_ = wParam != hostapi::BST_UNCHECKED;
        }
        return 0;
    }

private:
    int id_;
    DialogControlKind kind_;
    bool checked_ = false;
};

class MemDialogWindow final : public MemWindow {
public:
    MemDialogWindow(HostContext& context, const hostapi::DialogTemplate& dialog, MemWindow* owner,
                    DialogEvent& record)
        : MemWindow("dialog", owner), context_(context), record_(record) {
        for (const hostapi::DialogControl& control : dialog.controls) {
            controls_.push_back(std::make_unique<MemControlWindow>(control, this));
        }
    }

    LRESULT SendDlgItemMessageW(int item, UINT message, WPARAM wParam, LPARAM) override {
        MemControlWindow* control = Control(item);
        if (!control) {
            context_.Error("SendDlgItemMessageW: the dialog has no control " + std::to_string(item));
            return 0;
        }
        return control->Receive(context_, message, wParam);
    }

    BOOL EndDialog(INT_PTR result) override {
        record_.ended = true;
        record_.endResult = result;
        return hostapi::TRUE;
    }

    void CenterWindow(HWND parent) override {
        record_.centred = true;
        const auto* window = dynamic_cast<MemWindow*>(parent);
        record_.centredOver = window ? window->role() : std::string();
    }

    MemControlWindow* Control(int id) {
        // Unaddressed controls (group boxes) share IDC_STATIC and cannot be
        // reached by id.
        if (id == hostapi::IDC_STATIC) {
            return nullptr;
        }
        for (const auto& control : controls_) {
            if (control->id() == id) {
                return control.get();
            }
        }
        return nullptr;
    }

    std::vector<DialogCheck> Checks() const {
        std::vector<DialogCheck> checks;
        for (const auto& control : controls_) {
            if (control->isCheckBox()) {
                checks.push_back({control->id(), control->checked()});
            }
        }
        return checks;
    }

    // Sends a WM_COMMAND for a button, as a click on it does.
    INT_PTR Command(hostapi::DLGPROC proc, int id) {
        MemControlWindow* control = Control(id);
        const auto handle = control ? reinterpret_cast<LPARAM>(static_cast<HWND>(control)) : 0;
        return proc(this, hostapi::WM_COMMAND, hostapi::MAKEWPARAM(static_cast<hostapi::WORD>(id), hostapi::BN_CLICKED),
                    handle);
    }

private:
    HostContext& context_;
    DialogEvent& record_;
    std::vector<std::unique_ptr<MemControlWindow>> controls_;
};

void RunScript(HostContext& context, MemDialogWindow& dialog, hostapi::DLGPROC proc, const DialogScript& script,
               DialogEvent& record) {
    for (const DialogCheck& wanted : script.checks) {
        if (record.ended) {
            return;
        }
        MemControlWindow* control = dialog.Control(wanted.control);
        if (!control || !control->isCheckBox()) {
            context.Error("dialog script: the dialog has no check box " + std::to_string(wanted.control));
            continue;
        }
        if (control->checked() != wanted.checked) {
            control->Toggle();
            record.clicks.push_back(wanted.control);
            (void)dialog.Command(proc, wanted.control);
        }
    }
    if (record.ended) {
        return;
    }
    switch (script.answer) {
    case DialogAnswer::Ok:
        (void)dialog.Command(proc, hostapi::IDOK);
        break;
    case DialogAnswer::Cancel:
        (void)dialog.Command(proc, hostapi::IDCANCEL);
        break;
    case DialogAnswer::CloseBox:
        // The default handling of WM_CLOSE turns it into IDCANCEL.
        if (!proc(&dialog, hostapi::WM_CLOSE, 0, 0) && !record.ended) {
            (void)dialog.Command(proc, hostapi::IDCANCEL);
        }
        break;
    case DialogAnswer::FailToOpen:
        break;
    }
}

}  // namespace

std::string MemPlatform::RoleOf(HWND window) const {
    if (!window) {
        return {};
    }
    const auto* known = dynamic_cast<MemWindow*>(window);
    return known ? known->role() : std::string("foreign");
}

INT_PTR MemPlatform::DialogBoxParamW(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog, HWND owner,
                                     hostapi::DLGPROC proc, LPARAM initParam) {
    DialogEvent record;
    record.templateId = dialog ? dialog->id : 0;
    record.caption = dialog ? Utf16ToUtf8(dialog->caption) : std::string();
    record.owner = RoleOf(owner);
    record.moduleGiven = module != nullptr;
    if (!dialog || !proc) {
        context_.Error("DialogBoxParamW: no template or no dialog procedure");
    } else if (scripts_.empty()) {
        context_.Error("DialogBoxParamW: no script queued for dialog " + std::to_string(dialog->id));
    } else {
        const DialogScript script = std::move(scripts_.front());
        scripts_.pop_front();
        record.scripted = true;
        record.answer = script.answer;
        if (script.answer != DialogAnswer::FailToOpen) {
            MemDialogWindow window(context_, *dialog, dynamic_cast<MemWindow*>(owner), record);
            (void)proc(&window, hostapi::WM_INITDIALOG, 0, initParam);
            record.checksAfterInit = window.Checks();
            RunScript(context_, window, proc, script, record);
            record.checksAtEnd = window.Checks();
            if (record.ended) {
                record.returned = record.endResult;
            } else {
                context_.Error("DialogBoxParamW: the dialog procedure never ended dialog " +
                               std::to_string(dialog->id));
            }
        }
    }
    const INT_PTR returned = record.returned;
    context_.session.Add(std::move(record));
    return returned;
}

int MemPlatform::MessageBoxW(HWND owner, hostapi::LPCWSTR text, hostapi::LPCWSTR caption, UINT type) {
    MessageBoxEvent record{RoleOf(owner), Utf16ToUtf8(text), Utf16ToUtf8(caption), type, hostapi::IDOK};
    context_.session.Add(std::move(record));
    return hostapi::IDOK;
}

BOOL MemPlatform::SetCurrentDirectoryW(hostapi::LPCWSTR path) {
    const std::string utf8 = Utf16ToUtf8(path);
    const bool accepted = !utf8.empty();
    if (accepted) {
        context_.session.SetCurrentDirectory(utf8);
    }
    context_.session.Add(CurrentDirectoryEvent{utf8, accepted});
    return accepted ? hostapi::TRUE : hostapi::FALSE;
}

}  // namespace memhost
