// Text as the stand-in host keeps it: plug-ins hand it UTF-16 (MCHAR) or
// narrow Latin-1 text (the "A" calls and the exporter's SDK), it stores and
// writes UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "hostapi/WinTypes.h"

namespace memhost {

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Up to the terminating zero; null gives "".
std::string Utf16ToUtf8(const hostapi::MCHAR* text);

// Each byte is the character of the same value. Null gives "".
std::string Latin1ToUtf8(const char* text);

// Characters above U+00FF, and bytes that are not UTF-8, become '?'.
std::string Utf8ToLatin1(std::string_view text);

}  // namespace memhost
