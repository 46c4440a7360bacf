// An OutputFile in memory for writer tests, which can fail once a given
// number of bytes has been written.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "fileformat/container/OutputFile.h"

namespace tvx::test {

class MemoryOutputFile final : public OutputFile {
public:
    explicit MemoryOutputFile(std::uint64_t failAfterBytes = std::numeric_limits<std::uint64_t>::max())
        : failAfter_(failAfterBytes) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        if (written_ + bytes.size() > failAfter_) {
            return false;
        }
        written_ += bytes.size();
        if (position_ + bytes.size() > bytes_.size()) {
            bytes_.resize(position_ + bytes.size());
        }
        std::memcpy(bytes_.data() + position_, bytes.data(), bytes.size());
        position_ += bytes.size();
        return true;
    }
    bool SeekToStart() override {
        position_ = 0;
        return true;
    }
    std::uint64_t Position() const override { return position_; }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::uint64_t failAfter_;
    std::uint64_t written_ = 0;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace tvx::test
