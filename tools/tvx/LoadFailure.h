// How the verbs that read a scene file report a load that failed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>

#include "fileformat/container/LoadOptions.h"

namespace tvx::tool {

// What a verb's load reports back besides its status.
struct LoadReport {
    LoadLimit limit = LoadLimit::None;
    ReadFault fault;

    // Points the options' reports here.
    void Attach(LoadOptions& options) {
        options.limitHit = &limit;
        options.faultSeen = &fault;
    }
};

// One line: the importer's message and status, what the body held where it
// went wrong when a reader said so, and the limit that refused the file when
// one did, with the option that raises it.
void PrintLoadFailure(std::ostream& err, const std::filesystem::path& file, int status, const LoadReport& report,
                      std::uint64_t maxInflatedBytes);

}  // namespace tvx::tool
