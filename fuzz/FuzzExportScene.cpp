// libFuzzer harness: any bytes as a host-scene file, read into the stand-in
// host (which refuses what no host could hold) and exported: the whole
// conversion, with and without reweld, and both layout writers into memory.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exporter/ConvertScene.h"
#include "fileformat/container/MemoryOutputFile.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "geometry/SceneBounds.h"
#include "geometry/SwapUpAxis.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) {
        return 0;
    }
    std::string error;
    const auto host =
        memhost::ReadHostScene(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (!host) {
        return 0;
    }
    tvx::TVXExporterData exporter;
    exporter.options.reweldVertices = (size & 1) != 0 ? 1 : 0;
    exporter.options.mappingChannelIndex = static_cast<int>(size % 5) - 2;
    const auto selection =
        (size & 2) != 0 ? tvx::exporter::NodeSelection::SelectedOnly : tvx::exporter::NodeSelection::All;
    if (tvx::exporter::ConvertScene(exporter, *host->exportInterface(), *host, selection) == 1) {
        tvx::SwapUpAxis(exporter.scene, tvx::kZUpToYUp);
        tvx::CenterOnBounds(exporter.scene, 0, 1);
        tvx::MemoryOutputFile current;
        std::array<std::uint32_t, tvx::kVersion31HeaderWords> header31{};
        (void)tvx::WriteVersion31(exporter, current, header31);
        tvx::MemoryOutputFile legacy;
        std::array<std::uint32_t, tvx::kVersion9HeaderWords> header9{};
        (void)tvx::WriteVersion9File(exporter, legacy, header9);
    }
    tvx::ClearScene(exporter.scene);
    return 0;
}
