// libFuzzer harness: any bytes through the whole parse of a scene file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/TVXScene.h"
#include "fileformat/LoadScene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (64u << 20)) {
        return 0;
    }
    tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(std::span<const std::uint8_t>(data, size)));
    tvx::TVXScene scene;
    (void)tvx::ParseScene(reader, scene);
    return 0;
}
