// tvx: look at and convert TVX scene files from the command line, and run
// the two plug-ins on the stand-in host.
#include <CLI/CLI.hpp>

#include <iostream>
#include <new>
#include <string>

#include "tools/tvx/Commands.h"
#include "tools/tvx/MemoryReserve.h"
#include "tools/tvx/PluginLibrary.h"

namespace {

int Run(int argc, char** argv, tvx::tool::CommandInProgress& command) {
    std::string& file = command.file;
    CLI::App app{"Look at and convert TVX scene files"};
    app.require_subcommand(1);

    tvx::tool::ReadOptions options;

    CLI::App* info = app.add_subcommand("info", "Summarise what a scene file holds");
    CLI::App* dump = app.add_subcommand("dump", "Write the scene as read to stdout as JSON");
    // The inflate ceiling, in MiB; lengths are 32-bit, so 4095 is the most.
    std::uint64_t maxInflatedMiB = tvx::kDefaultMaxInflatedBytes >> 20;
    const auto addInflateLimit = [&](CLI::App* verb) {
        verb->add_option("--max-inflated-mib", maxInflatedMiB,
                         "Refuse a compressed file whose content inflates to more (default 1024)")
            ->check(CLI::Range(1, 4095));
    };
    for (CLI::App* verb : {info, dump}) {
        verb->add_option("file", file, "TVX scene file")->required();
        verb->add_flag("--extract", options.extractEmbeddedFiles,
                       "Write the files a version-34 scene embeds into the scene's folder");
        addInflateLimit(verb);
    }
    dump->add_flag("--processed", options.processed,
                   "Show the scene as the importer builds from it: Z-up, triangulated, names made safe, "
                   "with the bind pose and the skinned vertices");

    std::string output;
    tvx::tool::ConvertOptions convertOptions;
    bool noBones = false;
    bool noAnimation = false;
    bool noColor = false;
    bool noMapping = false;
    CLI::App* convert = app.add_subcommand(
        "convert",
        "Save a scene file (any version 6 to 34) as the exporter does: version 31, or 9 with --legacy.\n"
        "Not carried: triangles, UV triangles and UV sets beyond two, the name list, embedded files,\n"
        "light codes and light values 3-4, camera int 1, group ints and transforms, bone axes and\n"
        "matrices, UV set names, coordinate tags, second indices, texture folders (names are written\n"
        "bare). Version 9 also drops lights, cameras and map vectors, and rebuilds UVs per corner.");
    convert->add_option("input", file, "TVX scene file to read")->required();
    convert->add_option("output", output, "TVX scene file to write")->required();
    convert->add_flag("--legacy", convertOptions.legacyLayout, "Write version 9 (\"Export as TVX v2.x\")");
    convert->add_flag("--no-bones", noBones, "Write no bones, animations or vertex weights");
    convert->add_flag("--no-animation", noAnimation, "Write no animations");
    convert->add_flag("--no-color", noColor, "Write no vertex colours");
    convert->add_flag("--no-mapping", noMapping, "Version 9: write every UV as (0, 0)");
    addInflateLimit(convert);

    tvx::tool::ImportCommandOptions importOptions;
    importOptions.pluginFolder = tvx::tool::DefaultPluginFolder();
    bool noImportBones = false;
    bool noImportAnimation = false;
    bool showBones = false;
    std::string importOutput;
    std::string pluginFolder;
    CLI::App* import = app.add_subcommand(
        "import", "Import a scene file through the tvxread plug-in into the stand-in host and write the host "
                  "scene as JSON (docs/host-scene.md)");
    import->add_option("file", file, "TVX scene file")->required();
    import->add_option("-o,--output", importOutput,
                       "Host-scene file to write (default: standard output); a .gltf or .glb name writes glTF 2.0");
    import->add_flag("--no-bones", noImportBones, "Untick \"Import bones\" (no bones, animation or skin)");
    import->add_flag("--no-animation", noImportAnimation, "Untick \"Import animation\"");
    import->add_flag("--show-bones", showBones, "Untick \"Hide bones\"");
    import->add_flag("--cancel", importOptions.cancel, "Answer the options dialog with Cancel");
    import->add_flag("--embed", importOptions.embedImages, "A .glb output carries its images inside it");
    import->add_option("--plugins", pluginFolder, "Folder holding tvxread.dli");

    tvx::tool::ExportCommandOptions exportOptions;
    exportOptions.pluginFolder = tvx::tool::DefaultPluginFolder();
    std::string exportOutput;
    std::string mappingChannel;
    bool noExportBones = false;
    bool noExportAnimation = false;
    bool noExportColor = false;
    bool noExportAlpha = false;
    bool noExportMapping = false;
    bool noSwap = false;
    std::string exportPluginFolder;
    CLI::App* exportVerb = app.add_subcommand(
        "export", "Read a host-scene file (docs/host-scene.md) or a glTF file into the stand-in host and export it "
                  "through the tvxwrite plug-in to a TVX file");
    exportVerb->add_option("scene", file, "Host-scene JSON file, or a glTF 2.0 file (.gltf, .glb)")->required();
    exportVerb->add_option("--animation", exportOptions.gltfAnimation,
                           "Which of a glTF file's animations to sample (0 first)");
    std::uint64_t maxSceneMiB = memhost::kDefaultMaxSceneBytes >> 20;
    exportVerb
        ->add_option("--max-scene-mib", maxSceneMiB,
                     "Refuse a scene whose repeated meshes and sampled keys would take more memory than this "
                     "beyond what its file holds (default 512)")
        ->check(CLI::Range(1, 1 << 20));
    exportVerb->add_option("-o,--output", exportOutput, "TVX scene file to write")->required();
    exportVerb->add_flag("--no-bones", noExportBones, "Untick \"Export bones\"");
    exportVerb->add_flag("--no-animation", noExportAnimation, "Untick \"Export animation\"");
    exportVerb->add_flag("--no-color", noExportColor, "Untick \"Export color channel\"");
    exportVerb->add_flag("--no-alpha", noExportAlpha, "Untick \"Export alpha channel\"");
    exportVerb->add_flag("--no-mapping", noExportMapping, "Untick \"Export mapping channel\"");
    CLI::Option* channelOption = exportVerb->add_option(
        "--mapping-channel", mappingChannel, "Type this into the mapping channel \"index:\" box (default 2)");
    exportVerb->add_flag("--no-swap", noSwap, "Untick \"Swap scene\" (keep the host's Z up)");
    exportVerb->add_flag("--center", exportOptions.center, "Tick \"Center scene\"");
    exportVerb->add_flag("--reweld", exportOptions.reweld, "Tick \"Reweld vertices\"");
    exportVerb->add_flag("--legacy", exportOptions.legacy, "Tick \"Export as TVX v2.x\" (version 9)");
    CLI::Option* selectedOption = exportVerb->add_option(
        "--selected", exportOptions.selected, "Export only these nodes, by name, as the selection");
    exportVerb->add_flag("--no-prompt", exportOptions.noPrompt,
                         "Export with the options dialog suppressed, as a script does; the flags above still "
                         "apply, as the exporter's options from an earlier dialog");
    exportVerb->add_option("--plugins", exportPluginFolder, "Folder holding tvxwrite.dle");

    CLI11_PARSE(app, argc, argv);

    if (exportVerb->parsed()) {
        exportOptions.bones = !noExportBones;
        exportOptions.animation = !noExportAnimation;
        exportOptions.colors = !noExportColor;
        exportOptions.alpha = !noExportAlpha;
        exportOptions.mapping = !noExportMapping;
        exportOptions.swap = !noSwap;
        if (channelOption->count() > 0) {
            exportOptions.mappingChannel = mappingChannel;
        }
        exportOptions.selectedOnly = selectedOption->count() > 0;
        exportOptions.maxSceneBytes = maxSceneMiB << 20;
        if (!exportPluginFolder.empty()) {
            exportOptions.pluginFolder = exportPluginFolder;
        }
        command.doing = "exporting";
        return tvx::tool::RunExport(file, exportOutput, exportOptions, std::cerr);
    }

    if (import->parsed()) {
        importOptions.bones = !noImportBones;
        importOptions.animation = !noImportAnimation;
        importOptions.hideBones = !showBones;
        importOptions.output = importOutput;
        if (!pluginFolder.empty()) {
            importOptions.pluginFolder = pluginFolder;
        }
        command.doing = "importing";
        return tvx::tool::RunImport(file, importOptions, std::cout, std::cerr);
    }

    if (convert->parsed()) {
        convertOptions.bones = !noBones;
        convertOptions.animation = !noAnimation;
        convertOptions.colors = !noColor;
        convertOptions.mapping = !noMapping;
        convertOptions.maxInflatedBytes = maxInflatedMiB << 20;
        command.doing = "converting";
        return tvx::tool::RunConvert(file, output, convertOptions, std::cerr);
    }

    options.maxInflatedBytes = maxInflatedMiB << 20;
    if (info->parsed()) {
        command.doing = "reading";
        return tvx::tool::RunInfo(file, options, std::cout, std::cerr);
    }
    if (dump->parsed()) {
        command.doing = "dumping";
        return tvx::tool::RunDump(file, options, std::cout);
    }
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    tvx::tool::CommandInProgress command;
    tvx::tool::KeepMemoryReserve(command);
    try {
        return Run(argc, argv, command);
    } catch (const std::bad_alloc&) {
        return tvx::tool::ReportOutOfMemory(command);
    }
}
