// libFuzzer harness: any bytes through the whole import, the parse, what a
// load does to the scene, and the host scene the importer builds from it
// in the stand-in host.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "geometry/ProcessLoadedScene.h"
#include "importer/ImportSession.h"
#include "importer/SceneBuilder.h"
#include "memhost/MemHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (64u << 20)) {
        return 0;
    }
    tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(std::span<const std::uint8_t>(data, size)));
    memhost::MemHost host;
    tvx::importer::ImportSession session(host, host);
    if (tvx::ParseScene(reader, session.scene) == tvx::kLoadOk) {
        tvx::ProcessLoadedScene(session.scene, session.poses);
        (void)tvx::importer::BuildScene(session);
    }
    session.Release();
    return 0;
}
