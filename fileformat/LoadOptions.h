// Choices a caller makes for one load.
#pragma once

namespace tvx {

struct PoseTables;

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

    // The scene as stored: no processing, no embedded files written.
    static LoadOptions AsStored() {
        LoadOptions options;
        options.processLoadedScene = false;
        return options;
    }
};

}  // namespace tvx
