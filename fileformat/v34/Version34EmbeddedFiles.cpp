// The embedded-file section: files that travel inside the scene (textures,
// mostly) and are written beside it when the caller asks.
#include "fileformat/container/EmbeddedFile.h"
#include "fileformat/container/SceneFolder.h"
#include "fileformat/v34/Version34Sections.h"

namespace tvx::v34 {

// Both passes walk every file, so that a section whose files run past its
// chunk leaves the position where the fill pass will. The fill pass only
// notes the files: they are written once the whole scene has loaded, so a
// file that fails in a later section leaves nothing behind.
int WalkEmbeddedFiles(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    const bool keep = walk.options.writeEmbeddedFiles;
    if (keep && !walk.Reserve<EmbeddedFileAt>(count)) {
        return 0;
    }
    if (keep && walk.filling()) {
        walk.embeddedFiles.reserve(walk.embeddedFiles.size() + static_cast<std::size_t>(count));
    }
    TVXString name;
    for (int i = 0; i < count; ++i) {
        std::int32_t byteCount = 0;
        if (!ReadName(walk.reader, name) || !walk.reader.ReadInt(byteCount) || byteCount < 0 ||
            static_cast<std::uint32_t>(byteCount) > walk.reader.remaining()) {
            return 0;
        }
        const auto size = static_cast<std::uint32_t>(byteCount);
        if (keep && walk.filling() && size > 0) {
            walk.embeddedFiles.push_back({name, walk.reader.position(), size});
        }
        if (!walk.reader.Skip(size)) {
            return 0;
        }
    }
    return 1;
}

void WriteEmbeddedFiles(const Walk& walk) {
    // Without a scene folder there is nowhere safe to put them: a relative
    // target would land in whatever the current directory is.
    const std::filesystem::path folder = SceneFolder(walk.scene);
    if (folder.empty()) {
        return;
    }
    for (const EmbeddedFileAt& file : walk.embeddedFiles) {
        // An existing file is left alone and a failed write is not the
        // scene's failure; either way the scene itself still loads.
        (void)WriteEmbeddedFile(folder, file.name, walk.reader.bytes().subspan(file.offset, file.size));
    }
}

}  // namespace tvx::v34
