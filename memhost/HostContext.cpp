#include "memhost/HostContext.h"

#include <cstdio>

namespace memhost {

std::string HexText(hostapi::ULONG value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%X", value);
    return buffer;
}

}  // namespace memhost
