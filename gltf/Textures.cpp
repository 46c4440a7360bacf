#include "gltf/Textures.h"

#include <cctype>
#include <string>

#include "gltf/HostAxes.h"
#include "gltf/TextureTransform.h"
#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

constexpr int kTileU = 1;
constexpr int kTileV = 2;
constexpr int kMirrorU = 4;
constexpr int kMirrorV = 8;

int WrapBits(int wrap, int tile, int mirror) {
    if (wrap == TINYGLTF_TEXTURE_WRAP_REPEAT) {
        return tile;
    }
    return wrap == TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT ? mirror : 0;
}

int Tiling(const tinygltf::Model& model, const tinygltf::Texture& texture) {
    if (texture.sampler < 0) {
        return kTileU | kTileV;  // glTF's default sampler repeats
    }
    if (static_cast<std::size_t>(texture.sampler) >= model.samplers.size()) {
        throw GltfError("a texture names sampler " + std::to_string(texture.sampler) + ", which does not exist");
    }
    const tinygltf::Sampler& s = model.samplers[static_cast<std::size_t>(texture.sampler)];
    return WrapBits(s.wrapS, kTileU, kMirrorU) | WrapBits(s.wrapT, kTileV, kMirrorV);
}

std::string PercentDecoded(const std::string& uri) {
    std::string out;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(uri[i + 2]))) {
            out.push_back(static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16)));
            i += 2;
        } else {
            out.push_back(uri[i]);
        }
    }
    return out;
}

std::string FileName(const tinygltf::Model& model, int source, HostScene& scene) {
    if (source < 0 || static_cast<std::size_t>(source) >= model.images.size()) {
        throw GltfError("a texture names image " + std::to_string(source) + ", which does not exist");
    }
    const tinygltf::Image& image = model.images[static_cast<std::size_t>(source)];
    if (!image.uri.empty() && image.uri.rfind("data:", 0) != 0) {
        return PercentDecoded(image.uri);
    }
    return scene.images.PathFor(model, source);
}

double Number(const tinygltf::Value& v, std::size_t i, double fallback) {
    return v.IsArray() && i < v.ArrayLen() && v.Get(static_cast<int>(i)).IsNumber()
               ? v.Get(static_cast<int>(i)).GetNumberAsDouble()
               : fallback;
}

void ApplyTransform(const tinygltf::ExtensionMap& extensions, Json& uvGen, int& texCoord) {
    const auto it = extensions.find("KHR_texture_transform");
    if (it == extensions.end() || !it->second.IsObject()) {
        return;
    }
    const tinygltf::Value& t = it->second;
    const tinygltf::Value none;
    const tinygltf::Value& offset = t.Has("offset") ? t.Get("offset") : none;
    const tinygltf::Value& scale = t.Has("scale") ? t.Get("scale") : none;
    const double rotation =
        t.Has("rotation") && t.Get("rotation").IsNumber() ? t.Get("rotation").GetNumberAsDouble() : 0.0;
    const UvTransform host = HostFromGltf(
        {Number(offset, 0, 0.0), Number(offset, 1, 0.0), Number(scale, 0, 1.0), Number(scale, 1, 1.0), rotation});
    uvGen["uOffset"] = HostNumber(host.uOffset, "a texture offset");
    uvGen["vOffset"] = HostNumber(host.vOffset, "a texture offset");
    uvGen["uScale"] = HostNumber(host.uScale, "a texture scale");
    uvGen["vScale"] = HostNumber(host.vScale, "a texture scale");
    uvGen["wAngle"] = HostNumber(host.angle, "a texture rotation");
    if (t.Has("texCoord") && t.Get("texCoord").IsInt()) {
        texCoord = t.Get("texCoord").GetNumberAsInt();
    }
}

}  // namespace

int AddBitmap(const tinygltf::Model& model, int texture, int texCoord, const tinygltf::ExtensionMap& extensions,
              HostScene& scene) {
    if (texture < 0 || static_cast<std::size_t>(texture) >= model.textures.size()) {
        throw GltfError("a material names texture " + std::to_string(texture) + ", which does not exist");
    }
    const tinygltf::Texture& t = model.textures[static_cast<std::size_t>(texture)];
    Json uvGen = {{"uOffset", 0.0}, {"vOffset", 0.0}, {"uScale", 1.0}, {"vScale", 1.0}, {"wAngle", 0.0}};
    ApplyTransform(extensions, uvGen, texCoord);
    // Only TEXCOORD_0 and TEXCOORD_1 are carried over, as channels 1 and 2.
    if (texCoord < 0 || texCoord > 1) {
        scene.Warn("texture " + std::to_string(texture) + " reads TEXCOORD_" + std::to_string(texCoord) +
                   ", which is not converted; it reads TEXCOORD_0 instead");
        texCoord = 0;
    }
    uvGen["tiling"] = Tiling(model, t);
    uvGen["mapChannel"] = texCoord + 1;
    const std::string name = t.name.empty() ? "texture" + std::to_string(texture) : t.name;
    return HostScene::Add(scene.texmaps, {{"kind", "bitmap"},
                                          {"name", name},
                                          {"fileName", FileName(model, t.source, scene)},
                                          {"uvGen", uvGen}});
}

}  // namespace tvx::gltf
