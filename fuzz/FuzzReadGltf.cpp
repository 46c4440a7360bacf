// libFuzzer harness: any bytes as a glTF file (.gltf text or .glb), read
// into a host scene and that read into the stand-in host. A scene the
// reader makes is one the host must take: anything else is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "gltf/GltfRead.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) {
        return 0;
    }
    tvx::gltf::ReadSummary summary;
    std::string error;
    const auto result = tvx::gltf::ReadGltfBytesAsHostScene({data, size}, "fuzz.glb", {}, summary, error);
    if (!result) {
        return 0;
    }
    if (!memhost::ReadHostScene(result->scene.dump(), error)) {
        std::fprintf(stderr, "the host refused the scene the reader made: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
