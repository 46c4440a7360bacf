// The platform calls of the stand-in host: windows, modal dialogs, message
// boxes, the current directory and temporary files. The wide and narrow
// forms of a call do the same; narrow text is Latin-1 (hostapi/WinTypes.h).
//
// A dialog is "shown" by running the plug-in's own dialog procedure against
// a script queued beforehand: WM_INITDIALOG with the initialisation
// parameter, then a click (WM_COMMAND with BN_CLICKED, after the automatic
// check box has changed its state) on each check box the script wants in
// the other state, then for each edit box the script names its new text
// (WM_COMMAND with EN_CHANGE after the text changed, as typing gives), then
// the script's answer: OK, Cancel, or the close box (WM_CLOSE, and
// WM_COMMAND IDCANCEL if the procedure leaves it to the default handling).
// Whatever the procedure passes to EndDialog is returned. Every control has
// a window text, its template text until set.
// A procedure that never calls EndDialog would leave a real dialog open for
// ever; here the call returns -1 and the host reports it. With no script
// queued the dialog is not shown (-1) and the host reports that too.
//
// The current directory is recorded, never changed: the stand-in host
// keeps the process's own directory alone.
//
// Temporary files are real: the temporary folder is the system's (or one a
// test sets), and GetTempFileNameA creates the file in it exclusively,
// trying numbers from 1 up as they are taken. Each name given is recorded.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "hostapi/Win32.h"
#include "memhost/HostContext.h"
#include "memhost/Session.h"

namespace memhost {

struct DialogScript {
    // Check boxes to bring to a state, in this order.
    std::vector<DialogCheck> checks;
    DialogAnswer answer = DialogAnswer::Ok;
    // Edit boxes to type into, after the check boxes, in this order.
    std::vector<DialogText> texts{};
};

class MemWindow : public hostapi::Window {
public:
    // role names the window in records ("main", "dialog", "control").
    MemWindow(std::string role, MemWindow* parent) : role_(std::move(role)), parent_(parent) {}
    MemWindow(const MemWindow&) = delete;
    MemWindow& operator=(const MemWindow&) = delete;
    ~MemWindow() override = default;

    hostapi::HWND GetParent() override { return parent_; }
    hostapi::LRESULT SendDlgItemMessageW(int, hostapi::UINT, hostapi::WPARAM, hostapi::LPARAM) override { return 0; }
    hostapi::LRESULT SendDlgItemMessageA(int, hostapi::UINT, hostapi::WPARAM, hostapi::LPARAM) override { return 0; }
    hostapi::BOOL SetDlgItemTextA(int, hostapi::LPCSTR) override { return hostapi::FALSE; }
    hostapi::UINT GetDlgItemTextA(int item, hostapi::LPSTR text, int max) override;
    hostapi::BOOL EndDialog(hostapi::INT_PTR) override { return hostapi::FALSE; }
    void CenterWindow(hostapi::HWND) override {}

    const std::string& role() const { return role_; }

private:
    std::string role_;
    MemWindow* parent_;
};

class MemPlatform final : public hostapi::Platform {
public:
    explicit MemPlatform(HostContext& context);
    ~MemPlatform() override = default;

    hostapi::HWND GetActiveWindow() override { return activeWindow_ ? &main_ : nullptr; }
    hostapi::INT_PTR DialogBoxParamW(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog,
                                     hostapi::HWND owner, hostapi::DLGPROC proc, hostapi::LPARAM initParam) override;
    hostapi::INT_PTR DialogBoxParamA(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog,
                                     hostapi::HWND owner, hostapi::DLGPROC proc, hostapi::LPARAM initParam) override;
    int MessageBoxW(hostapi::HWND owner, hostapi::LPCWSTR text, hostapi::LPCWSTR caption, hostapi::UINT type) override;
    int MessageBoxA(hostapi::HWND owner, hostapi::LPCSTR text, hostapi::LPCSTR caption, hostapi::UINT type) override;
    hostapi::BOOL SetCurrentDirectoryW(hostapi::LPCWSTR path) override;
    hostapi::DWORD GetTempPathA(hostapi::DWORD bufferLength, hostapi::LPSTR buffer) override;
    hostapi::UINT GetTempFileNameA(hostapi::LPCSTR pathName, hostapi::LPCSTR prefix, hostapi::UINT unique,
                                   hostapi::LPSTR tempFileName) override;

    // One script per DialogBoxParamW call, used in order.
    void QueueDialog(DialogScript script) { scripts_.push_back(std::move(script)); }
    int QueuedDialogs() const { return static_cast<int>(scripts_.size()); }
    // Off: GetActiveWindow gives null, as when the host has no focus.
    void SetActiveWindowPresent(bool present) { activeWindow_ = present; }
    hostapi::HWND MainWindow() { return &main_; }
    // The folder GetTempPathA gives ("" for none), as this file system
    // spells it; a separator is added at its end when missing.
    void SetTempFolder(std::string folder) { tempFolder_ = std::move(folder); }
    const std::string& tempFolder() const { return tempFolder_; }

private:
    std::string RoleOf(hostapi::HWND window) const;
    hostapi::INT_PTR RunDialog(hostapi::HINSTANCE module, const hostapi::DialogTemplate* dialog, hostapi::HWND owner,
                               hostapi::DLGPROC proc, hostapi::LPARAM initParam, const char* call);
    void RecordMessageBox(hostapi::HWND owner, std::string text, std::string caption, hostapi::UINT type);

    HostContext& context_;
    MemWindow main_;
    bool activeWindow_ = true;
    std::deque<DialogScript> scripts_;
    std::string tempFolder_;
    hostapi::UINT nextTempNumber_ = 1;
};

}  // namespace memhost
