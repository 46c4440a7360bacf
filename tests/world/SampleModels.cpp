#include "tests/world/SampleModels.h"

#include <algorithm>
#include <cctype>

#include "tests/gltf/ShownScene.h"

namespace tvx::world {

std::vector<std::filesystem::path> SampleModels(const std::filesystem::path& folder,
                                                bool (*keep)(const tinygltf::Model&)) {
    std::vector<std::filesystem::path> out;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".gltf" && ext != ".glb") {
            continue;
        }
        tinygltf::Model model;
        std::string error;
        if (keep == nullptr || !gltf::viewer::Parse(entry.path(), model, error) || keep(model)) {
            out.push_back(entry.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string ModelTestName(const std::filesystem::path& model) {
    std::string name = model.parent_path().parent_path().filename().string() + "_" +
                       model.parent_path().filename().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

}  // namespace tvx::world
