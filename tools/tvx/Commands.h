// The verbs of the tvx command. Each returns the process exit status.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "fileformat/container/LoadOptions.h"
#include "memhost/SceneBudget.h"

namespace tvx::tool {

struct ReadOptions {
    bool extractEmbeddedFiles = false;  // --extract
    bool processed = false;             // --processed (dump only)
    std::uint64_t maxInflatedBytes = kDefaultMaxInflatedBytes;  // --max-inflated-mib
};

// What `tvx convert` writes: the exporter's options that apply to a saved
// document.
struct ConvertOptions {
    bool legacyLayout = false;  // version 9 instead of 31
    bool bones = true;
    bool animation = true;
    bool colors = true;
    bool mapping = true;
    std::uint64_t maxInflatedBytes = kDefaultMaxInflatedBytes;  // --max-inflated-mib
};

// What `tvx import` does: the options dialog's answers, where the host
// scene goes, where the plug-ins are.
struct ImportCommandOptions {
    bool bones = true;       // "Import bones"
    bool animation = true;   // "Import animation"
    bool hideBones = true;   // "Hide bones"
    bool cancel = false;     // answer the dialog with Cancel
    bool embedImages = false;  // a .glb output carries its images
    std::filesystem::path output;        // empty: standard output
    std::filesystem::path pluginFolder;  // holds tvxread.dli
};

// What `tvx export` does: the export options dialog's answers (or no
// dialog at all), which nodes are selected, where the plug-ins are.
struct ExportCommandOptions {
    bool bones = true;      // "Export bones"
    bool animation = true;  // "Export animation"
    bool colors = true;     // "Export color channel"
    bool alpha = true;      // "Export alpha channel"
    bool mapping = true;    // "Export mapping channel"
    std::optional<std::string> mappingChannel;  // typed into the "index:" box
    bool swap = true;       // "Swap scene"
    bool center = false;    // "Center scene"
    bool reweld = false;    // "Reweld vertices"
    bool legacy = false;    // "Export as TVX v2.x"
    // With selectedOnly, these nodes (by name) are the selection and the
    // host asks for the selection only.
    bool selectedOnly = false;
    std::vector<std::string> selected;
    // The host suppresses the dialog; the flags above reach the exporter
    // through a dialog of an earlier export that writes nothing.
    bool noPrompt = false;
    int gltfAnimation = 0;  // which of a glTF scene's animations to sample
    // What the scene may build beyond what its file holds (the copies of a
    // mesh many nodes place, sampled keys).
    std::uint64_t maxSceneBytes = memhost::kDefaultMaxSceneBytes;
    std::filesystem::path pluginFolder;  // holds tvxwrite.dle
};

// A short summary of a scene file: container, layout, counts and names.
int RunInfo(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out, std::ostream& err);

// The document as read as one JSON object; with `processed`, after the
// importer's post-load processing, with its pose tables.
int RunDump(const std::filesystem::path& file, const ReadOptions& options, std::ostream& out);

// Loads any readable scene file (no post-load processing) and saves it as
// the exporter would, through the compressed container.
int RunConvert(const std::filesystem::path& input, const std::filesystem::path& output,
               const ConvertOptions& options, std::ostream& err);

// Imports the file through the tvxread plug-in into the stand-in host, as
// the host would, and writes the host scene as JSON. Message boxes go to
// err and make the status 1; a plug-in that does not load gives 2.
int RunImport(const std::filesystem::path& input, const ImportCommandOptions& options, std::ostream& out,
              std::ostream& err);

// Reads a host-scene file (or a glTF file, ".gltf" or ".glb") into the
// stand-in host and exports it through
// the tvxwrite plug-in, as the host would, to output. The message boxes go
// to err; the status is 0 only when the export reported success, 2 when
// the plug-in does not load, 1 otherwise.
int RunExport(const std::filesystem::path& scene, const std::filesystem::path& output,
              const ExportCommandOptions& options, std::ostream& err);

}  // namespace tvx::tool
