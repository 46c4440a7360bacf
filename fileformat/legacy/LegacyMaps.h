// The map entries of a legacy material: the form of versions 6..30 and the
// form of versions 31..33.
#pragma once

#include <unordered_set>

#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

// Reads the map entry for `slot`. In the fill pass it creates the map in the
// material's fresh slot table, whose keys so far are `usedKeys`; a second map
// with the same key fails. The count pass reads the entry into a scratch map
// and leaves the material alone.
[[nodiscard]] bool ReadLegacyMapEntry(LegacyPass& pass, TVXMaterial& material, int slot,
                                      std::unordered_set<int>& usedKeys);

}  // namespace tvx
