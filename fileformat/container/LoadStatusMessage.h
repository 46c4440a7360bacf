// The text a user is shown for the result of a load.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fileformat/container/LoadOptions.h"

namespace tvx {

// Empty for a successful load (status 1); the importer's message otherwise.
std::string_view LoadStatusMessage(int status);

// Why a limit refused a file, for tools that can say more than the status;
// empty for LoadLimit::None.
std::string LoadLimitMessage(LoadLimit limit, std::uint64_t maxInflatedBytes);

}  // namespace tvx
