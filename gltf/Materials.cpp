#include "gltf/Materials.h"

#include <string>

#include "gltf/HostAxes.h"
#include "gltf/GltfError.h"
#include "gltf/Textures.h"

namespace tvx::gltf {

namespace {

constexpr int kDiffuseSlot = 1;
constexpr int kBumpSlot = 8;

double Factor(const std::vector<double>& v, std::size_t i, double fallback) {
    return i < v.size() ? HostNumber(v[i], "a material factor") : fallback;
}

Json MapEntry(int slot, int texmap) { return {{"slot", slot}, {"texmap", texmap}, {"amount", 1.0}, {"enabled", true}}; }

}  // namespace

int MaterialMaker::MultiFor(const std::vector<int>& gltfMaterials, const std::string& name) {
    Json subs = Json::array();
    for (const int m : gltfMaterials) {
        subs.push_back(StandardFor(m));
    }
    ++scene_.summary.materials;
    return HostScene::Add(scene_.materials, {{"kind", "multi"}, {"name", name}, {"subMaterials", subs}});
}

int MaterialMaker::StandardFor(int gltfMaterial) {
    if (const auto it = standards_.find(gltfMaterial); it != standards_.end()) {
        return it->second;
    }
    Json item = {{"kind", "standard"}};
    if (gltfMaterial < 0) {
        // glTF's default material: white, fully rough, opaque, one-sided.
        item["name"] = "default";
        item["diffuse"] = {1.0, 1.0, 1.0};
        item["shininess"] = 0.0;
        item["opacity"] = 1.0;
        item["twoSided"] = false;
    } else if (static_cast<std::size_t>(gltfMaterial) >= model_.materials.size()) {
        throw GltfError("a primitive names material " + std::to_string(gltfMaterial) + ", which does not exist");
    } else {
        const tinygltf::Material& m = model_.materials[static_cast<std::size_t>(gltfMaterial)];
        const std::vector<double>& base = m.pbrMetallicRoughness.baseColorFactor;
        item["name"] = m.name.empty() ? "material" + std::to_string(gltfMaterial) : m.name;
        item["diffuse"] = {Factor(base, 0, 1.0), Factor(base, 1, 1.0), Factor(base, 2, 1.0)};
        item["shininess"] = HostNumber(1.0 - m.pbrMetallicRoughness.roughnessFactor, "a roughness factor");
        item["opacity"] = Factor(base, 3, 1.0);
        item["twoSided"] = m.doubleSided;
        item["maps"] = Maps(m);
    }
    ++scene_.summary.materials;
    const int id = HostScene::Add(scene_.materials, item);
    standards_[gltfMaterial] = id;
    return id;
}

Json MaterialMaker::Maps(const tinygltf::Material& m) {
    Json maps = Json::array();
    const tinygltf::TextureInfo& base = m.pbrMetallicRoughness.baseColorTexture;
    if (base.index >= 0) {
        maps.push_back(MapEntry(kDiffuseSlot, AddBitmap(model_, base.index, base.texCoord, base.extensions, scene_)));
    }
    const tinygltf::NormalTextureInfo& normal = m.normalTexture;
    if (normal.index >= 0) {
        const int bitmap = AddBitmap(model_, normal.index, normal.texCoord, normal.extensions, scene_);
        const int bump = HostScene::Add(scene_.texmaps,
                                        {{"kind", "normalBump"}, {"name", "normal"}, {"subTexmaps", {bitmap, nullptr}}});
        maps.push_back(MapEntry(kBumpSlot, bump));
    }
    return maps;
}

}  // namespace tvx::gltf
