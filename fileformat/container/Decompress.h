// Inflating a compressed scene body in place.
#pragma once

#include <cstdint>

#include "fileformat/container/TVXFileReader.h"

namespace tvx {

// The most bytes a zlib stream of `compressedBytes` can inflate to. Deflate
// cannot expand data by more than 1032:1 (a 258-byte match coded in two
// bits), so this bounds the output buffer for any input, whatever a header
// claims.
std::uint64_t MaxInflatedSize(std::uint64_t compressedBytes);

// The bytes one load may inflate, summed over every level of a body that is
// compressed more than once. No real file nests its compression, but a
// version-34 body may, and each level can multiply the last by 1032: three
// levels turn a few hundred bytes into gigabytes. So the sum may reach only a
// few times what the outermost level can hold, and never the ceiling, which
// a user can raise for a scene that truly is that large.
class InflateBudget {
public:
    static constexpr std::uint64_t kNestedFactor = 4;

    explicit InflateBudget(std::uint64_t ceiling) : ceiling_(ceiling), limit_(ceiling) {}

    // The room for a level that holds at most `bound` bytes; the first level
    // asked about fixes the sum for all of them.
    std::uint64_t RoomFor(std::uint64_t bound);
    void Spend(std::uint64_t produced) { spent_ += produced; }

    std::uint64_t ceiling() const { return ceiling_; }
    // True when a level failed because the budget, not the stream, ran out.
    bool exhausted() const { return exhausted_; }
    void MarkExhausted() { exhausted_ = true; }

private:
    std::uint64_t ceiling_;
    std::uint64_t limit_;
    std::uint64_t spent_ = 0;
    bool opened_ = false;
    bool exhausted_ = false;
};

// Inflates the zlib stream that starts at `dataOffset` and runs to the end of
// the reader's buffer. `declaredLength` is the header's length field: the
// output may not exceed it (a stream that needs more fails), and a larger
// value only sizes the buffer, never beyond MaxInflatedSize or the budget's
// room. On success the inflated bytes replace the reader's buffer and the
// position is 0; on failure the reader is unchanged.
[[nodiscard]] bool Decompress(TVXFileReader& reader, std::int32_t dataOffset, std::uint32_t declaredLength,
                              InflateBudget& budget);

}  // namespace tvx
