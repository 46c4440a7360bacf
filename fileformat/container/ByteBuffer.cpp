#include "fileformat/container/ByteBuffer.h"

#include <algorithm>
#include <new>

namespace tvx {

ByteBuffer ByteBuffer::Allocate(std::uint32_t size) {
    ByteBuffer buffer;
    try {
        buffer.data = std::make_unique_for_overwrite<std::uint8_t[]>(size == 0 ? 1 : size);
        buffer.size = size;
    } catch (const std::bad_alloc&) {
        buffer.data.reset();
    }
    return buffer;
}

ByteBuffer ByteBuffer::CopyOf(std::span<const std::uint8_t> bytes) {
    ByteBuffer buffer = Allocate(static_cast<std::uint32_t>(bytes.size()));
    if (buffer.data) {
        std::copy(bytes.begin(), bytes.end(), buffer.data.get());
    }
    return buffer;
}

}  // namespace tvx
