// The file a layout writer streams into: written front to back, then the
// header rewritten at offset 0. An interface so tests can make it fail.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>

namespace tvx {

class OutputFile {
public:
    virtual ~OutputFile() = default;
    [[nodiscard]] virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    [[nodiscard]] virtual bool SeekToStart() = 0;
    // Bytes from the start to the current position.
    virtual std::uint64_t Position() const = 0;
};

// A C stream opened "wb"; closed by Close() or the destructor.
class StdioOutputFile final : public OutputFile {
public:
    StdioOutputFile() = default;
    ~StdioOutputFile() override;
    StdioOutputFile(const StdioOutputFile&) = delete;
    StdioOutputFile& operator=(const StdioOutputFile&) = delete;

    [[nodiscard]] bool Open(const std::filesystem::path& path);
    [[nodiscard]] bool Write(std::span<const std::uint8_t> bytes) override;
    [[nodiscard]] bool SeekToStart() override;
    std::uint64_t Position() const override { return position_; }
    // False when the stream reported an error on closing (data lost).
    [[nodiscard]] bool Close();

private:
    std::FILE* file_ = nullptr;
    std::uint64_t position_ = 0;
};

}  // namespace tvx
