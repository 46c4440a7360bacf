#include "exporter/MapConversion.h"

#include <array>
#include <optional>
#include <string>

#include "document/MaterialMaps.h"
#include "exporter/ExportRefusal.h"
#include "exporter/HostMaterialClasses.h"
#include "hostbridge/Angles.h"

namespace tvx::exporter {
namespace {


// Every exported map has 0x1; 0x2 marks one taken out of a container
// texture (a layered diffuse, the bitmap of a Normal Bump). No reader acts on
// either; files carry them.
constexpr int kMapFlagExported = 0x1;
constexpr int kMapFlagFromContainer = 0x2;

// A created map claims tiling in U and V, but the importer hands these bits
// back to the host as the bitmap's tiling, so a map only claims what its
// bitmap does. The creation flags' other bit is carried as it is.
constexpr int kMapFlagsWithoutTiling = kMapFlagsAtCreation & ~(kMapFlagTileU | kMapFlagTileV);

struct KeySlot {
    int key;
    int hostSlot;
    const char* name;
};

// In the order the maps are added.
constexpr std::array<KeySlot, 4> kKeySlots{{
    {kMapKeyDiffuse, hostapi::ID_DI, "diffuse"},
    {kMapKeyOpacity, hostapi::ID_OP, "opacity"},
    {kMapKeyBump, hostapi::ID_BU, "bump"},
    {kMapKeySpecular, hostapi::ID_SP, "specular"},
}};

// What one document map is made from.
struct MapSource {
    int key = 0;
    int kind = kMapKindBitmap;
    int flags = kMapFlagExported;
    // A bitmap map's image in [0]; a layered map's entries 0 and 1, either
    // of which may be missing.
    std::array<hostapi::BitmapTex*, 2> bitmaps{};
};

bool IsLayeringContainer(hostapi::Texmap& texture) {
    const hostapi::Class_ID id = texture.ClassID();
    return id == hostapi::Class_ID(hostapi::RGBMULT_CLASS_ID, 0) || id == hostapi::Class_ID(hostapi::MIX_CLASS_ID, 0) ||
           id == hostapi::Class_ID(hostapi::COMPOSITE_CLASS_ID, 0);
}

MapSource LayeredSource(hostapi::Texmap& container) {
    return {kMapKeyDiffuse, kMapKindLayered, kMapFlagExported | kMapFlagFromContainer,
            {AsBitmap(container.GetSubTexmap(0)), AsBitmap(container.GetSubTexmap(1))}};
}

// Only the normal map is carried, not the additional bump; without a bitmap
// there is no file to name, so no map.
std::optional<MapSource> NormalBumpSource(hostapi::Texmap& normalBump) {
    hostapi::BitmapTex* normal = AsBitmap(normalBump.GetSubTexmap(0));
    if (normal == nullptr) {
        return std::nullopt;
    }
    return MapSource{kMapKeyBump, kMapKindBitmap, kMapFlagExported | kMapFlagFromContainer, {normal, nullptr}};
}

std::optional<MapSource> SourceFor(int key, hostapi::Texmap* texture) {
    if (hostapi::BitmapTex* bitmap = AsBitmap(texture)) {
        return MapSource{key, kMapKindBitmap, kMapFlagExported, {bitmap, nullptr}};
    }
    if (texture == nullptr) {
        return std::nullopt;
    }
    if (key == kMapKeyDiffuse && IsLayeringContainer(*texture)) {
        return LayeredSource(*texture);
    }
    if (key == kMapKeyBump && texture->ClassID() == hostapi::GNORMAL_CLASS_ID) {
        return NormalBumpSource(*texture);
    }
    return std::nullopt;
}

// The folders go before the text is made: a long path would otherwise be
// cut at the text's capacity and lose the name at its end.
TVXString FileNameOf(hostapi::BitmapTex& bitmap) {
    const char* path = bitmap.GetMapName();
    return TVXString::FromNarrow(FileNameWithoutFolders(path != nullptr ? path : ""));
}

int TilingFlags(int hostTiling) {
    return ((hostTiling & hostapi::U_WRAP) != 0 ? kMapFlagTileU : 0) |
           ((hostTiling & hostapi::V_WRAP) != 0 ? kMapFlagTileV : 0);
}

// An offset, tiling or angle that is not finite (or is vast) would place
// the texture nowhere; it is refused, naming the material and its map.
void TakeLayout(TVXMap& map, hostapi::BitmapTex& bitmap, const std::string& where) {
    hostapi::StdUVGen* uv = bitmap.GetUVGen();
    if (uv == nullptr) {
        return;
    }
    map.offset = {uv->GetUOffs(0), uv->GetVOffs(0), 0.0f};
    map.tiling = {uv->GetUScl(0), uv->GetVScl(0), 1.0f};
    map.angle = {0.0f, 0.0f, uv->GetAng(0) * hostbridge::kDegreesPerRadianF};
    RequireExportable(map.offset.x, where, "the U offset");
    RequireExportable(map.offset.y, where, "the V offset");
    RequireExportable(map.tiling.x, where, "the U tiling");
    RequireExportable(map.tiling.y, where, "the V tiling");
    RequireExportable(map.angle.z, where, "the angle");
    map.flags |= TilingFlags(uv->GetTextureTiling());
}

int FillMap(TVXMap& map, const MapSource& source, const std::string& where) {
    map.flags = kMapFlagsWithoutTiling | source.flags;
    if (source.kind == kMapKindLayered) {
        if (!AllocMapEntries(map, 2)) {
            return 0;
        }
        for (std::size_t e = 0; e < source.bitmaps.size(); ++e) {
            if (source.bitmaps[e] != nullptr) {
                map.entries[e].fileName = FileNameOf(*source.bitmaps[e]);
            }
        }
    } else {
        map.fileName = FileNameOf(*source.bitmaps[0]);
    }
    // A layered map has one layout: that of its last bitmap.
    if (hostapi::BitmapTex* last = source.bitmaps[1] != nullptr ? source.bitmaps[1] : source.bitmaps[0]) {
        TakeLayout(map, *last, where);
    }
    return 1;
}

}  // namespace

std::string_view FileNameWithoutFolders(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') {
        path.remove_prefix(2);
    }
    const auto lastSeparator = path.find_last_of("\\/");
    return lastSeparator == std::string_view::npos ? path : path.substr(lastSeparator + 1);
}

int ConvertMaps(hostapi::StdMat& source, TVXMaterial& material) {
    std::array<MapSource, kKeySlots.size()> found{};
    std::array<const char*, kKeySlots.size()> names{};
    std::size_t count = 0;
    for (const KeySlot& keySlot : kKeySlots) {
        if (const std::optional<MapSource> map = SourceFor(keySlot.key, source.GetSubTexmap(keySlot.hostSlot))) {
            names[count] = keySlot.name;
            found[count++] = *map;
        }
    }
    if (count == 0) {
        return 1;
    }
    if (!AllocMapSlots(material, static_cast<int>(count))) {
        return 0;
    }
    for (std::size_t slot = 0; slot < count; ++slot) {
        const MapSource& map = found[slot];
        TVXMap* created = CreateMap(material, static_cast<int>(slot), map.key, map.kind);
        const std::string where = MaterialText(source) + ", " + names[slot] + " map";
        if (created == nullptr || !FillMap(*created, map, where)) {
            return 0;
        }
    }
    return 1;
}

}  // namespace tvx::exporter
