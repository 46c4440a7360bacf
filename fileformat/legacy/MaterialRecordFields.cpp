#include "fileformat/legacy/MaterialRecordFields.h"

#include <array>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "document/MaterialMaps.h"
#include "fileformat/container/SceneFolder.h"
#include "fileformat/legacy/LegacyTextureNames.h"

namespace tvx {
namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Where map j of a material is read to: the scratch map in the count pass,
// which charges the budget with the payload the fill pass will allocate;
// otherwise a new map in slot j.
TVXMap* MapTarget(LegacyReadIo& io, TVXMaterial& material, int j, int key, int kind,
                  std::unordered_set<int>& usedKeys, TVXMap& scratch) {
    if (!io.storing()) {
        scratch.key = key;
        scratch.kind = kind;
        return io.pass().ReserveBytes(MapPayloadBytes(kind)) ? &scratch : nullptr;
    }
    TVXMap* map = CreateMap(material, j, key, kind, usedKeys);
    if (map == nullptr) {
        io.pass().reader.NoteFault(FaultKind::DuplicateKey);
    }
    return map;
}

std::vector<const TVXMap*> MapsToWrite(const TVXMaterial& material) {
    std::vector<const TVXMap*> maps;
    std::unordered_set<int> keys;
    for (const std::optional<TVXMap>& slot : material.mapSlots) {
        if (slot.has_value() && keys.insert(slot->key).second) {
            maps.push_back(&*slot);
        }
    }
    return maps;
}

}  // namespace

bool FileNameField(LegacyReadIo& io, TVXString& name) {
    if (!io.String(name)) {
        return false;
    }
    RelinkTextureName(io.pass(), name);
    return true;
}

bool FileNameField(LegacyWriteIo& io, const TVXString& name) { return io.String(BareFileName(name)); }

// The count pass's scratch map has no face names; the names are read all
// the same.
bool CubeFaceFields(LegacyReadIo& io, TVXMap& map) {
    std::array<TVXString, kCubeFaceCount> names;
    for (TVXString& name : names) {
        if (!io.String(name)) {
            return false;
        }
    }
    if (map.faceNames.size() == names.size()) {
        RelinkCubeFaceNames(io.pass(), names);
        std::move(names.begin(), names.end(), map.faceNames.begin());
    }
    return true;
}

bool CubeFaceFields(LegacyWriteIo& io, const TVXMap& map) {
    const TVXString empty;
    for (int face = 0; face < kCubeFaceCount; ++face) {
        if (!FileNameField(io, At(face) < map.faceNames.size() ? map.faceNames[At(face)] : empty)) {
            return false;
        }
    }
    return true;
}

bool OldLayerFields(LegacyReadIo& io, TVXMap& map) {
    if (!io.pass().Reserve<TVXMapEntry>(kOldLayerCount)) {
        return false;
    }
    if (!io.storing()) {
        std::array<TVXMapEntry, kOldLayerCount> scratch;
        return OldLayersFields(io, scratch);
    }
    return AllocMapEntries(map, kOldLayerCount) && OldLayersFields(io, map.entries);
}

bool OldLayerFields(LegacyWriteIo& io, const TVXMap& map) {
    std::array<TVXMapEntry, kOldLayerCount> layers{};
    std::copy_n(map.entries.begin(), std::min(map.entries.size(), layers.size()), layers.begin());
    return OldLayersFields(io, std::as_const(layers));
}

bool NewLayerList(LegacyReadIo& io, TVXMap& map) {
    int stored = 0;
    if (!io.Int(stored)) {
        return false;
    }
    const int layers = stored > 0 ? stored : kOldLayerCount;
    if (!io.pass().Reserve<TVXMapEntry>(layers) || (io.storing() && !AllocMapEntries(map, layers))) {
        return false;
    }
    TVXMapEntry scratch;
    for (int i = 0; i < stored; ++i) {
        if (!NewLayerFields(io, io.storing() ? map.entries[At(i)] : scratch)) {
            return false;
        }
    }
    return true;
}

bool NewLayerList(LegacyWriteIo& io, const TVXMap& map) {
    if (!io.Int(Count(map.entries))) {
        return false;
    }
    return std::all_of(map.entries.begin(), map.entries.end(),
                       [&io](const TVXMapEntry& layer) { return NewLayerFields(io, layer); });
}

bool MapList(LegacyReadIo& io, TVXMaterial& material) {
    int m = 0;
    if (!io.Int(m)) {
        return false;
    }
    // The count pass walked these m entries, so their bytes are present.
    if (!io.pass().Reserve<std::optional<TVXMap>>(m) || (io.storing() && m > 0 && !AllocMapSlots(material, m))) {
        return false;
    }
    // A fresh key set per material: clearing one that a large material had
    // grown would cost its bucket count again for every later material.
    std::unordered_set<int> usedKeys;
    for (int j = 0; j < m; ++j) {
        int key = 0;
        int kind = 0;
        if (!io.Int(key) || !io.Int(kind)) {
            return false;
        }
        TVXMap scratch;
        TVXMap* map = MapTarget(io, material, j, key, kind, usedKeys, scratch);
        if (map == nullptr || !MapFields(io, *map)) {
            io.pass().reader.LocateFault(kRecordName<TVXMap>, j);
            return false;
        }
    }
    return true;
}

bool MapList(LegacyWriteIo& io, const TVXMaterial& material) {
    const std::vector<const TVXMap*> maps = MapsToWrite(material);
    if (!io.Int(Count(maps))) {
        return false;
    }
    return std::all_of(maps.begin(), maps.end(), [&io](const TVXMap* map) {
        return io.Int(map->key) && io.Int(map->kind) && MapFields(io, *map);
    });
}

std::int32_t OldPayloadLead(const TVXMap& map) {
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::Layered: {
        const std::size_t present = std::min(map.entries.size(), std::size_t{kOldLayerCount});
        return static_cast<std::int32_t>((1u << present) - 1u);
    }
    case TVXMapPayload::Cube: {
        // Which faces carry a name in the file, taken from the bare names
        // as written: a stored folder without a file name counts as absent.
        std::int32_t mask = 0;
        for (std::size_t i = 0; i < map.faceNames.size() && i < std::size_t{kCubeFaceCount}; ++i) {
            if (!BareFileName(map.faceNames[i]).empty()) {
                mask |= 1 << i;
            }
        }
        return mask;
    }
    default:
        return kSingleFileLead;
    }
}

}  // namespace tvx
