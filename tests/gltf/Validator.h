// The Khronos glTF validator, run with Node.js on a written file.
#pragma once

#include <filesystem>
#include <string>

namespace tvx::gltf {

// The validator's verdict: 0 no errors, 1 errors, anything else it did not
// run. `report` receives what it printed.
int ValidateWithKhronos(const std::filesystem::path& file, std::string& report);

}  // namespace tvx::gltf
