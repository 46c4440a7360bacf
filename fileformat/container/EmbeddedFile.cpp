#include "fileformat/container/EmbeddedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>

#include "fileformat/container/PosixFile.h"
#include "fileformat/container/SceneFolder.h"

namespace tvx {
namespace {

// A name with a line break, an escape or the like would be a trap in every
// listing and script that meets it.
bool HasControlCharacter(std::string_view name) {
    return std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

}  // namespace

EmbeddedFileResult WriteEmbeddedFile(const std::filesystem::path& folder, const TVXString& storedName,
                                     std::span<const std::uint8_t> bytes) {
    const std::string name = BareFileName(storedName).ToUtf8();
    if (name.empty() || name == "." || name == ".." || HasControlCharacter(name)) {
        return EmbeddedFileResult::Skipped;
    }
    const std::filesystem::path target = folder / name;
    // O_EXCL with O_CREAT refuses any existing entry, a link included, even
    // a dangling one; O_NOFOLLOW says so once more.
    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!file.valid()) {
        return errno == EEXIST ? EmbeddedFileResult::Exists : EmbeddedFileResult::Failed;
    }
    const bool written = WriteFully(file.get(), bytes.data(), bytes.size());
    if (!file.Close() || !written) {
        ::unlink(target.c_str());
        return EmbeddedFileResult::Failed;
    }
    return EmbeddedFileResult::Written;
}

}  // namespace tvx
