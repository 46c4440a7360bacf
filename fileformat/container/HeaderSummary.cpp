#include "fileformat/container/HeaderSummary.h"

#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/Decompress.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/TVXFileReader.h"
#include "fileformat/container/WholeFile.h"

namespace tvx {
namespace {

std::optional<HeaderWords> ReadWords(TVXFileReader& reader) {
    HeaderWords words;
    std::uint32_t magic = 0;
    if (!reader.ReadUInt(magic) || !reader.ReadInt(words.version) || !reader.ReadUInt(words.flags) ||
        !reader.ReadUInt(words.length)) {
        return std::nullopt;
    }
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<char>(magic >> (8 * i));
        words.magic += (c >= 0x20 && c < 0x7F) ? c : '.';
    }
    return words;
}

// Where the compressed stream starts: word 4 in the chunked layout, word 5
// in the others.
std::int32_t DataOffset(const TVXFileReader& reader, std::int32_t version) {
    const std::size_t at = version == kChunkedVersion ? 16 : 20;
    const auto bytes = reader.bytes();
    if (bytes.size() < at + 4) {
        return -1;
    }
    return static_cast<std::int32_t>(LoadU32LE(bytes.data() + at));
}

}  // namespace

std::optional<HeaderSummary> SummarizeHeader(const std::filesystem::path& path, std::uint64_t maxInflatedBytes) {
    ByteBuffer file;
    if (ReadWholeFile(path, file) != WholeFileResult::Ok) {
        return std::nullopt;
    }
    HeaderSummary summary;
    summary.fileSize = file.size;
    TVXFileReader reader(std::move(file));
    const auto outer = ReadWords(reader);
    if (!outer) {
        return std::nullopt;
    }
    summary.outer = *outer;
    summary.compressed = (outer->flags & kFlagCompressed) != 0;
    InflateBudget budget(maxInflatedBytes);
    if (summary.compressed && Decompress(reader, DataOffset(reader, outer->version), outer->length, budget)) {
        summary.innerSize = reader.length();
        summary.inner = ReadWords(reader);
    }
    return summary;
}

}  // namespace tvx
