// An OutputFile in memory: what a writer produces, for callers that want
// the bytes rather than a file (benchmarks, fuzzing, writer tests). It can
// stand for a disk that fills up: writes fail once `failAfterBytes` have
// been written.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "fileformat/container/OutputFile.h"

namespace tvx {

class MemoryOutputFile final : public OutputFile {
public:
    explicit MemoryOutputFile(std::uint64_t failAfterBytes = std::numeric_limits<std::uint64_t>::max())
        : failAfter_(failAfterBytes) {}

    bool Write(std::span<const std::uint8_t> bytes) override {
        if (bytes.size() > failAfter_ - written_) {
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

    // Writes into `storage` from now on, keeping its capacity, so that a
    // caller writing again and again does not pay for fresh memory.
    void Reuse(std::vector<std::uint8_t> storage) {
        bytes_ = std::move(storage);
        bytes_.clear();
        position_ = 0;
    }
    std::vector<std::uint8_t> Release() { return std::move(bytes_); }

private:
    std::uint64_t failAfter_;
    std::uint64_t written_ = 0;
    std::uint64_t position_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace tvx
