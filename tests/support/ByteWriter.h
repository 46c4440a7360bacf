// Builds little-endian byte strings for crafted test files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace tvx::test {

class ByteWriter {
public:
    ByteWriter& U8(std::uint8_t v) {
        bytes_.push_back(v);
        return *this;
    }
    ByteWriter& U16(std::uint16_t v) { return U8(static_cast<std::uint8_t>(v)).U8(static_cast<std::uint8_t>(v >> 8)); }
    ByteWriter& U32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            U8(static_cast<std::uint8_t>(v >> shift));
        }
        return *this;
    }
    ByteWriter& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
    ByteWriter& F32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return U32(bits);
    }
    ByteWriter& Bytes(std::string_view text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    ByteWriter& Bytes(const std::vector<std::uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    ByteWriter& Zeros(std::size_t n) {
        bytes_.insert(bytes_.end(), n, 0);
        return *this;
    }
    // Overwrites the 32-bit word at byte offset `at`.
    ByteWriter& PatchU32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes_.at(at + static_cast<std::size_t>(i)) = static_cast<std::uint8_t>(v >> (8 * i));
        }
        return *this;
    }

    std::size_t size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace tvx::test
