// How the verbs that read a scene file report a load that failed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "fileformat/container/LoadOptions.h"

namespace tvx::tool {

// One line: the importer's message and status, and the limit that refused
// the file when one did, with the option that raises it.
void PrintLoadFailure(std::ostream& err, const std::filesystem::path& file, int status, LoadLimit limit,
                      std::uint64_t maxInflatedBytes);

}  // namespace tvx::tool
