// libFuzzer harness: any bytes as a host-scene file. A scene the reader
// takes must write out as a file that reads back, and writes out again
// byte for byte the same: the reader may refuse anything, but what it
// accepts it must keep.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) {
        return 0;
    }
    std::string error;
    const auto host = memhost::ReadHostScene(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!host) {
        return 0;
    }
    const std::string written = memhost::HostSceneText(*host);
    const auto again = memhost::ReadHostScene(written, error);
    if (!again) {
        std::fprintf(stderr, "a written scene does not read back: %s\n", error.c_str());
        std::abort();
    }
    if (memhost::HostSceneText(*again) != written) {
        std::fprintf(stderr, "a scene read back writes out differently\n");
        std::abort();
    }
    return 0;
}
