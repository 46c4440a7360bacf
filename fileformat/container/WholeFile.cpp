#include "fileformat/container/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <limits>

#include "fileformat/container/PosixFile.h"

namespace tvx {
WholeFileResult ReadWholeFile(const std::filesystem::path& path, ByteBuffer& out) {
    out = {};
    // O_NONBLOCK keeps opening a FIFO from waiting for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return WholeFileResult::CannotOpen;
    }
    if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > std::numeric_limits<std::uint32_t>::max()) {
        return WholeFileResult::Failed;
    }
    const auto size = static_cast<std::uint32_t>(info.st_size);
    ByteBuffer buffer = ByteBuffer::Allocate(size);
    if (!buffer.data || !ReadFully(file.get(), buffer.data.get(), size)) {
        return WholeFileResult::Failed;
    }
    out = std::move(buffer);
    return WholeFileResult::Ok;
}

}  // namespace tvx
