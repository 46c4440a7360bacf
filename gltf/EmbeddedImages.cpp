#include "gltf/EmbeddedImages.h"

#include <cctype>

#include "gltf/Accessors.h"
#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

std::string ExtensionFor(const std::string& mimeType) {
    if (mimeType == "image/jpeg") {
        return ".jpg";
    }
    if (mimeType == "image/png" || mimeType.empty()) {
        return ".png";  // the type glTF assumes when none is given
    }
    const std::size_t slash = mimeType.find('/');
    const std::string subtype = slash == std::string::npos ? mimeType : mimeType.substr(slash + 1);
    std::string extension = ".";
    for (const char c : subtype) {
        extension.push_back(std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_');
    }
    return extension;
}

// The name's last path part, with what a file name cannot hold replaced.
std::string BareName(const std::string& name) {
    const std::size_t slash = name.find_last_of("/\\");
    std::string bare = slash == std::string::npos ? name : name.substr(slash + 1);
    for (char& c : bare) {
        if (static_cast<unsigned char>(c) < 0x20 || c == ':') {
            c = '_';
        }
    }
    return bare == "." || bare == ".." ? std::string() : bare;
}

}  // namespace

EmbeddedImages::EmbeddedImages(std::filesystem::path folder, std::string stem)
    : folder_(std::move(folder)), stem_(std::move(stem)) {}

void EmbeddedImages::KeepDecoded(int index, const unsigned char* bytes, std::size_t size) {
    decoded_[index].assign(bytes, bytes + size);
}

std::string EmbeddedImages::FileNameFor(const tinygltf::Image& image, int index) {
    const std::string extension = ExtensionFor(image.mimeType);
    std::string stem = BareName(image.name);
    if (std::filesystem::path(stem).has_extension()) {
        stem = std::filesystem::path(stem).replace_extension().string();
    }
    if (stem.empty()) {
        stem = stem_ + "_image" + std::to_string(index);
    }
    std::string name = stem + extension;
    for (int suffix = 1; taken_.count(name) != 0; ++suffix) {
        name = stem + "_" + std::to_string(suffix) + extension;
    }
    taken_.insert(name);
    return name;
}

std::string EmbeddedImages::PathFor(const tinygltf::Model& model, int index) {
    if (const auto known = paths_.find(index); known != paths_.end()) {
        return known->second;
    }
    const tinygltf::Image& image = model.images[static_cast<std::size_t>(index)];
    EmbeddedImage out;
    out.fileName = FileNameFor(image, index);
    if (image.bufferView >= 0) {
        out.bytes = ViewBytes(model, image.bufferView, "image " + std::to_string(index));
    } else if (const auto decoded = decoded_.find(index); decoded != decoded_.end()) {
        out.bytes = decoded->second;
    } else {
        throw GltfError("image " + std::to_string(index) + " has neither a file, a buffer view nor data");
    }
    const std::string path = folder_.empty() ? out.fileName : (folder_ / out.fileName).string();
    paths_.emplace(index, path);
    images_.push_back(std::move(out));
    return path;
}

}  // namespace tvx::gltf
