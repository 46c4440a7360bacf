// The one way a conversion step gives up on a file. Thrown deep inside the
// readers and caught once by ReadGltfAsHostScene, so no half-built scene
// ever leaves the library.
#pragma once

#include <stdexcept>
#include <string>

namespace tvx::gltf {

class GltfError : public std::runtime_error {
public:
    explicit GltfError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tvx::gltf
