// Choices a caller makes for one load.
#pragma once

#include <cstdint>

#include "fileformat/container/ReadFault.h"

namespace tvx {

struct PoseTables;

// 1 GiB holds every real scene; a caller can raise it for one that is larger.
inline constexpr std::uint64_t kDefaultMaxInflatedBytes = 1ull << 30;

// The limit that refused a file, when one did (the load status is then 0).
enum class LoadLimit {
    None,
    InflatedSize,    // the body would inflate past the inflate budget
    DocumentMemory,  // the body asks for more document memory than its size allows
};

struct LoadOptions {
    // Write the files that a version-34 scene embeds into the scene's
    // folder. The importer does; inspection tools only when asked.
    bool writeEmbeddedFiles = false;

    // Bring a scene read with status 1 into the host's space and pose it
    // (ProcessLoadedScene), as the importer needs it. Off, the scene stays
    // exactly as stored in the file.
    bool processLoadedScene = true;

    // The tables the pose goes to; nullptr means the importer's own
    // (ImporterPoseTables). A load that processes replaces them, and a
    // failed one empties them, so they never describe another scene.
    PoseTables* poseTables = nullptr;

    // The most bytes a compressed body may inflate to, over all its levels
    // (InflateBudget).
    std::uint64_t maxInflatedBytes = kDefaultMaxInflatedBytes;

    // Where a refused load says which limit refused it; may be null.
    LoadLimit* limitHit = nullptr;
    // Where a failed load says what it met in the body, and where; may be
    // null. Untouched by a load that succeeds.
    ReadFault* faultSeen = nullptr;

    // The scene as stored: no processing, no embedded files written.
    static LoadOptions AsStored() {
        LoadOptions options;
        options.processLoadedScene = false;
        return options;
    }
};

}  // namespace tvx
