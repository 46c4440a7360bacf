// Small POSIX file helpers shared by the readers and writers of whole files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

namespace tvx {

// Closes the descriptor it owns.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            (void)Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Returns false when close reports an error (for written files, the last
    // chance to learn that the data did not reach the disk).
    bool Close();

private:
    int fd_;
};

// Loop over read(2)/write(2) until every byte moved, retrying interrupted
// calls. A read that meets the end of the file early fails.
[[nodiscard]] bool ReadFully(int fd, std::uint8_t* out, std::size_t size);
[[nodiscard]] bool WriteFully(int fd, const std::uint8_t* bytes, std::size_t size);

}  // namespace tvx
