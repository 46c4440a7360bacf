#include "importer/MaterialBuilder.h"

#include <string>

#include "document/MaterialMaps.h"
#include "fileformat/container/SceneFolder.h"
#include "hostbridge/Angles.h"

namespace tvx::importer {
namespace {

constexpr int kMapTileU = 0x100000;
constexpr int kMapTileV = 0x200000;

constexpr int kDiffuseKey = 0;
constexpr int kOpacityKey = 1;
constexpr int kBumpKey = 2;
constexpr int kSpecularKey = 3;

// What each standard-material map needs from the material and the scene.
struct MaterialContext {
    ImportSession& session;
    std::filesystem::path folder;
    hostapi::StdMat& material;
};

hostapi::Color ColorOf(const RGBA& c) { return {c.r, c.g, c.b}; }

void SetUpUV(hostapi::BitmapTex& bitmap, const TVXMap& map, int channel) {
    hostapi::StdUVGen* uv = bitmap.GetUVGen();
    if (uv == nullptr) {
        return;
    }
    uv->SetUOffs(map.offset.x, 0);
    uv->SetVOffs(map.offset.y, 0);
    uv->SetUScl(map.tiling.x, 0);
    uv->SetVScl(map.tiling.y, 0);
    uv->SetAng(map.angle.z * hostbridge::kRadiansPerDegreeF, 0);
    uv->SetTextureTiling(TilingFlags(map.flags));
    if (channel != 1) {
        uv->SetMapChannel(channel);
    }
}

// A bitmap of the stored file, looked for in the scene's folder, laid out by
// the map's UV settings; null when the host makes none.
hostapi::BitmapTex* MakeBitmap(const MaterialContext& context, const TVXString& storedName, const TVXMap& map,
                               int channel = 1) {
    hostapi::BitmapTex* bitmap = context.session.ip.NewDefaultBitmapTex();
    if (bitmap == nullptr) {
        return nullptr;
    }
    bitmap->SetMapName(RelinkToFolder(context.folder, storedName).wide());
    SetUpUV(*bitmap, map, channel);
    return bitmap;
}

void PutMap(const MaterialContext& context, int slot, hostapi::Texmap* map, bool shownInViewport) {
    context.material.SetSubTexmap(slot, map);
    context.material.SetTexmapAmt(slot, 1.0f, 0);
    context.material.EnableMap(slot, hostapi::TRUE);
    if (shownInViewport) {
        context.material.SetActiveTexmap(map);
        context.material.SetMtlFlag(hostapi::MTL_TEX_DISPLAY_ENABLED, hostapi::TRUE);
    }
}

// The layered diffuse map: the first entry's bitmap times the second's,
// which reads the second texture channel.
void PutLayeredDiffuse(const MaterialContext& context, const TVXMap& map) {
    auto* multiply = static_cast<hostapi::Texmap*>(context.session.ip.CreateInstance(
        hostapi::TEXMAP_CLASS_ID, hostapi::Class_ID(hostapi::RGBMULT_CLASS_ID, 0)));
    if (multiply == nullptr) {
        return;
    }
    PutMap(context, hostapi::ID_DI, multiply, true);
    for (int entry = 0; entry < 2 && entry < Count(map.entries); ++entry) {
        const TVXString& name = map.entries[static_cast<std::size_t>(entry)].fileName;
        if (name.empty()) {
            continue;
        }
        if (hostapi::BitmapTex* bitmap = MakeBitmap(context, name, map, entry + 1)) {
            multiply->SetSubTexmap(entry, bitmap);
        }
    }
}

void PutBitmap(const MaterialContext& context, const TVXMap& map, int slot, bool shownInViewport) {
    if (hostapi::BitmapTex* bitmap = MakeBitmap(context, map.fileName, map)) {
        PutMap(context, slot, bitmap, shownInViewport);
    }
}

void PutMaps(const MaterialContext& context, const TVXMaterial& source) {
    const TVXMap* diffuseBitmap = FindBitmap(source, kDiffuseKey);
    if (const TVXMap* layered = FindLayered(source); layered != nullptr && !layered->entries.empty()) {
        PutLayeredDiffuse(context, *layered);
    } else if (diffuseBitmap != nullptr) {
        PutBitmap(context, *diffuseBitmap, hostapi::ID_DI, true);
    }
    if (const TVXMap* opacity = FindBitmap(source, kOpacityKey)) {
        PutBitmap(context, *opacity, hostapi::ID_OP, diffuseBitmap == nullptr);
    }
    if (const TVXMap* bump = FindBitmap(source, kBumpKey)) {
        PutBitmap(context, *bump, hostapi::ID_BU, false);
    }
    if (const TVXMap* specular = FindBitmap(source, kSpecularKey)) {
        PutBitmap(context, *specular, hostapi::ID_SP, false);
    }
}

hostapi::StdMat* MakeStandardMaterial(ImportSession& session, const std::filesystem::path& folder,
                                      const TVXMaterial& source) {
    hostapi::StdMat* material = session.ip.NewDefaultStdMat();
    if (material == nullptr) {
        return nullptr;
    }
    material->SetName(source.name.wide());
    material->SetDiffuse(ColorOf(source.colors[0]), 0);
    material->SetAmbient(ColorOf(source.colors[1]), 0);
    material->SetSpecular(ColorOf(source.colors[3]), 0);
    material->SetShininess(HostShininess(source.shininess), 0);
    material->SetSelfIllum(0.0f, 0);
    material->SetOpacity(source.opacity, 0);
    material->SetTwoSided(source.flags & kMaterialFlagTwoSided);
    PutMaps({session, folder, *material}, source);
    return material;
}

}  // namespace

int TilingFlags(int mapFlags) {
    return ((mapFlags & kMapTileU) != 0 ? hostapi::U_WRAP : 0) | ((mapFlags & kMapTileV) != 0 ? hostapi::V_WRAP : 0);
}

int BuildMaterials(ImportSession& session, hostapi::INode* node) {
    if (node == nullptr) {
        return 0;
    }
    const TVXScene& scene = session.scene;
    if (scene.materials.empty()) {
        return 1;
    }
    const std::filesystem::path folder = SceneFolder(scene);
    (void)session.ip.GetPlatform().SetCurrentDirectoryW(RelinkToFolder(folder, TVXString()).wide());
    hostapi::MultiMtl* multi = session.ip.NewDefaultMultiMtl();
    if (multi == nullptr) {
        return 1;
    }
    multi->SetNumSubMtls(Count(scene.materials));
    for (int i = 0; i < Count(scene.materials); ++i) {
        if (hostapi::StdMat* material = MakeStandardMaterial(session, folder, scene.materials[static_cast<std::size_t>(i)])) {
            multi->SetSubMtl(i, material);
        }
    }
    node->SetMtl(multi);
    session.editorMaterial = multi;
    return 1;
}

}  // namespace tvx::importer
