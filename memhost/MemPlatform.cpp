#include "memhost/MemPlatform.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

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

// Copies up to max - 1 characters of utf8, as Latin-1, and a zero.
hostapi::UINT CopyNarrow(const std::string& utf8, hostapi::LPSTR text, int max) {
    if (!text || max < 1) {
        return 0;
    }
    const std::string narrow = Utf8ToLatin1(utf8);
    const std::size_t count = std::min(narrow.size(), static_cast<std::size_t>(max) - 1);
    std::memcpy(text, narrow.data(), count);
    text[count] = '\0';
    return static_cast<hostapi::UINT>(count);
}

class MemControlWindow final : public MemWindow {
public:
    MemControlWindow(const hostapi::DialogControl& control, MemWindow* dialog)
        : MemWindow("control", dialog), id_(control.id), kind_(control.kind), text_(Utf16ToUtf8(control.text)) {}

    int id() const { return id_; }
    bool isCheckBox() const { return kind_ == DialogControlKind::AutoCheckBox; }
    bool isEditBox() const { return kind_ == DialogControlKind::EditText; }
    const std::string& text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
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
    std::string text_;
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

    LRESULT SendDlgItemMessageA(int item, UINT message, WPARAM wParam, LPARAM lParam) override {
        // The button messages carry no text, so both forms are one.
        return SendDlgItemMessageW(item, message, wParam, lParam);
    }

    BOOL SetDlgItemTextA(int item, hostapi::LPCSTR text) override {
        MemControlWindow* control = Control(item);
        if (!control) {
            context_.Error("SetDlgItemTextA: the dialog has no control " + std::to_string(item));
            return hostapi::FALSE;
        }
        control->SetText(Latin1ToUtf8(text));
        return hostapi::TRUE;
    }

    UINT GetDlgItemTextA(int item, hostapi::LPSTR text, int max) override {
        MemControlWindow* control = Control(item);
        if (!control) {
            context_.Error("GetDlgItemTextA: the dialog has no control " + std::to_string(item));
            return CopyNarrow(std::string(), text, max);
        }
        return CopyNarrow(control->text(), text, max);
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

    std::vector<DialogText> Texts() const {
        std::vector<DialogText> texts;
        for (const auto& control : controls_) {
            if (control->isEditBox()) {
                texts.push_back({control->id(), control->text()});
            }
        }
        return texts;
    }

    // Tells the procedure that the user changed an edit box's text.
    INT_PTR EditChanged(hostapi::DLGPROC proc, MemControlWindow& control) {
        return proc(this, hostapi::WM_COMMAND,
                    hostapi::MAKEWPARAM(static_cast<hostapi::WORD>(control.id()), hostapi::EN_CHANGE),
                    reinterpret_cast<LPARAM>(static_cast<HWND>(&control)));
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
    for (const DialogText& typed : script.texts) {
        if (record.ended) {
            return;
        }
        MemControlWindow* control = dialog.Control(typed.control);
        if (!control || !control->isEditBox()) {
            context.Error("dialog script: the dialog has no edit box " + std::to_string(typed.control));
            continue;
        }
        control->SetText(typed.text);
        record.edits.push_back(typed.control);
        (void)dialog.EditChanged(proc, *control);
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

hostapi::UINT MemWindow::GetDlgItemTextA(int, hostapi::LPSTR text, int max) { return CopyNarrow({}, text, max); }

MemPlatform::MemPlatform(HostContext& context) : context_(context), main_("main", nullptr) {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    if (!error) {
        tempFolder_ = folder.string();
    }
}

INT_PTR MemPlatform::DialogBoxParamW(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog, HWND owner,
                                     hostapi::DLGPROC proc, LPARAM initParam) {
    return RunDialog(module, dialog, owner, proc, initParam, "DialogBoxParamW");
}

INT_PTR MemPlatform::DialogBoxParamA(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog, HWND owner,
                                     hostapi::DLGPROC proc, LPARAM initParam) {
    return RunDialog(module, dialog, owner, proc, initParam, "DialogBoxParamA");
}

INT_PTR MemPlatform::RunDialog(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog, HWND owner,
                               hostapi::DLGPROC proc, LPARAM initParam, const char* call) {
    DialogEvent record;
    record.templateId = dialog ? dialog->id : 0;
    record.caption = dialog ? Utf16ToUtf8(dialog->caption) : std::string();
    record.owner = RoleOf(owner);
    record.moduleGiven = module != nullptr;
    if (!dialog || !proc) {
        context_.Error(std::string(call) + ": no template or no dialog procedure");
    } else if (scripts_.empty()) {
        context_.Error(std::string(call) + ": no script queued for dialog " + std::to_string(dialog->id));
    } else {
        const DialogScript script = std::move(scripts_.front());
        scripts_.pop_front();
        record.scripted = true;
        record.answer = script.answer;
        if (script.answer != DialogAnswer::FailToOpen) {
            MemDialogWindow window(context_, *dialog, dynamic_cast<MemWindow*>(owner), record);
            (void)proc(&window, hostapi::WM_INITDIALOG, 0, initParam);
            record.checksAfterInit = window.Checks();
            record.textsAfterInit = window.Texts();
            RunScript(context_, window, proc, script, record);
            record.checksAtEnd = window.Checks();
            record.textsAtEnd = window.Texts();
            if (record.ended) {
                record.returned = record.endResult;
            } else {
                context_.Error(std::string(call) + ": the dialog procedure never ended dialog " +
                               std::to_string(dialog->id));
            }
        }
    }
    const INT_PTR returned = record.returned;
    context_.session.Add(std::move(record));
    return returned;
}

int MemPlatform::MessageBoxW(HWND owner, hostapi::LPCWSTR text, hostapi::LPCWSTR caption, UINT type) {
    RecordMessageBox(owner, Utf16ToUtf8(text), Utf16ToUtf8(caption), type);
    return hostapi::IDOK;
}

int MemPlatform::MessageBoxA(HWND owner, hostapi::LPCSTR text, hostapi::LPCSTR caption, UINT type) {
    RecordMessageBox(owner, Latin1ToUtf8(text), Latin1ToUtf8(caption), type);
    return hostapi::IDOK;
}

void MemPlatform::RecordMessageBox(HWND owner, std::string text, std::string caption, UINT type) {
    MessageBoxEvent record{RoleOf(owner), std::move(text), std::move(caption), type, hostapi::IDOK};
    context_.session.Add(std::move(record));
}

namespace {

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '/' || path.back() == '\\');
}

std::string WithSeparator(std::string path) {
    if (!EndsWithSeparator(path)) {
        path += '/';
    }
    return path;
}

}  // namespace

hostapi::DWORD MemPlatform::GetTempPathA(hostapi::DWORD bufferLength, hostapi::LPSTR buffer) {
    if (context_.failures.ShouldFail(HostCall::GetTempPathA) || tempFolder_.empty()) {
        return 0;
    }
    const std::string folder = WithSeparator(tempFolder_);
    const auto needed = static_cast<hostapi::DWORD>(folder.size() + 1);
    if (!buffer || bufferLength < needed) {
        return needed;
    }
    std::memcpy(buffer, folder.c_str(), needed);
    return needed - 1;
}

hostapi::UINT MemPlatform::GetTempFileNameA(hostapi::LPCSTR pathName, hostapi::LPCSTR prefix, UINT unique,
                                            hostapi::LPSTR tempFileName) {
    if (context_.failures.ShouldFail(HostCall::GetTempFileNameA)) {
        return 0;
    }
    if (!pathName || !prefix || !tempFileName) {
        context_.Error("GetTempFileNameA: no folder, prefix or name buffer");
        return 0;
    }
    const std::string folder = WithSeparator(pathName);
    const std::string shortPrefix = std::string(prefix).substr(0, 3);
    auto nameFor = [&](UINT number) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%X", number);
        return shortPrefix + digits + ".TMP";
    };
    auto give = [&](UINT number, bool created) {
        const std::string name = nameFor(number);
        std::memcpy(tempFileName, (folder + name).c_str(), folder.size() + name.size() + 1);
        context_.session.AddTempFile(
            {prefix, unique, name, !tempFolder_.empty() && folder == WithSeparator(tempFolder_), created});
        return number;
    };
    // The longest number has four hexadecimal digits.
    if (folder.size() + shortPrefix.size() + 4 + 4 + 1 > static_cast<std::size_t>(hostapi::MAX_PATH)) {
        return 0;
    }
    if (unique != 0) {
        // Only the low 16 bits name the file.
        (void)give(unique & 0xFFFFu, false);
        return unique;
    }
    for (UINT tries = 0; tries < 0xFFFFu; ++tries) {
        const UINT number = nextTempNumber_;
        nextTempNumber_ = nextTempNumber_ == 0xFFFFu ? 1 : nextTempNumber_ + 1;
        const std::string path = folder + nameFor(number);
        // Created exclusively: a file someone else made under that number is
        // never taken over.
        std::FILE* file = std::fopen(path.c_str(), "wbx");
        if (file) {
            std::fclose(file);
            try {
                return give(number, true);
            } catch (...) {
                // No name given out, so no file made: nobody would remove it.
                (void)std::remove(path.c_str());
                throw;
            }
        }
        if (errno != EEXIST) {
            return 0;
        }
    }
    return 0;
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
