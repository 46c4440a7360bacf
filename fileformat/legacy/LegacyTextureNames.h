// Where the texture files named in a legacy scene are looked for.
//
// Stored names carry the folders of the machine that wrote the scene; the
// textures are looked for beside the scene file instead. Which names are
// moved to the scene's folder depends on the version: up to 30 every name
// (version 10 keeps the names of files that exist), 31 and 32 every name, 33
// only the names of files that are missing. The six faces of a cube map stay together from 31 on:
// moving some faces and not others would split one map across two folders.
#pragma once

#include <span>

#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

// One file name of a map or map entry, just read in the fill pass.
void RelinkTextureName(const LegacyPass& pass, TVXString& name);

// The six face names of a cube map, just read in the fill pass.
void RelinkCubeFaceNames(const LegacyPass& pass, std::span<TVXString> names);

}  // namespace tvx
