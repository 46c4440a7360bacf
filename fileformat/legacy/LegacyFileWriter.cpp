#include "fileformat/legacy/LegacyFileWriter.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "fileformat/container/FileConstants.h"

namespace tvx {
namespace {

constexpr std::size_t kMagicWord = 0;
constexpr std::size_t kVersionWord = 1;
constexpr std::size_t kFlagsWord = 2;
constexpr std::size_t kLengthWord = 3;
// Word 4 + 2s holds the count of section s, the next word its offset.
constexpr std::size_t kSectionTableWord = 4;
constexpr int kTrailerStrings = 3;

// The creator texts are fields of 128 characters in the exporter: the text
// ends at the first zero and never fills the whole field.
std::string_view CreatorText(const std::string& text) {
    return std::string_view(text.c_str()).substr(0, kCreatorTextCapacity - 1);
}

std::uint32_t HeaderFlags(const LegacyFormat& format) {
    return (format.vertexNormal ? kLegacyVertexNormal : 0u) | (format.vertexColor ? kLegacyVertexColor : 0u);
}

}  // namespace

LegacyFileWriter::LegacyFileWriter(OutputFile& file, std::span<std::uint32_t> header, const LegacyFormat& format)
    : writer_(file), io_(writer_, format), header_(header), format_(format) {}

bool LegacyFileWriter::Start() {
    std::fill(header_.begin(), header_.end(), 0u);
    header_[kMagicWord] = kTvxMagic;
    header_[kVersionWord] = static_cast<std::uint32_t>(format_.version);
    header_[kFlagsWord] = HeaderFlags(format_);
    return WriteHeaderWords(writer_, header_);
}

bool LegacyFileWriter::BeginSection(std::size_t index, int count) {
    header_[kSectionTableWord + 2 * index] = static_cast<std::uint32_t>(count);
    header_[kSectionTableWord + 2 * index + 1] = writer_.position();
    return writer_.Int(count);
}

bool LegacyFileWriter::Trailer(std::size_t index, TVXExporterData& data) {
    if (!BeginSection(index, kTrailerStrings)) {
        return false;
    }
    SetCreatorNoteToNow(data);
    return writer_.NarrowString(CreatorText(data.creatorName)) &&
           writer_.NarrowString(CreatorText(data.creatorVersion)) &&
           writer_.NarrowString(CreatorText(data.creatorNote));
}

bool LegacyFileWriter::Finish() {
    if (writer_.position() == std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    header_[kLengthWord] = writer_.position();
    return writer_.SeekToStart() && WriteHeaderWords(writer_, header_) && writer_.Flush();
}

}  // namespace tvx
