// Entry points of the two body layouts that the container hands a file to.
#pragma once

#include "document/TVXScene.h"
#include "fileformat/container/LoadOptions.h"
#include "fileformat/container/MemoryBudget.h"
#include "fileformat/container/TVXFileReader.h"

namespace tvx {

// Both readers charge `budget` with the document memory the body asks for
// before they allocate it, and fail once it is exceeded.

// Reads the chunked body of a version-34 file. The header has been checked
// and the position stands just after its 48 bytes. Returns a load status.
[[nodiscard]] int ReadVersion34(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options,
                                MemoryBudget& budget);

// Reads the sequential body of versions 6 to 33. The header has been checked,
// scene.version holds its version and the position stands after the header.
// Returns 1 or 0.
[[nodiscard]] int ReadLegacyBody(TVXFileReader& reader, TVXScene& scene, MemoryBudget& budget);

// The readers a load dispatches to; tests put their own in to watch the
// dispatch.
struct LayoutReaders {
    int (*version34)(TVXFileReader&, TVXScene&, const LoadOptions&, MemoryBudget&) = ReadVersion34;
    int (*legacy)(TVXFileReader&, TVXScene&, MemoryBudget&) = ReadLegacyBody;
};

}  // namespace tvx
