// Writing a file that a version-34 scene carries inside it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "document/TVXString.h"

namespace tvx {

enum class EmbeddedFileResult {
    Written,
    Skipped,  // no usable bare name: empty, "." or "..", or with a control character
    Exists,   // something (a file, a folder, a link) is already there
    Failed,   // could not create or write it; nothing is left behind
};

// Writes `bytes` into `folder` under the bare name of `storedName` only:
// created exclusively and never through a link, so nothing that is already
// there is followed or overwritten.
EmbeddedFileResult WriteEmbeddedFile(const std::filesystem::path& folder, const TVXString& storedName,
                                     std::span<const std::uint8_t> bytes);

}  // namespace tvx
