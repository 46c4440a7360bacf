// The Win32 calls of the import and export flows: a modal dialog with check
// boxes and edit boxes, a message box, the active window, the current
// directory and temporary files. The importer uses the wide ("W") calls,
// the exporter the narrow ("A") ones, whose text is narrow (WinTypes.h).
//
// Calls on a window go through the handle: a window handle points at an
// abstract Window, and the free functions with the Win32 names forward to
// it (a null handle gives what Win32 gives for an invalid one: 0 / FALSE).
// Calls that need no window are on Platform, which the host hands out with
// Interface::GetPlatform.
//
// A dialog procedure works as on Windows: it gets WM_INITDIALOG with the
// initialisation parameter, then WM_COMMAND with the control id in the low
// word of wParam (IDOK, IDCANCEL, a check box that was clicked, or, with
// EN_CHANGE in the high word, an edit box whose text the user changed; an
// automatic check box has already changed its state). The close box and the
// Escape key arrive as WM_COMMAND IDCANCEL. It returns TRUE for a message it
// handled, FALSE otherwise, and ends the dialog with EndDialog; the result
// given there is what DialogBoxParamW returns.
#pragma once

#include "hostapi/DialogTemplate.h"
#include "hostapi/WinTypes.h"

namespace hostapi {

// Messages.
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;

// Notifications (high word of WM_COMMAND's wParam).
inline constexpr WORD BN_CLICKED = 0;
inline constexpr WORD EN_CHANGE = 0x0300;

// Check states.
inline constexpr UINT BST_UNCHECKED = 0;
inline constexpr UINT BST_CHECKED = 1;

// Command and message-box result ids.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;

// Message-box types.
inline constexpr UINT MB_OK = 0x00000000u;
inline constexpr UINT MB_ICONERROR = 0x00000010u;
inline constexpr UINT MB_ICONSTOP = MB_ICONERROR;
inline constexpr UINT MB_ICONINFORMATION = 0x00000040u;

// The longest path, in characters with the terminating zero.
inline constexpr int MAX_PATH = 260;

using DLGPROC = INT_PTR (*)(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

class Window {
public:
    virtual HWND GetParent() = 0;
    // Sends a message to control `item` of a dialog; 0 when there is no such
    // control or this window is no dialog.
    virtual LRESULT SendDlgItemMessageW(int item, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT SendDlgItemMessageA(int item, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // The window text of control `item` (an edit box's content, a button's
    // caption); FALSE when there is no such control.
    virtual BOOL SetDlgItemTextA(int item, LPCSTR text) = 0;
    // Copies up to max - 1 characters of the text and a terminating zero
    // into text and returns how many characters it copied; with no such
    // control the text is "" and the result 0. Nothing is written when max
    // is below 1.
    virtual UINT GetDlgItemTextA(int item, LPSTR text, int max) = 0;
    // FALSE when this window is no dialog.
    virtual BOOL EndDialog(INT_PTR result) = 0;
    // The host's utility: moves this window to the centre of parent (of the
    // screen when parent is null).
    virtual void CenterWindow(HWND parent) = 0;

protected:
    virtual ~Window() = default;
};

inline HWND GetParent(HWND window) { return window ? window->GetParent() : nullptr; }

inline LRESULT SendDlgItemMessageW(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialog ? dialog->SendDlgItemMessageW(item, message, wParam, lParam) : 0;
}

inline LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialog ? dialog->SendDlgItemMessageA(item, message, wParam, lParam) : 0;
}

inline BOOL SetDlgItemTextA(HWND dialog, int item, LPCSTR text) {
    return dialog ? dialog->SetDlgItemTextA(item, text) : FALSE;
}

inline UINT GetDlgItemTextA(HWND dialog, int item, LPSTR text, int max) {
    if (dialog) {
        return dialog->GetDlgItemTextA(item, text, max);
    }
    if (text && max > 0) {
        text[0] = '\0';
    }
    return 0;
}

inline BOOL CheckDlgButton(HWND dialog, int button, UINT check) {
    return dialog ? (dialog->SendDlgItemMessageW(button, BM_SETCHECK, check, 0), TRUE) : FALSE;
}

inline UINT IsDlgButtonChecked(HWND dialog, int button) {
    return dialog ? static_cast<UINT>(dialog->SendDlgItemMessageW(button, BM_GETCHECK, 0, 0)) : 0;
}

inline BOOL EndDialog(HWND dialog, INT_PTR result) { return dialog ? dialog->EndDialog(result) : FALSE; }

inline void CenterWindow(HWND window, HWND parent) {
    if (window) {
        window->CenterWindow(parent);
    }
}

class Platform {
public:
    // The window that has the focus, or null.
    virtual HWND GetActiveWindow() = 0;
    // Runs the dialog modally and returns the result given to EndDialog, or
    // -1 when the dialog cannot be shown. module is the library that owns
    // the template.
    virtual INT_PTR DialogBoxParamW(HINSTANCE module, const DialogTemplate* dialog, HWND owner, DLGPROC proc,
                                    LPARAM initParam) = 0;
    virtual INT_PTR DialogBoxParamA(HINSTANCE module, const DialogTemplate* dialog, HWND owner, DLGPROC proc,
                                    LPARAM initParam) = 0;
    // The id of the button pressed (IDOK for an MB_OK box).
    virtual int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) = 0;
    virtual int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) = 0;
    virtual BOOL SetCurrentDirectoryW(LPCWSTR path) = 0;

    // The temporary folder, with a folder separator at its end, into buffer.
    // Returns its length without the terminating zero; when it needs more
    // than bufferLength characters with the zero, that number, and buffer
    // is left alone; 0 when there is no temporary folder.
    virtual DWORD GetTempPathA(DWORD bufferLength, LPSTR buffer) = 0;
    // Writes into tempFileName (MAX_PATH characters) the folder pathName,
    // up to three characters of prefix, the number in hexadecimal and
    // ".TMP". With unique 0 the host picks a number whose file does not
    // exist yet and creates that file, empty; otherwise it only forms the
    // name. Returns the number, or 0 (and writes nothing) when the folder
    // is missing, no file can be created or the name does not fit.
    virtual UINT GetTempFileNameA(LPCSTR pathName, LPCSTR prefix, UINT unique, LPSTR tempFileName) = 0;

protected:
    virtual ~Platform() = default;
};

}  // namespace hostapi
