#include <ostream>
#include <system_error>

#include "fileformat/legacy/ExporterData.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "tools/tvx/Commands.h"
#include "tools/tvx/LoadFailure.h"

namespace tvx::tool {
namespace {

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute;
}

ExportOptions OptionsFor(const ConvertOptions& convert) {
    ExportOptions options;
    options.exportLegacyLayout = convert.legacyLayout ? 1 : 0;
    options.exportBones = convert.bones ? 1 : 0;
    options.exportAnimation = convert.animation ? 1 : 0;
    options.exportColorChannel = convert.colors ? 1 : 0;
    options.exportMappingChannel = convert.mapping ? 1 : 0;
    return options;
}

}  // namespace

int RunConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               const ConvertOptions& options, std::ostream& err) {
    // Loading moves the current directory to the input's folder, so both
    // paths are fixed before it.
    const std::filesystem::path from = Absolute(input);
    const std::filesystem::path to = Absolute(output);

    TVXExporterData data;
    data.options = OptionsFor(options);
    NoProgress progress;
    LoadOptions loadOptions = LoadOptions::AsStored();
    loadOptions.maxInflatedBytes = options.maxInflatedBytes;
    LoadReport report;
    report.Attach(loadOptions);
    const int status = LoadScene(data.scene, from, progress, loadOptions);
    if (status != kLoadOk) {
        PrintLoadFailure(err, input, status, report, options.maxInflatedBytes);
        return 1;
    }
    if (SaveSceneFile(data, to) != 1) {
        err << "tvx: " << output.string() << ": the file could not be written\n";
        return 1;
    }
    return 0;
}

}  // namespace tvx::tool
