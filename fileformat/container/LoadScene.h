// Loading a scene file: the container common to every layout.
//
// The file is read whole, its header checked (magic, version, length), a
// compressed body inflated, and the body handed to the reader of its layout.
// The result is a load status (FileConstants.h); any status but 1 leaves the
// scene empty.
#pragma once

#include <filesystem>

#include "document/TVXScene.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LayoutReaders.h"
#include "fileformat/container/LoadProgress.h"
#include "fileformat/container/TVXFileReader.h"

namespace tvx {

// Clears the scene, reads the file, parses it and, unless the options say
// otherwise, prepares it for the importer (ProcessLoadedScene). The scene
// keeps the file's absolute path: its folder is where texture names are
// relinked and embedded files are placed.
[[nodiscard]] LoadStatus LoadScene(TVXScene& scene, const std::filesystem::path& path, LoadProgress& progress,
                                   const LoadOptions& options = {}, const LayoutReaders& layouts = {});

// The parse alone, over a file already in memory (position 0). Does not clear
// the scene on failure; LoadScene does.
[[nodiscard]] LoadStatus ParseScene(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options = {},
                                    const LayoutReaders& layouts = {});

}  // namespace tvx
