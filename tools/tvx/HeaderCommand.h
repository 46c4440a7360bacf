#pragma once

#include <filesystem>
#include <iosfwd>

namespace tvx::tool {

// Prints what a scene file's header says and how a load of it ends.
// Returns the process exit status: 0 when the header could be shown.
int RunHeaderCommand(const std::filesystem::path& file, std::ostream& out, std::ostream& err);

}  // namespace tvx::tool
