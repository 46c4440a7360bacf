// The chain the glTF tests run a model through: exported by the exporter
// plug-in to a TVX file, then imported by the importer plug-in into each
// output (a .glb or .gltf, or a host-scene file), as `tvx export` and
// `tvx import` do. Header-only: each test program names its own plug-in
// folder (TVX_PLUGIN_FOLDER).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <sstream>

#include "tools/tvx/Commands.h"

namespace tvx::world {

inline testing::AssertionResult ThroughTvx(const std::filesystem::path& original, const std::filesystem::path& tvxFile,
                                           std::initializer_list<std::filesystem::path> outputs) {
    std::ostringstream out, err;
    tool::ExportCommandOptions exportOptions;
    exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    exportOptions.noPrompt = true;
    if (tool::RunExport(original, tvxFile, exportOptions, err) != 0) {
        return testing::AssertionFailure() << "export failed: " << err.str();
    }
    tool::ImportCommandOptions importOptions;
    importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    for (const std::filesystem::path& output : outputs) {
        importOptions.output = output;
        if (tool::RunImport(tvxFile, importOptions, out, err) != 0) {
            return testing::AssertionFailure() << "import to " << output << " failed: " << err.str();
        }
    }
    return testing::AssertionSuccess();
}

}  // namespace tvx::world
