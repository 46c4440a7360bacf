// Images a glTF file holds inside itself, in a buffer view or a data: URI.
//
// A TVX file names its textures by file alone, so an image without a file
// of its own would be lost on the way. Each one a bitmap uses gets a file
// name in the folder the scene is to be written to, and its bytes are
// handed out for the caller to write there once the scene is written.
#pragma once

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/GltfRead.h"

namespace tvx::gltf {

class EmbeddedImages {
public:
    // `stem` names images that have no name of their own: <stem>_image<N>.
    EmbeddedImages(std::filesystem::path folder, std::string stem);

    // The decoded bytes of image `index`'s data: URI, as tinygltf hands
    // them over while it loads (the model keeps no copy of them).
    void KeepDecoded(int index, const unsigned char* bytes, std::size_t size);

    // The path a bitmap of embedded image `index` names. A buffer view that
    // runs past its buffer throws.
    std::string PathFor(const tinygltf::Model& model, int index);

    std::vector<EmbeddedImage> Take() { return std::move(images_); }

private:
    std::string FileNameFor(const tinygltf::Image& image, int index);

    std::filesystem::path folder_;
    std::string stem_;
    std::map<int, std::vector<unsigned char>> decoded_;
    std::map<int, std::string> paths_;
    std::set<std::string> taken_;
    std::vector<EmbeddedImage> images_;
};

}  // namespace tvx::gltf
