// Allocation of materials and their map slots, map creation and lookup.
#pragma once

#include <unordered_set>

#include "document/TVXScene.h"

namespace tvx {

// n materials named "Unassigned", everything else zero. 1 or 0.
[[nodiscard]] int AllocMaterials(TVXScene& scene, int n);
// Replaces the material's maps by m empty slots. 1 or 0.
[[nodiscard]] int AllocMapSlots(TVXMaterial& material, int m);

// Creates a map of the given kind in a slot (replacing whatever map of
// another key was there), with the
// kind's payload defaults, map flags 0x310000, offset (0,0,0), tiling (1,1,1)
// and angle (0,0,0). Refuses (nullptr, slot untouched) a slot out of range or
// a key that another map of the material already has.
TVXMap* CreateMap(TVXMaterial& material, int slot, int key, int kind);

// The same for readers that fill a fresh slot table through this call only:
// `usedKeys` holds the keys created so far and replaces the scan over the
// slots, so a hostile material with many maps costs linear time.
TVXMap* CreateMap(TVXMaterial& material, int slot, int key, int kind, std::unordered_set<int>& usedKeys);

// The first map with this key, scanning the slots in order.
TVXMap* FindMap(TVXMaterial& material, int key);
const TVXMap* FindMap(const TVXMaterial& material, int key);
// FindMap(key) when that map is a bitmap (kind 1).
const TVXMap* FindBitmap(const TVXMaterial& material, int key);
// The diffuse map when it is layered (kind 4).
const TVXMap* FindLayered(const TVXMaterial& material);

// Replaces a map's entries by e default entries (weight 1). Refuses e <= 0.
[[nodiscard]] int AllocMapEntries(TVXMap& map, int e);

// Releases every map and the slot table.
void ReleaseMaps(TVXMaterial& material);

}  // namespace tvx
