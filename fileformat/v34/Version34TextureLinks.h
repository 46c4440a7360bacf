// Texture names of a loaded map, pointed at the scene's folder when the file
// is no longer where the scene says.
#pragma once

#include <filesystem>

#include "document/MaterialRecords.h"

namespace tvx::v34 {

// Each stored name that names no existing file becomes folder + its bare
// name; names that exist stay as stored. A cube map's faces go together: if
// any is missing, all are relinked, so its six faces never come from two
// places. Empty names mean "no texture" and stay empty. Does nothing without
// a folder.
void RelinkTextures(TVXMap& map, const std::filesystem::path& folder);

}  // namespace tvx::v34
