// Materials and their texture maps in a legacy body, listed once, field by
// field in stored order, for both forms of the map entry: the older one of
// versions 6 to 30 (which the version-9 writer emits) and the newer one of 31
// to 33.
//
// `io` is a LegacyReadIo or a LegacyWriteIo, as in SceneRecordFields.h. What
// the two sides do beyond walking the fields is in the overloads declared
// here: a reader files each map into the material's slot table by its key
// and moves the stored file names to the scene's folder; a writer chooses
// which maps go out and stores bare file names.
#pragma once

#include <algorithm>
#include <cstdint>

#include "document/MaterialRecords.h"
#include "fileformat/legacy/LegacyIo.h"

namespace tvx {

// Two words of the older entry that readers skip; the values the v2.x
// exporter always stored there.
inline constexpr std::int32_t kOldEntryConstantA = 0x2100;
inline constexpr std::int32_t kOldEntryConstantB = 0x2901;
// The int that leads an older single-file payload. Readers take it as the
// map's flags, so the flags in the entry's header do not survive it.
inline constexpr std::int32_t kSingleFileLead = 1;
// The older entry holds a layered map as exactly three layers.
inline constexpr int kOldLayerCount = 3;
// Kind 2 stores an int where the others lead their payload with flags; it
// never meant the map's flags.
inline constexpr int kKindWithoutPayloadFlags = 2;

// A texture file name. Texture files travel beside the scene file: a writer
// stores the bare name and extension, a reader puts its folder in front.
[[nodiscard]] bool FileNameField(LegacyReadIo& io, TVXString& name);
[[nodiscard]] bool FileNameField(LegacyWriteIo& io, const TVXString& name);

// The six face names of a cube map, relinked together by a reader; a writer
// stores a face the map lacks as an empty name.
[[nodiscard]] bool CubeFaceFields(LegacyReadIo& io, TVXMap& map);
[[nodiscard]] bool CubeFaceFields(LegacyWriteIo& io, const TVXMap& map);

// The three layers of an older layered payload. A reader gives the map
// three entries; a writer stores a missing layer as an empty one of full
// weight and drops layers past the third.
[[nodiscard]] bool OldLayerFields(LegacyReadIo& io, TVXMap& map);
[[nodiscard]] bool OldLayerFields(LegacyWriteIo& io, const TVXMap& map);

// The counted layers of a newer layered payload. A reader gives a map
// without stored layers the three that every older layered map has.
[[nodiscard]] bool NewLayerList(LegacyReadIo& io, TVXMap& map);
[[nodiscard]] bool NewLayerList(LegacyWriteIo& io, const TVXMap& map);

// A material's maps: their count, then per map its key and kind and
// MapFields. A reader creates each map in the next slot of a fresh slot
// table (a second map with a key fails the load). The layout has no empty
// slot, and a reader rejects a material with two maps of one key, so a
// writer leaves out empty slots and every map after the first of a key (the
// one a lookup finds).
[[nodiscard]] bool MapList(LegacyReadIo& io, TVXMaterial& material);
[[nodiscard]] bool MapList(LegacyWriteIo& io, const TVXMaterial& material);

// What a writer leads an older payload with: the mask of the layers or cube
// faces it holds, or kSingleFileLead.
[[nodiscard]] std::int32_t OldPayloadLead(const TVXMap& map);

// The payloads of the single-file kinds are prefixes of one common list.
template <class Io, class Map>
[[nodiscard]] bool SingleFileFields(Io& io, Map& map) {
    if (!FileNameField(io, map.fileName) || !io.Int(map.int1)) {
        return false;
    }
    switch (map.kind) {
    case 1:
        return io.Float(map.float1) && io.Float(map.float2);
    case 2:
        return io.Float(map.float1) && io.Float(map.float2) && io.Float(map.float3) && io.Float(map.float4) &&
               io.Int(map.int2) && io.Int(map.int3);
    case 3:
        return io.Float(map.float1) && io.Float(map.float2) && io.Int(map.int2);
    default:  // 6 and 7
        return true;
    }
}

template <class Io, class Layer>
[[nodiscard]] bool NewLayerFields(Io& io, Layer& layer) {
    return FileNameField(io, layer.fileName) && io.Int(layer.int1) && io.Int(layer.int2) && io.Float(layer.weight);
}

// The older payload stores its three layers field by field: three names,
// then three of each int, three unused words, then three weights.
template <class Io, class Layers>
[[nodiscard]] bool OldLayersFields(Io& io, Layers& layers) {
    const auto each = [&layers](auto field) { return std::all_of(layers.begin(), layers.end(), field); };
    std::int32_t unused = 0;
    return each([&io](auto& layer) { return FileNameField(io, layer.fileName); }) &&
           each([&io](auto& layer) { return io.Int(layer.int1); }) &&
           each([&io](auto& layer) { return io.Int(layer.int2); }) &&
           each([&io, &unused](auto&) { return io.Fixed(unused, 0); }) &&
           each([&io](auto& layer) { return io.Float(layer.weight); });
}

template <class Io, class Map>
[[nodiscard]] bool OldPayloadFields(Io& io, Map& map) {
    const TVXMapPayload payload = StoredPayloadOfKind(map.kind);
    if (payload == TVXMapPayload::None) {
        return true;
    }
    std::int32_t unused = 0;
    auto& leadField = map.kind == kKindWithoutPayloadFlags ? unused : map.flags;
    if (!io.Derived(leadField, [&map] { return OldPayloadLead(map); })) {
        return false;
    }
    switch (payload) {
    case TVXMapPayload::Layered:
        return OldLayerFields(io, map);
    case TVXMapPayload::Cube:
        return CubeFaceFields(io, map);
    default:
        return SingleFileFields(io, map);
    }
}

template <class Io, class Map>
[[nodiscard]] bool NewPayloadFields(Io& io, Map& map) {
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::Layered:
        return NewLayerList(io, map);
    case TVXMapPayload::Cube:
        return CubeFaceFields(io, map);
    case TVXMapPayload::SingleFile:
        return SingleFileFields(io, map);
    case TVXMapPayload::None:  // a reader knows no payload for other kinds and expects none
        break;
    }
    return true;
}

// What the newer entry stores after the key and kind, before the payload.
template <class Io, class Map>
[[nodiscard]] bool MapPlacementFields(Io& io, Map& map) {
    return io.Int(map.flags) && io.Vector(map.offset) && io.Vector(map.tiling) && io.Vector(map.angle);
}

// A map after its key and kind.
template <class Io, class Map>
[[nodiscard]] bool MapFields(Io& io, Map& map) {
    if (io.format().newMapEntry) {
        return MapPlacementFields(io, map) && NewPayloadFields(io, map);
    }
    std::int32_t unused = 0;
    if (!io.Fixed(unused, kOldEntryConstantA) || !io.Fixed(unused, kOldEntryConstantB) || !io.Int(map.flags)) {
        return false;
    }
    if constexpr (!Io::kWrites) {
        // The older entry stores no tiling switches, so the bits that every
        // new map starts with (tiling in U and V among them) are added.
        map.flags |= kMapFlagsAtCreation;
    }
    return OldPayloadFields(io, map);
}

// A material's name, then flags, the five colours and the two values in one
// 92-byte block.
template <class Io, class Material>
[[nodiscard]] bool MaterialHeadFields(Io& io, Material& material) {
    if (!io.String(material.name) || !io.Int(material.flags)) {
        return false;
    }
    for (auto& colour : material.colors) {
        if (!io.Colour(colour)) {
            return false;
        }
    }
    return io.Float(material.shininess) && io.Float(material.opacity);
}

template <class Io, class Material>
[[nodiscard]] bool MaterialFields(Io& io, Material& material) {
    return MaterialHeadFields(io, material) && MapList(io, material);
}

inline constexpr auto kMaterialFields = [](auto& io, auto& material) { return MaterialFields(io, material); };

}  // namespace tvx
