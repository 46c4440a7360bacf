// How much document memory a file may make a load ask for.
//
// Every count is backed by the bytes of its records, so memory grows only
// linearly with the file; but a record can be tiny in a file and large in the
// document (a group of versions 6..29 is a two-byte empty name in the file
// and almost a kilobyte in memory). Readers check the counts they learned
// against this budget before they allocate, so a hostile file cannot turn a
// few megabytes into gigabytes. Real scenes, whose bulk is vertices and
// polygons, stay far below it.
#pragma once

#include <cstdint>

#include "document/TVXScene.h"

namespace tvx {

// Bytes the scene's arrays take for these counts (the records themselves,
// not what they own).
std::uint64_t DocumentArrayBytes(const TVXFileCounts& counts, std::uint64_t legacyUVCoords);

// True when the arrays for these counts fit in 32 bytes per byte of file
// plus 64 MiB.
bool CountsFitFile(const TVXFileCounts& counts, std::uint64_t legacyUVCoords, std::uint64_t fileBytes);

}  // namespace tvx
