// The text a user is shown for the result of a load.
#pragma once

#include <string_view>

namespace tvx {

// Empty for a successful load (status 1); the importer's message otherwise.
std::string_view LoadStatusMessage(int status);

}  // namespace tvx
