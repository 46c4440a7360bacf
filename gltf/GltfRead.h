// glTF 2.0 files (.gltf with its buffers and images beside it, or .glb) as
// host scenes (docs/host-scene.md), for the exporter to take on from there.
//
// glTF is Y-up and the host Z-up: every point (x, y, z) becomes
// (x, -z, y) and every transform M becomes A * M * inverse(A) with that
// axis change A (lights and cameras keep their own frame, HostAxes.h), so
// the hierarchy stays as the file has it with no extra root. The file is
// untrusted; anything it says that cannot be used gives no scene and a
// message.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "memhost/SceneBudget.h"

namespace tvx::gltf {

struct ReadOptions {
    int animation = 0;  // which of the file's animations to sample
    // Where the images the file holds inside itself are to be written; the
    // bitmaps name them there (see EmbeddedImages.h).
    std::filesystem::path imageFolder;
    // What the read may build beyond what the file holds: copies of a mesh
    // that many nodes place, keys sampled at every frame (ReadBudget.h).
    std::uint64_t maxSceneBytes = memhost::kDefaultMaxSceneBytes;
};

struct ReadSummary {
    int nodes = 0;
    int meshes = 0;
    int triangles = 0;
    int materials = 0;
    int bones = 0;
    int keys = 0;
    std::vector<std::string> warnings;
    bool overBudget = false;  // refused for the memory it would take
};

// An image inside the file that a bitmap of the scene names, under its
// bare file name in ReadOptions::imageFolder.
struct EmbeddedImage {
    std::string fileName;
    std::vector<unsigned char> bytes;
};

struct ReadResult {
    nlohmann::ordered_json scene;  // "tvx-host-scene" version 1
    std::vector<EmbeddedImage> images;
};

// The file as a host scene, or an empty optional and a message in `error`
// for a file that cannot be used.
std::optional<ReadResult> ReadGltfAsHostScene(const std::filesystem::path& file,
                                              const ReadOptions& options, ReadSummary& summary,
                                              std::string& error);

// The same for a file in memory, `name` standing for it in messages. Such a
// file reaches no other: buffers and images outside it cannot be read.
std::optional<ReadResult> ReadGltfBytesAsHostScene(std::span<const unsigned char> bytes, const std::string& name,
                                                   const ReadOptions& options, ReadSummary& summary,
                                                   std::string& error);

}  // namespace tvx::gltf
