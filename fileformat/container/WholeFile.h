// Reading a whole file into memory, as every load starts.
#pragma once

#include <filesystem>

#include "fileformat/container/ByteBuffer.h"

namespace tvx {

enum class WholeFileResult {
    Ok,
    CannotOpen,  // missing, unreadable, or not a regular file
    Failed,      // a short read, too large for the format, or out of memory
};

// Only regular files are read: a folder, a pipe or a device is "cannot
// open", so a mistaken path can neither hang the load nor feed it endless
// bytes. Files of 4 GiB or more cannot be scene files (lengths are 32-bit).
WholeFileResult ReadWholeFile(const std::filesystem::path& path, ByteBuffer& out);

}  // namespace tvx
