// Choices a caller makes for one load.
#pragma once

namespace tvx {

struct LoadOptions {
    // Write the files that a version-34 scene embeds into the scene's
    // folder. The importer does; inspection tools only when asked.
    bool writeEmbeddedFiles = false;
};

}  // namespace tvx
