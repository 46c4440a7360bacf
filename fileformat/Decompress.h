// Inflating a compressed scene body in place.
#pragma once

#include <cstdint>

#include "fileformat/TVXFileReader.h"

namespace tvx {

// The most bytes a zlib stream of `compressedBytes` can inflate to. Deflate
// cannot expand data by more than 1032:1 (a 258-byte match coded in two
// bits), so this bounds the output buffer for any input, whatever a header
// claims.
std::uint64_t MaxInflatedSize(std::uint64_t compressedBytes);

// Inflates the zlib stream that starts at `dataOffset` and runs to the end of
// the reader's buffer. `declaredLength` is the header's length field: the
// output may not exceed it (a stream that needs more fails), and a larger
// value only sizes the buffer, never beyond MaxInflatedSize. On success the
// inflated bytes replace the reader's buffer and the position is 0; on
// failure the reader is unchanged.
[[nodiscard]] bool Decompress(TVXFileReader& reader, std::int32_t dataOffset, std::uint32_t declaredLength);

}  // namespace tvx
