// The stand-in host's scene written as glTF 2.0: nodes with their
// hierarchy, meshes, materials and textures, skins, the animation of the
// key controllers, lights and cameras. The file's extension chooses the
// form: ".glb" one binary file, ".gltf" JSON with a ".bin" beside it.
// Images are referred to by URIs relative to the output file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "memhost/MemHost.h"

namespace tvx::gltf {

struct WriteOptions {
    // A ".glb" carries the images it names inside it, instead of referring
    // to them.
    bool embedImages = false;
};

struct WriteSummary {
    int nodes = 0;
    int meshes = 0;
    int triangles = 0;
    int materials = 0;
    int bones = 0;  // distinct skin joints
    int keys = 0;   // animation samples
    std::vector<std::string> warnings;
};

// false with the reason in `error` when the file cannot be written;
// nothing of it is left behind then.
[[nodiscard]] bool WriteGltf(memhost::MemHost& host, const std::filesystem::path& file, const WriteOptions& options,
                             WriteSummary& summary, std::string& error);

// Whether the path names a glTF file (".gltf" or ".glb", in any case).
[[nodiscard]] bool IsGltfPath(const std::filesystem::path& file);

}  // namespace tvx::gltf
