#include <ostream>

#include "document/TVXScene.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/ReadFault.h"
#include "tools/tvx/Commands.h"
#include "tools/tvx/SceneJson.h"

namespace tvx::tool {

int RunDump(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out) {
    TVXScene scene;
    PoseTables poses;
    NoProgress progress;
    LoadOptions loadOptions;
    loadOptions.writeEmbeddedFiles = options.extractEmbeddedFiles;
    loadOptions.processLoadedScene = options.processed;
    loadOptions.poseTables = &poses;
    loadOptions.maxInflatedBytes = options.maxInflatedBytes;
    ReadFault fault;
    loadOptions.faultSeen = &fault;
    const int status = LoadScene(scene, file, progress, loadOptions);
    nlohmann::ordered_json result =
        options.processed ? ProcessedLoadResultJson(status, scene, poses) : LoadResultJson(status, scene);
    if (fault.noted) {
        result["fault"] = DescribeFault(fault);
    }
    // Names from a file may hold anything; invalid text never stops the dump.
    out << result.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
    return status == kLoadOk ? 0 : 1;
}

}  // namespace tvx::tool
