// libFuzzer harness: any bytes through the whole load of a scene file, the
// parse and then what the importer does to a scene it read.
#include <cstddef>
#include <cstdint>
#include <span>

#include "document/TVXScene.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "geometry/PoseTables.h"
#include "geometry/ProcessLoadedScene.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (64u << 20)) {
        return 0;
    }
    tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(std::span<const std::uint8_t>(data, size)));
    tvx::TVXScene scene;
    if (tvx::ParseScene(reader, scene) == tvx::kLoadOk) {
        tvx::PoseTables poses;
        tvx::ProcessLoadedScene(scene, poses);
    }
    return 0;
}
