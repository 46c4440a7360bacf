#include <fstream>
#include <iterator>
#include <ostream>

#include "fileformat/container/EmbeddedFile.h"
#include "gltf/GltfRead.h"
#include "gltf/GltfWrite.h"
#include "hostapi/SceneExport.h"
#include "hostapi/Win32.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "pluginkit/DialogIds.h"
#include "tools/tvx/Commands.h"
#include "tools/tvx/PluginLibrary.h"
#include "tools/tvx/Progress.h"

namespace tvx::tool {
namespace {

// The icon of a message box: error 0x10, information 0x40.
constexpr hostapi::UINT kIconBits = 0xF0;

memhost::DialogScript AnswerFrom(const ExportCommandOptions& options) {
    using namespace tvx::pluginkit;
    memhost::DialogScript script;
    script.checks = {{IDC_EXPORT_BONES, options.bones},     {IDC_EXPORT_ANIMATION, options.animation},
                     {IDC_EXPORT_COLOR, options.colors},    {IDC_EXPORT_ALPHA, options.alpha},
                     {IDC_EXPORT_MAPPING, options.mapping}, {IDC_SWAP_SCENE, options.swap},
                     {IDC_CENTER_SCENE, options.center},    {IDC_REWELD_VERTICES, options.reweld},
                     {IDC_EXPORT_LEGACY, options.legacy}};
    if (options.mappingChannel) {
        script.texts.push_back({IDC_MAPPING_INDEX, *options.mappingChannel});
    }
    return script;
}

// Running out of memory here throws: a text cut short would pass for a
// file that is not JSON.
bool ReadText(const std::filesystem::path& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The named nodes become the selection, every other node is deselected.
bool Select(memhost::MemHost& host, const std::vector<std::string>& names, std::ostream& err) {
    for (const auto& node : host.nodes()) {
        node->SetSelected(false);
    }
    for (const std::string& name : names) {
        memhost::MemNode* node = host.FindNode(name);
        if (node == nullptr) {
            err << "tvx: the scene has no node named \"" << name << "\"\n";
            return false;
        }
        node->SetSelected(true);
    }
    return true;
}

const char* LimitHint(bool overBudget) { return overBudget ? "; --max-scene-mib raises the limit" : ""; }

// The scene file's text as a host scene: as it stands, or read from glTF
// with a line of what it held and a line per thing left out. The images a
// glTF file holds inside itself are to be written into `folder`.
bool SceneText(const std::filesystem::path& scene, const ExportCommandOptions& options,
               const std::filesystem::path& folder, std::string& text, std::vector<gltf::EmbeddedImage>& images,
               std::ostream& err) {
    if (!gltf::IsGltfPath(scene)) {
        if (!ReadText(scene, text)) {
            err << "tvx: cannot read " << scene.string() << '\n';
            return false;
        }
        return true;
    }
    gltf::ReadSummary summary;
    std::string error;
    auto host = gltf::ReadGltfAsHostScene(scene, {options.gltfAnimation, folder, options.maxSceneBytes}, summary,
                                          error);
    for (const std::string& warning : summary.warnings) {
        err << "tvx: warning: " << warning << '\n';
    }
    if (!host) {
        err << "tvx: " << scene.string() << ": " << error << LimitHint(summary.overBudget) << '\n';
        return false;
    }
    err << "tvx: read " << scene.string() << ": nodes " << summary.nodes << ", meshes " << summary.meshes
        << ", triangles " << summary.triangles << ", materials " << summary.materials << ", bones " << summary.bones
        << ", keys " << summary.keys << '\n';
    text = host->scene.dump();
    images = std::move(host->images);
    return true;
}

bool SameBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> there((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return there == bytes;
}

// An existing file of the same name is never overwritten; one holding
// other bytes is a failure, since the TVX file would then show it. The
// files this call made are listed in `made`.
bool WriteImages(const std::filesystem::path& folder, const std::vector<gltf::EmbeddedImage>& images,
                 std::vector<std::filesystem::path>& made, std::ostream& err) {
    bool written = true;
    for (const gltf::EmbeddedImage& image : images) {
        const EmbeddedFileResult result = WriteEmbeddedFile(folder, TVXString::FromUtf8(image.fileName), image.bytes);
        const std::filesystem::path target = folder / image.fileName;
        if (result == EmbeddedFileResult::Written) {
            made.push_back(target);
        } else if (result == EmbeddedFileResult::Exists && !SameBytes(target, image.bytes)) {
            err << "tvx: " << target.string() << " exists and holds another image; it was left as it is\n";
            written = false;
        } else if (result == EmbeddedFileResult::Failed || result == EmbeddedFileResult::Skipped) {
            err << "tvx: the image " << target.string() << " could not be written\n";
            written = false;
        }
    }
    return written;
}

void RemoveFiles(const std::vector<std::filesystem::path>& files) {
    for (const std::filesystem::path& file : files) {
        std::error_code ignored;
        std::filesystem::remove(file, ignored);
    }
}

// With prompts suppressed the exporter keeps the options of the last dialog
// its instance accepted, as in the host, where an earlier export set them.
// So the flags are given to this instance through its dialog first, in an
// export that finds no scene and therefore writes nothing. What it says is
// the tool's own affair: its message boxes are dropped.
void GiveOptions(hostapi::SceneExport& exporter, memhost::MemHost& host, const std::string& name,
                 const ExportCommandOptions& options) {
    host.QueueDialog(AnswerFrom(options));
    hostapi::ExpInterface noScene;
    noScene.theScene = nullptr;
    (void)exporter.DoExport(name.c_str(), &noScene, &host, hostapi::FALSE, 0);
}

// Every message box from the `skip`th on goes to err; true when the last
// one told of success. DoExport returns 1 whatever happened (the host's
// contract), so the outcome is the kind of box it ends with: the
// information icon for an export that was written, the error icon for any
// failure, whatever the words.
bool ReportMessages(const memhost::Session& session, std::size_t skip, std::ostream& err) {
    const std::vector<const memhost::MessageBoxEvent*> boxes = session.All<memhost::MessageBoxEvent>();
    bool succeeded = false;
    for (std::size_t i = skip; i < boxes.size(); ++i) {
        err << "tvx: " << boxes[i]->caption << ": " << boxes[i]->text << '\n';
        succeeded = (boxes[i]->type & kIconBits) == hostapi::MB_ICONINFORMATION;
    }
    if (boxes.size() == skip) {
        err << "tvx: nothing was exported (the options dialog was not accepted)\n";
    }
    return succeeded;
}

}  // namespace

int RunExport(const std::filesystem::path& scene, const std::filesystem::path& output,
              const ExportCommandOptions& options, std::ostream& err) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(output, ignored);
    const std::filesystem::path target = absolute.empty() ? output : absolute;
    std::string text;
    std::vector<gltf::EmbeddedImage> images;
    if (!SceneText(scene, options, target.parent_path(), text, images, err)) {
        return 1;
    }
    std::string error;
    bool overBudget = false;
    const std::unique_ptr<memhost::MemHost> host =
        memhost::ReadHostScene(text, error, {options.maxSceneBytes, &overBudget, options.bones && options.animation});
    if (!host) {
        err << "tvx: " << scene.string() << ": " << error << LimitHint(overBudget) << '\n';
        return 1;
    }
    if (options.selectedOnly && !Select(*host, options.selected, err)) {
        return 1;
    }
    const auto library = PluginLibrary::Open(options.pluginFolder / "tvxwrite.dle", error);
    if (!library) {
        err << "tvx: " << error << '\n';
        return 2;
    }
    hostapi::max2011::ClassDesc* desc = library->FindExporter("TVX");
    if (desc == nullptr) {
        err << "tvx: the exporter library offers no exporter for .tvx files\n";
        return 2;
    }
    std::unique_ptr<hostapi::SceneExport> exporter(static_cast<hostapi::SceneExport*>(desc->Create(hostapi::FALSE)));
    if (!exporter) {
        err << "tvx: the exporter could not be created\n";
        return 1;
    }

    const std::string name = target.string();
    if (options.noPrompt) {
        GiveOptions(*exporter, *host, name, options);
    } else {
        host->QueueDialog(AnswerFrom(options));
    }
    // The images first: a TVX file is reported written only once all it
    // names is there.
    std::vector<std::filesystem::path> madeImages;
    if (!WriteImages(target.parent_path(), images, madeImages, err)) {
        RemoveFiles(madeImages);
        return 1;
    }
    const std::size_t earlierMessages = host->session().All<memhost::MessageBoxEvent>().size();
    ShowProgressOn(*host, err);
    const hostapi::DWORD bits = options.selectedOnly ? hostapi::SCENE_EXPORT_SELECTED : 0;
    const int result = exporter->DoExport(name.c_str(), host->exportInterface(), host.get(),
                                          options.noPrompt ? hostapi::TRUE : hostapi::FALSE, bits);
    if (!ReportMessages(host->session(), earlierMessages, err) || result == 0) {
        RemoveFiles(madeImages);
        return 1;
    }
    return 0;
}

}  // namespace tvx::tool
