#include "fileformat/legacy/LegacyMaps.h"

#include <algorithm>
#include <array>

#include "document/MaterialMaps.h"
#include "fileformat/legacy/LegacyTextureNames.h"

namespace tvx {
namespace {

// The common part of the older entry stores no tiling switches, so the bits
// that every new map starts with (tiling in U and V among them) are added to
// the flags it stores. Most kinds then replace the flags by the first int of
// their payload.
constexpr int kOldMapFlagsAlwaysSet = kMapFlagsAtCreation;
constexpr int kOldLayeredEntries = 3;
constexpr int kFirstKnownKind = 1;
constexpr int kLastKnownKind = 7;

bool IsKnownKind(int kind) { return kind >= kFirstKnownKind && kind <= kLastKnownKind; }

// The fields after the file name of the single-file kinds, as prefixes of
// one common list.
bool ReadSingleFileFields(LegacyPass& pass, TVXMap& map) {
    switch (map.kind) {
    case 1:
        return pass.Int(map.int1) && pass.Float(map.float1) && pass.Float(map.float2);
    case 2:
        return pass.Int(map.int1) && pass.Float(map.float1) && pass.Float(map.float2) && pass.Float(map.float3) &&
               pass.Float(map.float4) && pass.Int(map.int2) && pass.Int(map.int3);
    case 3:
        return pass.Int(map.int1) && pass.Float(map.float1) && pass.Float(map.float2) && pass.Int(map.int2);
    default:  // 6 and 7
        return pass.Int(map.int1);
    }
}

bool ReadSingleFile(LegacyPass& pass, TVXMap& map) {
    if (!pass.String(map.fileName)) {
        return false;
    }
    RelinkTextureName(pass, map.fileName);
    return ReadSingleFileFields(pass, map);
}

// The count pass's scratch map has no face names; the names are read all
// the same.
bool ReadCube(LegacyPass& pass, TVXMap& map) {
    std::array<TVXString, kCubeFaceCount> names;
    for (TVXString& name : names) {
        if (!pass.String(name)) {
            return false;
        }
    }
    if (map.faceNames.size() == names.size()) {
        RelinkCubeFaceNames(pass, names);
        std::copy(names.begin(), names.end(), map.faceNames.begin());
    }
    return true;
}

TVXMapEntry* EntryTarget(const LegacyPass& pass, TVXMap& map, int e, TVXMapEntry& scratch) {
    return RecordTarget(FillList(pass, map.entries), e, scratch);
}

// Versions 6..30 store the three entries field by field: three names, then
// three of each int, then three weights.
bool ReadOldLayered(LegacyPass& pass, TVXMap& map) {
    TVXMapEntry scratch;
    const auto each = [&](auto readField) {
        for (int e = 0; e < kOldLayeredEntries; ++e) {
            TVXMapEntry* entry = EntryTarget(pass, map, e, scratch);
            if (entry == nullptr || !readField(*entry)) {
                return false;
            }
        }
        return true;
    };
    int dropped = 0;
    return each([&](TVXMapEntry& entry) {
               if (!pass.String(entry.fileName)) {
                   return false;
               }
               RelinkTextureName(pass, entry.fileName);
               return true;
           }) &&
           each([&](TVXMapEntry& entry) { return pass.Int(entry.int1); }) &&
           each([&](TVXMapEntry& entry) { return pass.Int(entry.int2); }) &&
           each([&](TVXMapEntry&) { return pass.Int(dropped); }) &&
           each([&](TVXMapEntry& entry) { return pass.Float(entry.weight); });
}

bool ReadNewLayeredEntry(LegacyPass& pass, TVXMapEntry& entry) {
    if (!pass.String(entry.fileName)) {
        return false;
    }
    RelinkTextureName(pass, entry.fileName);
    return pass.Int(entry.int1) && pass.Int(entry.int2) && pass.Float(entry.weight);
}

// A layered map without stored entries still gets the three entries that
// every layered map of the older form has.
bool ReadNewLayered(LegacyPass& pass, TVXMap& map) {
    int s = 0;
    if (!pass.Int(s)) {
        return false;
    }
    const int entries = s > 0 ? s : kOldLayeredEntries;
    if (!pass.Reserve<TVXMapEntry>(entries) || (pass.filling && !AllocMapEntries(map, entries))) {
        return false;
    }
    return ReadRecords(pass, FillList(pass, map.entries), s, ReadNewLayeredEntry);
}

bool ReadOldPayload(LegacyPass& pass, TVXMap& map) {
    if (!IsKnownKind(map.kind)) {
        return true;
    }
    if (map.kind == kMapKindLayered && (!pass.Reserve<TVXMapEntry>(kOldLayeredEntries) ||
                                        (pass.filling && !AllocMapEntries(map, kOldLayeredEntries)))) {
        return false;
    }
    int flags = 0;
    if (!pass.Int(flags)) {
        return false;
    }
    // Kind 2 stores an int here that never meant its flags.
    if (map.kind != 2) {
        map.flags = flags;
    }
    switch (map.kind) {
    case kMapKindLayered:
        return ReadOldLayered(pass, map);
    case kMapKindCube:
        return ReadCube(pass, map);
    default:
        return ReadSingleFile(pass, map);
    }
}

bool ReadNewPayload(LegacyPass& pass, TVXMap& map) {
    switch (map.kind) {
    case kMapKindLayered:
        return ReadNewLayered(pass, map);
    case kMapKindCube:
        return ReadCube(pass, map);
    default:
        return !IsKnownKind(map.kind) || ReadSingleFile(pass, map);
    }
}

struct MapHeader {
    int key = 0;
    int kind = 0;
    int flags = 0;
    Vector3 offset{};
    Vector3 tiling{};
    Vector3 angle{};
};

bool ReadMapHeader(LegacyPass& pass, MapHeader& header) {
    if (!pass.Int(header.key) || !pass.Int(header.kind)) {
        return false;
    }
    if (pass.format.newMapEntry) {
        return pass.Int(header.flags) && pass.reader.ReadVector3(header.offset) &&
               pass.reader.ReadVector3(header.tiling) && pass.reader.ReadVector3(header.angle);
    }
    int dropped = 0;
    return pass.Int(dropped) && pass.Int(dropped) && pass.Int(header.flags);
}

TVXMap* MapFor(LegacyPass& pass, TVXMaterial& material, int slot, const MapHeader& header,
               std::unordered_set<int>& usedKeys, TVXMap& scratch) {
    if (!pass.filling) {
        scratch.key = header.key;
        scratch.kind = header.kind;
        return pass.ReserveBytes(MapPayloadBytes(header.kind)) ? &scratch : nullptr;
    }
    return CreateMap(material, slot, header.key, header.kind, usedKeys);
}

void ApplyHeader(const LegacyFormat& format, const MapHeader& header, TVXMap& map) {
    if (!format.newMapEntry) {
        map.flags = header.flags | kOldMapFlagsAlwaysSet;
        return;
    }
    map.flags = header.flags;
    map.offset = header.offset;
    map.tiling = header.tiling;
    map.angle = header.angle;
}

}  // namespace

bool ReadLegacyMapEntry(LegacyPass& pass, TVXMaterial& material, int slot, std::unordered_set<int>& usedKeys) {
    MapHeader header;
    if (!ReadMapHeader(pass, header)) {
        return false;
    }
    TVXMap scratch;
    TVXMap* map = MapFor(pass, material, slot, header, usedKeys, scratch);
    if (map == nullptr) {
        return false;
    }
    ApplyHeader(pass.format, header, *map);
    return pass.format.newMapEntry ? ReadNewPayload(pass, *map) : ReadOldPayload(pass, *map);
}

}  // namespace tvx
