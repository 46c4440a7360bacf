// Text as the stand-in host keeps it: plug-ins hand it UTF-16 (MCHAR), it
// stores and writes UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "hostapi/WinTypes.h"

namespace memhost {

// Unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Up to the terminating zero; null gives "".
std::string Utf16ToUtf8(const hostapi::MCHAR* text);

}  // namespace memhost
