// Materials and their texture maps in the version-31 layout.
#include <unordered_set>

#include "document/MaterialRecords.h"
#include "fileformat/container/SceneFolder.h"
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

// Texture files travel beside the scene file, so only the name and extension
// are stored; a reader puts its own folder in front.
bool FileName(FileWriter& w, const TVXString& stored) { return w.NarrowString(BareFileName(stored).narrowView()); }

// The payloads of the single-file kinds are prefixes of one common field list.
bool WriteSingleFile(FileWriter& w, const TVXMap& map) {
    if (!FileName(w, map.fileName) || !w.Int(map.int1)) {
        return false;
    }
    switch (map.kind) {
    case 1:
        return w.Float(map.float1) && w.Float(map.float2);
    case 2:
        return w.Float(map.float1) && w.Float(map.float2) && w.Float(map.float3) && w.Float(map.float4) &&
               w.Int(map.int2) && w.Int(map.int3);
    case 3:
        return w.Float(map.float1) && w.Float(map.float2) && w.Int(map.int2);
    default:  // 6 and 7
        return true;
    }
}

bool WriteLayered(FileWriter& w, const TVXMap& map) {
    if (!w.Int(Count(map.entries))) {
        return false;
    }
    for (const TVXMapEntry& entry : map.entries) {
        if (!FileName(w, entry.fileName) || !w.Int(entry.int1) || !w.Int(entry.int2) || !w.Float(entry.weight)) {
            return false;
        }
    }
    return true;
}

// The record always holds six names; a face the map lacks is written empty.
bool WriteCube(FileWriter& w, const TVXMap& map) {
    const TVXString empty;
    for (int face = 0; face < kCubeFaceCount; ++face) {
        const auto at = static_cast<std::size_t>(face);
        if (!FileName(w, at < map.faceNames.size() ? map.faceNames[at] : empty)) {
            return false;
        }
    }
    return true;
}

bool WritePayload(FileWriter& w, const TVXMap& map) {
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::SingleFile:
        return WriteSingleFile(w, map);
    case TVXMapPayload::Layered:
        return WriteLayered(w, map);
    case TVXMapPayload::Cube:
        return WriteCube(w, map);
    case TVXMapPayload::None:  // a reader knows no payload for other kinds and expects none
        break;
    }
    return true;
}

bool WriteMap(FileWriter& w, const TVXMap& map) {
    return w.Int(map.key) && w.Int(map.kind) && w.Int(map.flags) && w.Vector(map.offset) && w.Vector(map.tiling) &&
           w.Vector(map.angle) && WritePayload(w, map);
}

// The layout has no empty slot, so empty slots are left out. A reader
// rejects the whole file when two maps of a material share a key; only the
// first map with a key counts in a material (it is the one a lookup finds),
// so any later one is left out too.
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

bool WriteMaps(FileWriter& w, const TVXMaterial& material) {
    const std::vector<const TVXMap*> maps = MapsToWrite(material);
    if (!w.Int(Count(maps))) {
        return false;
    }
    for (const TVXMap* map : maps) {
        if (!WriteMap(w, *map)) {
            return false;
        }
    }
    return true;
}

bool WriteMaterial(FileWriter& w, const TVXMaterial& material) {
    if (!w.NarrowString(material.name.narrowView()) || !w.Int(material.flags)) {
        return false;
    }
    for (const RGBA& colour : material.colors) {
        if (!w.Colour(colour)) {
            return false;
        }
    }
    return w.Float(material.shininess) && w.Float(material.opacity) && WriteMaps(w, material);
}

}  // namespace

bool WriteVersion31Materials(FileWriter& writer, const Version31Content& content, int count) {
    for (int i = 0; i < count; ++i) {
        if (!WriteMaterial(writer, content.scene.materials[static_cast<std::size_t>(i)])) {
            return false;
        }
    }
    return true;
}

}  // namespace tvx
