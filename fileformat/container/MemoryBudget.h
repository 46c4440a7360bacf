// How much document memory a file may make a load ask for.
//
// Every count is backed by the bytes of its records, so memory grows only
// linearly with the file; but a record can be tiny in a file and large in the
// document (an empty name is two bytes in a file and a fixed 784-byte text in
// memory, a cube map's six empty face names almost five kilobytes). So a load
// gives the document at most 32 bytes per byte of the (inflated) body, plus
// a fixed 32 MiB that small files of ordinary shape never reach.
//
// The count pass of each layout charges the budget with everything the fill
// pass will allocate — the scene's arrays and what their records own: map
// slots, cube-map faces, layered entries, polygons and their index arrays,
// weights, tracks and keys, UV coordinates — so a hostile file is refused
// before anything is allocated for it. Real scenes, whose bulk is vertices
// and polygons, stay far below the budget.
#pragma once

#include <cstdint>

#include "document/TVXScene.h"

namespace tvx {

class MemoryBudget {
public:
    static constexpr std::uint64_t kBytesPerBodyByte = 32;
    static constexpr std::uint64_t kAlwaysAllowed = 32ull << 20;
    // A heap block's own cost beyond what it holds, as the C library's
    // allocator keeps it.
    static constexpr std::uint64_t kBlockOverhead = 16;

    explicit MemoryBudget(std::uint64_t bodyBytes) : limit_(kBytesPerBodyByte * bodyBytes + kAlwaysAllowed) {}
    // Charges `bytes`; false once the total would pass the limit, and for
    // every request after that.
    [[nodiscard]] bool Take(std::uint64_t bytes);
    // One heap array of `count` records of `recordBytes` each; nothing for a
    // count of zero or less.
    [[nodiscard]] bool TakeArray(std::int64_t count, std::uint64_t recordBytes);
    template <class Record>
    [[nodiscard]] bool TakeArrayOf(std::int64_t count) {
        return TakeArray(count, sizeof(Record));
    }

    std::uint64_t taken() const { return taken_; }
    std::uint64_t limit() const { return limit_; }
    bool exceeded() const { return exceeded_; }

private:
    std::uint64_t limit_;
    std::uint64_t taken_ = 0;
    bool exceeded_ = false;
};

// Bytes the scene's arrays take for these counts (the records themselves,
// not what they own).
std::uint64_t DocumentArrayBytes(const TVXFileCounts& counts, std::uint64_t legacyUVCoords);

// Bytes a map of this kind owns beyond its slot: a cube map's six face names.
std::uint64_t MapPayloadBytes(int kind);

}  // namespace tvx
