// The two layouts the exporter writes, uncompressed, into an open file; the
// container step (CompressAndCopy) then turns that file into the target.
#pragma once

#include <cstdint>
#include <span>

#include "fileformat/legacy/ExporterData.h"
#include "fileformat/container/OutputFile.h"

namespace tvx {

inline constexpr std::size_t kVersion31HeaderWords = 32;
inline constexpr std::size_t kVersion9HeaderWords = 24;

// Version 31, the exporter's default. `header` starts zeroed and ends as the
// final header written at offset 0. Sets data.creatorNote to the save time.
// 1, or 0 at the first failed write.
[[nodiscard]] int WriteVersion31(TVXExporterData& data, OutputFile& file,
                                 std::span<std::uint32_t, kVersion31HeaderWords> header);

// Version 9, for "Export as TVX v2.x". The same contract with a 24-word
// header.
[[nodiscard]] int WriteVersion9File(TVXExporterData& data, OutputFile& file,
                                    std::span<std::uint32_t, kVersion9HeaderWords> header);

}  // namespace tvx
