#include "gltf/MaterialWrite.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>

#include "gltf/TextureTransform.h"
#include "hostapi/HostConstants.h"

namespace tvx::gltf {
namespace {

constexpr int kNoMaterialId = 65535;

bool IsClass(hostapi::MtlBase* m, hostapi::ULONG id) {
    return m != nullptr && m->ClassID() == hostapi::Class_ID(id, 0);
}

hostapi::BitmapTex* AsBitmap(hostapi::Texmap* map) {
    return IsClass(map, hostapi::BMTEX_CLASS_ID) ? static_cast<hostapi::BitmapTex*>(map) : nullptr;
}

double Clamp01(float v) { return std::isfinite(v) ? std::clamp(static_cast<double>(v), 0.0, 1.0) : 0.0; }

// An image URI: the path with "/" between folders and every byte outside
// the unreserved characters percent-encoded.
std::string UriOf(const std::filesystem::path& path) {
    static const char* kHex = "0123456789ABCDEF";
    std::string uri;
    for (const char byte : path.generic_string()) {
        const auto c = static_cast<unsigned char>(byte);
        if (std::isalnum(c) != 0 || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += kHex[c >> 4];
            uri += kHex[c & 15];
        }
    }
    return uri;
}

// The glTF image types, by the file's extension; "" for any other.
std::string MimeTypeOf(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".png" ? "image/png" : ext == ".jpg" || ext == ".jpeg" ? "image/jpeg" : "";
}

bool ReadBytes(const std::filesystem::path& path, std::vector<unsigned char>& bytes) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.good() || in.eof();
}

tinygltf::Value Numbers(std::initializer_list<double> values) {
    tinygltf::Value::Array array;
    for (double v : values) {
        array.emplace_back(v);
    }
    return tinygltf::Value(std::move(array));
}

}  // namespace

MaterialForId MaterialWriter::ForNode(memhost::MemNode& node) {
    hostapi::Mtl* material = node.GetMtl();
    if (IsClass(material, hostapi::DMTL_CLASS_ID)) {
        const int index = Standard(*static_cast<hostapi::StdMat*>(material));
        return [index](int) { return index; };
    }
    std::vector<int> slots;
    if (IsClass(material, hostapi::MULTI_CLASS_ID)) {
        for (int i = 0; i < material->NumSubMtls(); ++i) {
            hostapi::Mtl* sub = material->GetSubMtl(i);
            slots.push_back(IsClass(sub, hostapi::DMTL_CLASS_ID) ? Standard(*static_cast<hostapi::StdMat*>(sub)) : Default());
        }
    }
    return [this, slots](int id) {
        return id == kNoMaterialId || slots.empty() ? Default() : slots[static_cast<std::size_t>(id) % slots.size()];
    };
}

int MaterialWriter::Default() {
    if (default_ < 0) {
        tinygltf::Material material;
        material.name = "Default";
        material.pbrMetallicRoughness.metallicFactor = 0.0;
        scene_.model.materials.push_back(material);
        default_ = static_cast<int>(scene_.model.materials.size() - 1);
    }
    return default_;
}

int MaterialWriter::Standard(hostapi::StdMat& host) {
    if (const auto found = written_.find(&host); found != written_.end()) {
        return found->second;
    }
    tinygltf::Material material;
    material.name = host.GetName() != nullptr ? host.GetName() : "";
    const hostapi::Color diffuse = host.GetDiffuse(0);
    const double opacity = Clamp01(host.GetOpacity(0));
    auto& pbr = material.pbrMetallicRoughness;
    pbr.baseColorFactor = {Clamp01(diffuse.r), Clamp01(diffuse.g), Clamp01(diffuse.b), opacity};
    pbr.metallicFactor = 0.0;
    pbr.roughnessFactor = 1.0 - Clamp01(host.GetShininess(0));
    material.doubleSided = host.GetTwoSided() != 0;
    const bool opacityMap = host.GetSubTexmap(hostapi::ID_OP) != nullptr;
    material.alphaMode = opacity < 1.0 || opacityMap ? "BLEND" : "OPAQUE";

    hostapi::Texmap* diffuseMap = host.GetSubTexmap(hostapi::ID_DI);
    if (hostapi::BitmapTex* bitmap = AsBitmap(diffuseMap)) {
        FillTextureInfo(*bitmap, 0, pbr.baseColorTexture);
    } else if (IsClass(diffuseMap, hostapi::RGBMULT_CLASS_ID)) {
        // Diffuse times a second map on channel 2, as the importer builds a
        // light map: the second one is the nearest glTF has, occlusion.
        if (hostapi::BitmapTex* base = AsBitmap(diffuseMap->GetSubTexmap(0))) {
            FillTextureInfo(*base, 0, pbr.baseColorTexture);
        }
        if (hostapi::BitmapTex* light = AsBitmap(diffuseMap->GetSubTexmap(1))) {
            tinygltf::TextureInfo info;
            FillTextureInfo(*light, 1, info);
            material.occlusionTexture.index = info.index;
            material.occlusionTexture.texCoord = 1;
        }
    }
    scene_.model.materials.push_back(std::move(material));
    const int index = static_cast<int>(scene_.model.materials.size() - 1);
    written_[&host] = index;
    return index;
}

void MaterialWriter::FillTextureInfo(hostapi::BitmapTex& bitmap, int texCoord, tinygltf::TextureInfo& info) {
    info.index = Texture(bitmap);
    if (info.index < 0) {
        return;
    }
    info.texCoord = texCoord;
    hostapi::StdUVGen* uv = bitmap.GetUVGen();
    if (uv == nullptr) {
        return;
    }
    const UvTransform host{static_cast<double>(uv->GetUOffs(0)), static_cast<double>(uv->GetVOffs(0)),
                           static_cast<double>(uv->GetUScl(0)), static_cast<double>(uv->GetVScl(0)),
                           static_cast<double>(uv->GetAng(0))};
    if (host.uOffset == 0.0 && host.vOffset == 0.0 && host.uScale == 1.0 && host.vScale == 1.0 && host.angle == 0.0) {
        return;
    }
    const UvTransform gltf = GltfFromHost(host);
    tinygltf::Value::Object transform;
    transform["offset"] = Numbers({gltf.uOffset, gltf.vOffset});
    transform["scale"] = Numbers({gltf.uScale, gltf.vScale});
    transform["rotation"] = tinygltf::Value(gltf.angle);
    info.extensions["KHR_texture_transform"] = tinygltf::Value(std::move(transform));
    auto& used = scene_.model.extensionsUsed;
    if (std::find(used.begin(), used.end(), "KHR_texture_transform") == used.end()) {
        used.push_back("KHR_texture_transform");
    }
}

int MaterialWriter::Texture(hostapi::BitmapTex& bitmap) {
    tinygltf::Texture texture;
    const char* name = bitmap.GetMapName();
    texture.source = Image(name != nullptr ? name : "");
    if (texture.source < 0) {
        return -1;
    }
    hostapi::StdUVGen* uv = bitmap.GetUVGen();
    texture.sampler = Sampler(uv != nullptr ? uv->GetTextureTiling() : hostapi::U_WRAP | hostapi::V_WRAP);
    scene_.model.textures.push_back(texture);
    return static_cast<int>(scene_.model.textures.size() - 1);
}

int MaterialWriter::Image(const std::string& fileName) {
    if (const auto found = images_.find(fileName); found != images_.end()) {
        return found->second;
    }
    tinygltf::Image image;
    std::error_code ignored;
    const std::filesystem::path path(fileName);
    // A URI naming no file makes the whole glTF invalid; the material keeps
    // its colour instead.
    if (!std::filesystem::is_regular_file(path, ignored)) {
        scene_.Warn("the image " + fileName + " does not exist; its texture was left out");
        images_[fileName] = -1;
        return -1;
    }
    const std::string mime = MimeTypeOf(path);
    std::vector<unsigned char> bytes;
    if (embedImages_ && !mime.empty() && ReadBytes(path, bytes) && !bytes.empty()) {
        image.bufferView = scene_.buffer.AddView(bytes);
        image.mimeType = mime;
    } else {
        const std::filesystem::path relative =
            path.is_absolute() ? std::filesystem::relative(path, outputFolder_, ignored) : path;
        image.uri = UriOf(relative.empty() ? path.filename() : relative);
        if (embedImages_) {
            scene_.Warn("the image " + fileName + " is neither PNG nor JPEG and stays outside the file");
        }
    }
    scene_.model.images.push_back(image);
    const int index = static_cast<int>(scene_.model.images.size() - 1);
    images_[fileName] = index;
    return index;
}

int MaterialWriter::Sampler(int hostTiling) {
    if (const auto found = samplers_.find(hostTiling); found != samplers_.end()) {
        return found->second;
    }
    const auto wrap = [hostTiling](int tile, int mirror) {
        return (hostTiling & mirror) != 0 ? TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT
               : (hostTiling & tile) != 0 ? TINYGLTF_TEXTURE_WRAP_REPEAT
                                          : TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE;
    };
    tinygltf::Sampler sampler;
    sampler.wrapS = wrap(hostapi::U_WRAP, hostapi::U_MIRROR);
    sampler.wrapT = wrap(hostapi::V_WRAP, hostapi::V_MIRROR);
    scene_.model.samplers.push_back(sampler);
    const int index = static_cast<int>(scene_.model.samplers.size() - 1);
    samplers_[hostTiling] = index;
    return index;
}

}  // namespace tvx::gltf
