// What a scene file's header says, for people and tools to look at. This
// reads the header words only; whether the file loads is LoadScene's answer.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "fileformat/container/LoadOptions.h"

namespace tvx {

struct HeaderWords {
    std::string magic;  // the first four bytes, non-printable ones as '.'
    std::int32_t version = 0;
    std::uint32_t flags = 0;
    std::uint32_t length = 0;
};

struct HeaderSummary {
    std::uint64_t fileSize = 0;
    HeaderWords outer;
    bool compressed = false;
    // For a compressed file whose stream inflates: the inner file's header
    // and its real size.
    std::optional<HeaderWords> inner;
    std::uint32_t innerSize = 0;
};

// Empty when the file cannot be read or is shorter than the 16 bytes of
// the common header words. The first level of a compressed body is inflated
// within `maxInflatedBytes`, as a load would.
std::optional<HeaderSummary> SummarizeHeader(const std::filesystem::path& path,
                                             std::uint64_t maxInflatedBytes = kDefaultMaxInflatedBytes);

}  // namespace tvx
