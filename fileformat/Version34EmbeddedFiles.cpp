// The embedded-file section: files that travel inside the scene (textures,
// mostly) and are written beside it when the caller asks.
#include "fileformat/EmbeddedFile.h"
#include "fileformat/SceneFolder.h"
#include "fileformat/Version34Sections.h"

namespace tvx::v34 {

// Both passes walk every file, so that a section whose files run past its
// chunk leaves the position where the fill pass will, and so that a file
// whose bytes are not all there fails the load before anything is written.
int WalkEmbeddedFiles(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    const std::filesystem::path folder = SceneFolder(walk.scene);
    // Without a scene folder there is nowhere safe to put them: a relative
    // target would land in whatever the current directory is.
    const bool write = walk.filling() && walk.options.writeEmbeddedFiles && !folder.empty();
    TVXString name;
    for (int i = 0; i < count; ++i) {
        std::int32_t byteCount = 0;
        if (!ReadName(walk.reader, name) || !walk.reader.ReadInt(byteCount) || byteCount < 0 ||
            static_cast<std::uint32_t>(byteCount) > walk.reader.remaining()) {
            return 0;
        }
        const auto size = static_cast<std::uint32_t>(byteCount);
        if (write && size > 0) {
            // An existing file is left alone and a failed write is not the
            // scene's failure; either way the scene itself still loads.
            (void)WriteEmbeddedFile(folder, name, walk.reader.bytes().subspan(walk.reader.position(), size));
        }
        if (!walk.reader.Skip(size)) {
            return 0;
        }
    }
    return 1;
}

}  // namespace tvx::v34
