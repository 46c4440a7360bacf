// An owned run of bytes whose storage is not zero-filled on allocation, so
// that a buffer which a reader or decompressor overwrites costs no extra pass
// and untouched pages stay unbacked.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace tvx {

struct ByteBuffer {
    std::unique_ptr<std::uint8_t[]> data;
    std::uint32_t size = 0;

    std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }

    // Returns an empty buffer (data null) when memory runs out.
    static ByteBuffer Allocate(std::uint32_t size);
    static ByteBuffer CopyOf(std::span<const std::uint8_t> bytes);
};

}  // namespace tvx
