#include "fileformat/container/Decompress.h"

#include <zlib.h>

#include <algorithm>

namespace tvx {
namespace {

constexpr std::uint64_t kMaxDeflateRatio = 1032;
// zlib's own header, a final partial byte and the like.
constexpr std::uint64_t kInflateSlack = 1024;

}  // namespace

std::uint64_t MaxInflatedSize(std::uint64_t compressedBytes) {
    return compressedBytes * kMaxDeflateRatio + kInflateSlack;
}

std::uint64_t InflateBudget::RoomFor(std::uint64_t bound) {
    if (!opened_) {
        opened_ = true;
        limit_ = std::min(ceiling_, kNestedFactor * bound);
    }
    return limit_ - std::min(spent_, limit_);
}

bool Decompress(TVXFileReader& reader, std::int32_t dataOffset, std::uint32_t declaredLength, InflateBudget& budget) {
    if (reader.length() == 0 || declaredLength == 0) {
        return false;
    }
    if (dataOffset < 0 || static_cast<std::uint32_t>(dataOffset) > reader.length()) {
        return false;
    }
    const std::uint32_t offset = static_cast<std::uint32_t>(dataOffset);
    const std::uint32_t compressedBytes = reader.length() - offset;
    const std::uint64_t bound = std::min<std::uint64_t>(declaredLength, MaxInflatedSize(compressedBytes));
    const std::uint64_t room = budget.RoomFor(bound);
    const auto capacity = static_cast<std::uint32_t>(std::min(bound, room));
    if (capacity == 0) {
        budget.MarkExhausted();
        return false;
    }

    ByteBuffer inflated = ByteBuffer::Allocate(capacity);
    if (!inflated.data) {
        return false;
    }
    uLongf produced = capacity;
    const int result =
        uncompress(inflated.data.get(), &produced, reader.bytes().data() + offset, static_cast<uLong>(compressedBytes));
    if (result == Z_BUF_ERROR && capacity < bound) {
        budget.MarkExhausted();
    }
    if (result != Z_OK || produced == 0) {
        return false;
    }
    budget.Spend(produced);
    inflated.size = static_cast<std::uint32_t>(produced);
    reader.ReplaceBuffer(std::move(inflated));
    return true;
}

}  // namespace tvx
