#include "document/MaterialMaps.h"

#include <new>

#include "document/ArrayAllocation.h"

namespace tvx {
namespace {

void SetPayloadDefaults(TVXMap& map) {
    switch (map.kind) {
    case 2:
        map.float1 = 2.0f;
        map.float2 = 1.0f;
        map.float3 = 8.0f;
        map.float4 = 8.0f;
        map.int2 = 0x00C4C4C4;  // packed grey
        break;
    case 3:
        map.float1 = 2.0f;
        map.float2 = 1.0f;
        map.int2 = 2;
        break;
    case kMapKindLayered:
        break;
    case kMapKindCube:
        map.faceNames.resize(kCubeFaceCount);
        break;
    case 6:
        map.int1 = 256;
        break;
    case 7:
        break;
    default:  // kind 1 and every unknown kind
        map.float1 = 2.0f;
        map.float2 = 1.0f;
        break;
    }
}

bool HasMapWithKey(const TVXMaterial& material, int key) { return FindMap(material, key) != nullptr; }

bool SlotInRange(const TVXMaterial& material, int slot) { return slot >= 0 && slot < Count(material.mapSlots); }

TVXMap* PlaceMap(TVXMaterial& material, int slot, int key, int kind) {
    try {
        TVXMap map;
        map.key = key;
        map.kind = kind;
        SetPayloadDefaults(map);
        auto& placed = material.mapSlots[static_cast<std::size_t>(slot)];
        placed = std::move(map);
        return &*placed;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

}  // namespace

TVXMapShape ShapeOfKind(int kind) {
    switch (kind) {
    case kMapKindLayered:
        return TVXMapShape::Layered;
    case kMapKindCube:
        return TVXMapShape::Cube;
    default:
        return TVXMapShape::SingleFile;
    }
}

TVXMapPayload StoredPayloadOfKind(int kind) {
    switch (kind) {
    case 1:
    case 2:
    case 3:
    case 6:
    case 7:
        return TVXMapPayload::SingleFile;
    case kMapKindLayered:
        return TVXMapPayload::Layered;
    case kMapKindCube:
        return TVXMapPayload::Cube;
    default:
        return TVXMapPayload::None;
    }
}

TVXMaterial MakeExportMaterial() {
    TVXMaterial material;
    material.flags = 1;
    material.shininess = 128.0f;
    material.opacity = 1.0f;
    return material;
}

int AllocMaterials(TVXScene& scene, int n) {
    return detail::AllocArray(scene.materials, n, [](TVXMaterial& material, int) {
        material.name = TVXString::FromNarrow("Unassigned");
    });
}

int AllocMapSlots(TVXMaterial& material, int m) { return detail::AllocArray(material.mapSlots, m); }

TVXMap* CreateMap(TVXMaterial& material, int slot, int key, int kind) {
    if (!SlotInRange(material, slot) || HasMapWithKey(material, key)) {
        return nullptr;
    }
    return PlaceMap(material, slot, key, kind);
}

TVXMap* CreateMap(TVXMaterial& material, int slot, int key, int kind, std::unordered_set<int>& usedKeys) {
    if (!SlotInRange(material, slot) || usedKeys.contains(key)) {
        return nullptr;
    }
    TVXMap* map = PlaceMap(material, slot, key, kind);
    if (map != nullptr) {
        try {
            usedKeys.insert(key);
        } catch (const std::bad_alloc&) {
            material.mapSlots[static_cast<std::size_t>(slot)].reset();
            return nullptr;
        }
    }
    return map;
}

const TVXMap* FindMap(const TVXMaterial& material, int key) {
    for (const auto& slot : material.mapSlots) {
        if (slot && slot->key == key) {
            return &*slot;
        }
    }
    return nullptr;
}

TVXMap* FindMap(TVXMaterial& material, int key) {
    return const_cast<TVXMap*>(FindMap(static_cast<const TVXMaterial&>(material), key));
}

const TVXMap* FindBitmap(const TVXMaterial& material, int key) {
    const TVXMap* map = FindMap(material, key);
    return map && map->kind == kMapKindBitmap ? map : nullptr;
}

const TVXMap* FindLayered(const TVXMaterial& material) {
    const TVXMap* map = FindMap(material, kMapKeyDiffuse);
    return map && map->kind == kMapKindLayered ? map : nullptr;
}

int AllocMapEntries(TVXMap& map, int e) { return detail::AllocArray(map.entries, e); }

void ReleaseMaps(TVXMaterial& material) { detail::ReleaseArray(material.mapSlots); }

}  // namespace tvx
