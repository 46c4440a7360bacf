// Replacing a file only once its new content is complete.
//
// The content goes to a fresh temporary file beside the target, is flushed to
// disk, and is then renamed over the target in one step. A failure at any
// point removes the temporary file and leaves whatever was at the target as
// it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "fileformat/container/PosixFile.h"

namespace tvx {

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile();  // an uncommitted file is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file beside `target`.
    [[nodiscard]] bool Open(const std::filesystem::path& target);
    [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes);
    // Flushes, closes and renames over the target. The new file takes the
    // permissions of the file it replaces, or the usual ones for a new file.
    [[nodiscard]] bool Commit();

private:
    void Discard();

    FileDescriptor file_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

}  // namespace tvx
