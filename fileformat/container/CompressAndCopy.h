// The exporter's last step: compress the uncompressed scene file that a
// layout writer left at a temporary path into the target file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tvx {

// `header` is the layout writer's header (32 words after the version-31
// writer, 24 after the version-9 one). Its words 0..3 are overwritten with
// "TVXH", 8, 0x12 and the uncompressed size; the rest stays, word 5 being the
// header size, which is where the compressed stream starts. The target gets
// the header and then the zlib stream of the whole temporary file.
//
// Returns 1 only when the target was written completely. On failure the
// file that was at the target is left untouched. The temporary file is
// deleted in every case that had one.
[[nodiscard]] int CompressAndCopy(std::span<std::uint32_t> header, const std::filesystem::path& tempPath,
                                  const std::filesystem::path& targetPath);

}  // namespace tvx
