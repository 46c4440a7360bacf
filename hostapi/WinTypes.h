// The Win32 scalar and handle types that the host SDK's signatures use.
//
// There is no Win32 here, so the names are defined with the widths they have
// on 64-bit Windows. Text is UTF-16 (char16_t), as the host's Unicode SDK
// passes it; on Linux wchar_t would be 32 bits wide. A window handle is a
// pointer to the abstract Window of Win32.h, so a dialog procedure reaches
// the platform through the handle it is given, as it does on Windows.
#pragma once

#include <cstdint>

namespace hostapi {

using BOOL = int;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using ULONG = std::uint32_t;  // 32 bits on Windows, also in 64-bit builds

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using LPVOID = void*;

using WCHAR = char16_t;
using LPCWSTR = const WCHAR*;
// The host SDK's character type in its Unicode build.
using MCHAR = WCHAR;

// Narrow text, as the exporter's older, non-Unicode SDK and the Win32 "A"
// calls pass it: ANSI strings in the system code page. The code page here is
// Latin-1, each byte the character of the same value; a character above
// U+00FF has no narrow form and reads as '?'. The temporary folder and file
// names of Platform are the exception: they name files on this machine and
// are its file system's own bytes, passed through untouched.
using CHAR = char;
using LPSTR = CHAR*;
using LPCSTR = const CHAR*;

// A module handle: opaque, only passed back to the host that asked for it.
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

class Window;
using HWND = Window*;

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID);

constexpr WORD LOWORD(std::uintptr_t value) { return static_cast<WORD>(value & 0xFFFFu); }
constexpr WORD HIWORD(std::uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFFu); }
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low) | (static_cast<WPARAM>(high) << 16);
}

}  // namespace hostapi
