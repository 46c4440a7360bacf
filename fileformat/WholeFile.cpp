#include "fileformat/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <limits>

namespace tvx {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool ReadFully(int fd, std::uint8_t* out, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

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
