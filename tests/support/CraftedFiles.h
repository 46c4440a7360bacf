// Minimal scene files built byte by byte, for container tests.
#pragma once

#include <cstdint>
#include <vector>

namespace tvx::test {

using Bytes = std::vector<std::uint8_t>;

// A file of versions 6..33: the 96- or 128-byte header (length = file size
// unless given) followed by `body`.
Bytes LegacyFile(int version, const Bytes& body = {}, std::uint32_t flags = 0);

// A version-34 file: the 48-byte header followed by `body`.
Bytes ChunkedFile(const Bytes& body = {}, std::uint32_t flags = 0, int version = 34);

// `inner` compressed behind a header of `outerVersion` (96 or 128 bytes by
// version; 48 for version 34), with flags 0x10, the data offset in its word
// 5 (word 4 for version 34) and the given length (inner size by default).
Bytes CompressedFile(int outerVersion, const Bytes& inner, std::int64_t lengthField = -1);

Bytes ZlibCompress(const Bytes& data);
Bytes ZlibUncompress(const Bytes& data, std::size_t expectedSize);

// Overwrites the little-endian word at byte offset `at`.
void PatchWord(Bytes& file, std::size_t at, std::uint32_t value);

}  // namespace tvx::test
