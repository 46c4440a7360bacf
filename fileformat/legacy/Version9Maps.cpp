#include <algorithm>
#include <array>

#include "fileformat/container/SceneFolder.h"
#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

// Two words of the older map entry that readers skip; these are the values
// the v2.x exporter always stored there.
constexpr std::int32_t kEntryConstantA = 0x2100;
constexpr std::int32_t kEntryConstantB = 0x2901;
// The leading int of the single-file payloads. Readers take it as the map's
// flags (all kinds but 2), so the flags in the entry's header do not survive.
constexpr std::int32_t kSingleFileLead = 1;
constexpr std::size_t kLayeredSlots = 3;

bool WriteSingleFileFields(const TVXMap& map, FileWriter& w) {
    switch (map.kind) {
    case 1:
        return w.Int(map.int1) && w.Float(map.float1) && w.Float(map.float2);
    case 2:
        return w.Int(map.int1) && w.Float(map.float1) && w.Float(map.float2) && w.Float(map.float3) &&
               w.Float(map.float4) && w.Int(map.int2) && w.Int(map.int3);
    case 3:
        return w.Int(map.int1) && w.Float(map.float1) && w.Float(map.float2) && w.Int(map.int2);
    default:  // 6 and 7
        return w.Int(map.int1);
    }
}

bool WriteSingleFile(const TVXMap& map, FileWriter& w) {
    return w.Int(kSingleFileLead) && WriteVersion9FileName(map.fileName, w) && WriteSingleFileFields(map, w);
}

// The older form has room for exactly three layers; a missing one is stored
// as an empty layer of full weight, and layers past the third are dropped.
bool WriteLayered(const TVXMap& map, FileWriter& w) {
    std::array<TVXMapEntry, kLayeredSlots> layers{};
    const std::size_t present = std::min(map.entries.size(), kLayeredSlots);
    std::copy_n(map.entries.begin(), present, layers.begin());
    const auto mask = static_cast<std::int32_t>((1u << present) - 1u);
    bool ok = w.Int(mask);
    for (const TVXMapEntry& layer : layers) {
        ok = ok && WriteVersion9FileName(layer.fileName, w);
    }
    for (const TVXMapEntry& layer : layers) {
        ok = ok && w.Int(layer.int1);
    }
    for (const TVXMapEntry& layer : layers) {
        ok = ok && w.Int(layer.int2);
    }
    for (std::size_t i = 0; i < kLayeredSlots; ++i) {
        ok = ok && w.Int(0);
    }
    for (const TVXMapEntry& layer : layers) {
        ok = ok && w.Float(layer.weight);
    }
    return ok;
}

// The mask tells which faces carry a name in the file, so it is taken from
// the bare names as written: a stored folder without a file name counts as
// absent.
bool WriteCube(const TVXMap& map, FileWriter& w) {
    std::array<TVXString, kCubeFaceCount> faces{};
    std::int32_t mask = 0;
    for (std::size_t i = 0; i < faces.size() && i < map.faceNames.size(); ++i) {
        faces[i] = BareFileName(map.faceNames[i]);
        if (!faces[i].empty()) {
            mask |= 1 << i;
        }
    }
    return w.Int(mask) && std::all_of(faces.begin(), faces.end(), [&w](const TVXString& face) {
               return w.NarrowString(face.narrowView());
           });
}

}  // namespace

bool WriteVersion9FileName(const TVXString& stored, FileWriter& writer) {
    return writer.NarrowString(BareFileName(stored).narrowView());
}

bool WriteVersion9Map(const TVXMap& map, FileWriter& writer) {
    if (!writer.Int(map.key) || !writer.Int(map.kind) || !writer.Int(kEntryConstantA) ||
        !writer.Int(kEntryConstantB) || !writer.Int(map.flags)) {
        return false;
    }
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::SingleFile:
        return WriteSingleFile(map, writer);
    case TVXMapPayload::Layered:
        return WriteLayered(map, writer);
    case TVXMapPayload::Cube:
        return WriteCube(map, writer);
    case TVXMapPayload::None:  // readers know no payload for other kinds
        break;
    }
    return true;
}

}  // namespace tvx
