// The whole save of an exporter's scene into a target file.
#pragma once

#include <filesystem>

#include "fileformat/legacy/ExporterData.h"
#include "fileformat/container/OutputFile.h"

namespace tvx {

// Writes the scene uncompressed into a fresh temporary file ("tvx" prefix,
// in the user's temporary folder) in version 31, or version 9 when
// exportLegacyLayout is on, then compresses it into the target. Returns 1 or
// 0. A writer that fails stops the save before the target is touched: a
// half-written scene never reaches it. The temporary file is always deleted.
[[nodiscard]] int SaveSceneFile(TVXExporterData& data, const std::filesystem::path& target);

// The same into a temporary file the caller made and opened: `file` is open
// on `temporary`. Closes the file; the temporary file is gone afterwards.
[[nodiscard]] int SaveSceneFileVia(TVXExporterData& data, StdioOutputFile& file, const std::filesystem::path& temporary,
                                   const std::filesystem::path& target);

}  // namespace tvx
