// Host materials as glTF metallic-roughness materials, with their textures
// and samplers; each host material is written once, however many nodes
// show it.
#pragma once

#include <filesystem>
#include <map>

#include "gltf/GltfScene.h"
#include "gltf/MeshWrite.h"

namespace tvx::gltf {

class MaterialWriter {
public:
    // Image paths are written relative to outputFolder; with embedImages the
    // images go into the buffer instead.
    MaterialWriter(GltfScene& scene, std::filesystem::path outputFolder, bool embedImages)
        : scene_(scene), outputFolder_(std::move(outputFolder)), embedImages_(embedImages) {}

    // The glTF material of each face material id under the node's material:
    // a standard material for all ids, a multi/sub-object one's
    // sub-material by id (wrapping round its slots); anything else, and the
    // id the host uses for "no material" (65535), the default material.
    // A texture whose image file does not exist is left out, with a warning.
    MaterialForId ForNode(memhost::MemNode& node);

    int materialCount() const { return static_cast<int>(written_.size()); }

private:
    int Standard(hostapi::StdMat& material);
    int Default();
    int Texture(hostapi::BitmapTex& bitmap);
    int Image(const std::string& fileName);
    int Sampler(int hostTiling);
    void FillTextureInfo(hostapi::BitmapTex& bitmap, int texCoord, tinygltf::TextureInfo& info);

    GltfScene& scene_;
    std::filesystem::path outputFolder_;
    bool embedImages_;
    std::map<hostapi::Mtl*, int> written_;
    std::map<std::string, int> images_;
    std::map<int, int> samplers_;
    int default_ = -1;
};

}  // namespace tvx::gltf
