// The sample glTF models the tests take through the plug-ins.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <tiny_gltf.h>

namespace tvx::world {

// Every .gltf and .glb below `folder` that `keep` takes (all without it),
// sorted; one that cannot be read is kept, so that its test fails.
std::vector<std::filesystem::path> SampleModels(const std::filesystem::path& folder,
                                                bool (*keep)(const tinygltf::Model&) = nullptr);

// "Model_variant" from ".../Model/variant/file", in letters, digits and '_',
// as a test's name.
std::string ModelTestName(const std::filesystem::path& model);

}  // namespace tvx::world
