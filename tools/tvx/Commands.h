// The verbs of the tvx command. Each returns the process exit status.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace tvx::tool {

struct ReadOptions {
    bool extractEmbeddedFiles = false;  // --extract
};

// A short summary of a scene file: container, layout, counts and names.
int RunInfo(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out, std::ostream& err);

// The document as read (no post-load processing) as one JSON object.
int RunDump(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out);

}  // namespace tvx::tool
