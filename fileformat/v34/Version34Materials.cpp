// The material section: materials with their texture maps. A material's
// head, a map's placement, the single-file payloads and the layers of a
// layered map are the records of the newer legacy map entry.
#include <cstddef>
#include <optional>
#include <unordered_set>

#include "document/MaterialMaps.h"
#include "fileformat/container/RecordNames.h"
#include "fileformat/container/SceneFolder.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/v34/Version34Sections.h"
#include "fileformat/v34/Version34TextureLinks.h"

namespace tvx::v34 {
namespace {

// key, kind, flags and three vectors: the least a map takes in the file.
constexpr std::uint32_t kMinMapBytes = 48;
// An empty name and three numbers: the least a layered-map entry takes.
constexpr std::uint32_t kMinEntryBytes = 14;

bool ReadMaterialHead(TVXFileReader& reader, TVXMaterial& material) {
    Version34Io io(reader);
    return MaterialHeadFields(io, material);
}

void StoreMaterialHead(const TVXMaterial& from, TVXMaterial& to) {
    to.name = from.name;
    to.flags = from.flags;
    to.colors = from.colors;
    to.shininess = from.shininess;
    to.opacity = from.opacity;
}

bool WalkLayeredEntries(Walk& walk, TVXMap& map, bool store) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<TVXMapEntry>(count)) {
        return false;
    }
    if (store && count > 0 && (!BytesCanHold(reader, count, kMinEntryBytes) || !AllocMapEntries(map, count))) {
        return false;
    }
    Version34Io io(reader);
    TVXMapEntry dropped;
    for (int k = 0; k < count; ++k) {
        if (!NewLayerFields(io, store ? map.entries[static_cast<std::size_t>(k)] : dropped)) {
            return false;
        }
    }
    return true;
}

bool ReadCubeFaces(TVXFileReader& reader, TVXMap& map) {
    if (map.faceNames.size() != kCubeFaceCount) {
        return false;
    }
    for (TVXString& face : map.faceNames) {
        if (!ReadName(reader, face)) {
            return false;
        }
    }
    return true;
}

bool ReadPayload(Walk& walk, TVXMap& map, bool store) {
    Version34Io io(walk.reader);
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::SingleFile:
        return SingleFileFields(io, map);
    case TVXMapPayload::Layered:
        return WalkLayeredEntries(walk, map, store);
    case TVXMapPayload::Cube:
        return ReadCubeFaces(walk.reader, map);
    case TVXMapPayload::None:  // other kinds carry nothing after the header
        break;
    }
    return true;
}

// Where the maps of materials that are not stored are read to. Made once per
// section: a cube map's six names need room.
TVXMap MakeScratchMap() {
    TVXMap map;
    map.faceNames.resize(kCubeFaceCount);
    return map;
}

// Reads one map into slot j of `material`, or into `scratch` without one.
bool WalkMap(Walk& walk, TVXMaterial* material, int j, std::unordered_set<int>& usedKeys, TVXMap& scratch,
             const std::filesystem::path& folder) {
    TVXFileReader& reader = walk.reader;
    int key = 0, kind = 0;
    if (!reader.ReadInt(key) || !reader.ReadInt(kind) || !walk.ReserveBytes(MapPayloadBytes(kind))) {
        return false;
    }
    TVXMap* map = &scratch;
    if (material != nullptr) {
        // A refusal means a second map with this key: the material would be
        // ambiguous, so the file is rejected.
        map = CreateMap(*material, j, key, kind, usedKeys);
        if (map == nullptr) {
            reader.NoteFault(FaultKind::DuplicateKey);
            return false;
        }
    }
    map->kind = kind;
    Version34Io io(reader);
    if (!MapPlacementFields(io, *map) || !ReadPayload(walk, *map, material != nullptr)) {
        return false;
    }
    if (material != nullptr) {
        RelinkTextures(*map, folder);
    }
    return true;
}

bool WalkMaps(Walk& walk, TVXMaterial* material, TVXMap& scratch, const std::filesystem::path& folder) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<std::optional<TVXMap>>(count)) {
        return false;
    }
    if (material != nullptr && count > 0 &&
        (!BytesCanHold(reader, count, kMinMapBytes) || !AllocMapSlots(*material, count))) {
        return false;
    }
    // One set per material: duplicate keys are found without rescanning the
    // slots, so many maps cost linear time.
    std::unordered_set<int> usedKeys;
    for (int j = 0; j < count; ++j) {
        if (!WalkMap(walk, material, j, usedKeys, scratch, folder)) {
            reader.LocateFault(kRecordName<TVXMap>, j);
            return false;
        }
    }
    return true;
}

}  // namespace

int WalkMaterials(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    const std::filesystem::path folder = SceneFolder(walk.scene);
    if (walk.filling()) {
        // Stored texture names may be relative to the scene file.
        ChangeToSceneFolder(walk.scene);
    }
    TVXMap scratch = MakeScratchMap();
    TVXMaterial head;
    for (int i = 0; i < count; ++i) {
        if (!ReadMaterialHead(walk.reader, head)) {
            walk.reader.LocateFault(kRecordName<TVXMaterial>, i);
            return 0;
        }
        TVXMaterial* material = nullptr;
        if (walk.filling() && i < Count(walk.scene.materials)) {
            material = &walk.scene.materials[static_cast<std::size_t>(i)];
            StoreMaterialHead(head, *material);
        }
        if (!WalkMaps(walk, material, scratch, folder)) {
            walk.reader.LocateFault(kRecordName<TVXMaterial>, i);
            return 0;
        }
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.materialCount = count;
    }
    return 1;
}

}  // namespace tvx::v34
