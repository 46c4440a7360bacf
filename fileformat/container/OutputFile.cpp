#include "fileformat/container/OutputFile.h"

namespace tvx {

StdioOutputFile::~StdioOutputFile() { (void)Close(); }

bool StdioOutputFile::Open(const std::filesystem::path& path) {
    (void)Close();
    file_ = std::fopen(path.c_str(), "wb");
    position_ = 0;
    return file_ != nullptr;
}

bool StdioOutputFile::Write(std::span<const std::uint8_t> bytes) {
    if (file_ == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        return false;
    }
    position_ += bytes.size();
    return true;
}

bool StdioOutputFile::SeekToStart() {
    if (file_ == nullptr || std::fseek(file_, 0, SEEK_SET) != 0) {
        return false;
    }
    position_ = 0;
    return true;
}

bool StdioOutputFile::Close() {
    if (file_ == nullptr) {
        return true;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed;
}

}  // namespace tvx
