// A dialog template as data. On Windows a plug-in's dialog is a resource in
// its library; here the plug-in owns the same description as a constant and
// hands it to Platform::DialogBoxParamW. Positions and sizes are in dialog
// units, as in a resource script.
#pragma once

#include <span>

#include "hostapi/WinTypes.h"

namespace hostapi {

// Window styles a dialog template uses.
inline constexpr DWORD WS_POPUP = 0x80000000u;
inline constexpr DWORD WS_CAPTION = 0x00C00000u;
inline constexpr DWORD WS_SYSMENU = 0x00080000u;
inline constexpr DWORD DS_SETFONT = 0x00000040u;
inline constexpr DWORD DS_MODALFRAME = 0x00000080u;
// Control styles beyond those a control kind implies.
inline constexpr DWORD WS_BORDER = 0x00800000u;
inline constexpr DWORD ES_AUTOHSCROLL = 0x00000080u;

inline constexpr WORD LANG_ENGLISH_US = 0x0409;

// The control id of controls that are never addressed (group boxes, static
// texts).
inline constexpr int IDC_STATIC = -1;

enum class DialogControlKind {
    DefPushButton,
    PushButton,
    GroupBox,
    AutoCheckBox,
    // Left-aligned static text.
    LText,
    // A one-line edit box; its text is the control's window text.
    EditText,
};

struct DialogRect {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogControl {
    int id = IDC_STATIC;
    DialogControlKind kind = DialogControlKind::PushButton;
    const MCHAR* text = u"";
    DialogRect rect;
    // WS_BORDER, ES_AUTOHSCROLL, ...
    DWORD style = 0;
};

struct DialogTemplate {
    int id = 0;
    DWORD style = 0;
    WORD language = LANG_ENGLISH_US;
    const MCHAR* caption = u"";
    const MCHAR* fontName = u"";
    int pointSize = 0;
    int cx = 0;
    int cy = 0;
    // In tab order.
    std::span<const DialogControl> controls;
};

}  // namespace hostapi
